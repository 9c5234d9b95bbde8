#include "data/sqlite/CachedRecordset.h"

#include <algorithm>
#include <limits>

#include "data/sqlite/RowBlock.h"
#include "platform/RuntimeError.h"

namespace cp::sqlite {

CachedRecordset::CachedRecordset(std::unique_ptr<SqliteStatement> statement, Loading loading)
    : statement_(std::move(statement)), fields_(statement_->FieldCount()) {
    if (loading == Loading::WholeResultAtOpen) {
        while (ReadRow()) {
        }
    } else {
        // Positioned on the first row: whether there is one must be known now.
        HasRow(0);
    }
}

bool CachedRecordset::ReadRow() {
    if (!statement_) return false;
    if (!statement_->Step()) {
        statement_.reset();
        return false;
    }
    if (rows_ == std::numeric_limits<std::int32_t>::max()) Raise(vberr::Overflow);
    statement_->AppendRow(values_);
    ++rows_;
    return true;
}

bool CachedRecordset::HasRow(std::int64_t row) {
    while (rows_ <= row) {
        if (!ReadRow()) return false;
    }
    return true;
}

void CachedRecordset::CheckOpen() const {
    if (closed_) RaiseClosed();
}

Variant CachedRecordset::RecordCount() {
    CheckOpen();
    return statement_ ? std::int32_t{-1} : rows_;
}

Variant CachedRecordset::Eof() {
    CheckOpen();
    return !HasRow(current_);
}

void CachedRecordset::MoveLast() {
    CheckOpen();
    while (ReadRow()) {
    }
    if (rows_ == 0) RaiseNoCurrentRecord();
    current_ = rows_ - 1;
}

void CachedRecordset::MoveFirst() {
    CheckOpen();
    if (!HasRow(0)) RaiseNoCurrentRecord();
    current_ = 0;
}

Variant CachedRecordset::GetRows(std::int32_t NumRows) {
    CheckOpen();
    CheckRowRequest(NumRows);
    if (!HasRow(current_)) RaiseNoCurrentRecord();
    HasRow(std::int64_t{current_} + NumRows - 1);
    const std::int32_t count = std::min(NumRows, rows_ - current_);
    const auto width = static_cast<std::ptrdiff_t>(fields_);
    const auto first = values_.begin() + current_ * width;
    std::vector<Variant> block(first, first + count * width);
    current_ += count;
    return RowBlock(fields_, count, std::move(block));
}

void CachedRecordset::Close() {
    CheckOpen();
    statement_.reset();
    values_ = {};
    closed_ = true;
}

}  // namespace cp::sqlite
