#include "data/rows/CachedRecordset.h"

#include <algorithm>

#include "data/rows/RowBlock.h"

namespace cp::rows {

CachedRecordset::CachedRecordset(std::unique_ptr<RowSource> source, Loading loading)
    : source_(std::move(source)),
      fields_(source_->FieldCount()),
      names_(NamesOf(*source_)),
      store_(fields_) {
    if (loading == Loading::WholeResultAtOpen) {
        while (ReadRow()) {
        }
    } else {
        // Positioned on the first row: whether there is one must be known now.
        HasRow(0);
    }
}

bool CachedRecordset::ReadRow() {
    if (!source_) return false;
    if (!source_->Next()) {
        source_.reset();
        return false;
    }
    store_.Append(*source_);
    return true;
}

bool CachedRecordset::HasRow(std::int64_t row) {
    while (store_.Rows() <= row) {
        if (!ReadRow()) return false;
    }
    return true;
}

void CachedRecordset::CheckOpen() const {
    if (closed_) RaiseClosed();
}

Variant CachedRecordset::RecordCount() {
    CheckOpen();
    return source_ ? std::int32_t{-1} : store_.Rows();
}

Variant CachedRecordset::Eof() {
    CheckOpen();
    return !HasRow(current_);
}

void CachedRecordset::MoveLast() {
    CheckOpen();
    while (ReadRow()) {
    }
    if (store_.Rows() == 0) RaiseNoCurrentRecord();
    current_ = store_.Rows() - 1;
    position_ = store_.LastRow();
}

void CachedRecordset::MoveFirst() {
    CheckOpen();
    if (!HasRow(0)) RaiseNoCurrentRecord();
    current_ = 0;
    position_ = store_.FirstRow();
}

std::int32_t CachedRecordset::RowsFor(std::int32_t NumRows) {
    CheckOpen();
    CheckRowRequest(NumRows);
    if (!HasRow(current_)) RaiseNoCurrentRecord();
    HasRow(std::int64_t{current_} + NumRows - 1);
    return std::min(NumRows, store_.Rows() - current_);
}

Variant CachedRecordset::GetRows(std::int32_t NumRows) {
    const std::int32_t count = RowsFor(NumRows);
    BlockVector<Variant> values = store_.Read(position_, count);
    current_ += count;
    return RowBlock(fields_, count, std::move(values));
}

std::int32_t CachedRecordset::ReadRows(std::int32_t NumRows, FieldSink& sink) {
    // Rows without fields are refused as the block of them would be.
    if (fields_ < 1) return Recordset::ReadRows(NumRows, sink);
    const std::int32_t count = RowsFor(NumRows);
    sink.Start(fields_, count);
    store_.Write(position_, count, sink);
    current_ += count;
    return count;
}

void CachedRecordset::Close() {
    CheckOpen();
    source_.reset();
    store_.Clear();
    closed_ = true;
}

}  // namespace cp::rows
