#include "data/sqlite/ForwardOnlyRecordset.h"

#include <vector>

#include "data/sqlite/RowBlock.h"
#include "data/sqlite/SqliteErrors.h"
#include "runtime/RuntimeError.h"

namespace cp::sqlite {
namespace {

[[noreturn]] void RaiseNotSupported() {
    Raise(kErrNotSupported, "Operation is not supported for this type of object.");
}

}  // namespace

ForwardOnlyRecordset::ForwardOnlyRecordset(std::unique_ptr<SqliteStatement> statement)
    : statement_(std::move(statement)), fields_(statement_->FieldCount()) {
    onRow_ = statement_->Step();
}

void ForwardOnlyRecordset::CheckOpen() const {
    if (!statement_) RaiseClosed();
}

Variant ForwardOnlyRecordset::RecordCount() {
    CheckOpen();
    return std::int32_t{-1};
}

Variant ForwardOnlyRecordset::Eof() {
    CheckOpen();
    return !onRow_;
}

void ForwardOnlyRecordset::MoveLast() {
    CheckOpen();
    RaiseNotSupported();
}

void ForwardOnlyRecordset::MoveFirst() {
    CheckOpen();
    RaiseNotSupported();
}

Variant ForwardOnlyRecordset::GetRows(std::int32_t NumRows) {
    CheckOpen();
    CheckRowRequest(NumRows);
    if (!onRow_) RaiseNoCurrentRecord();
    std::vector<Variant> values;
    std::int32_t count = 0;
    while (onRow_ && count < NumRows) {
        statement_->AppendRow(values);
        ++count;
        onRow_ = statement_->Step();
    }
    return RowBlock(fields_, count, std::move(values));
}

void ForwardOnlyRecordset::Close() {
    CheckOpen();
    statement_.reset();
    onRow_ = false;
}

}  // namespace cp::sqlite
