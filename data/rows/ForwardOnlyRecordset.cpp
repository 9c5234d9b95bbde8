#include "data/rows/ForwardOnlyRecordset.h"

#include "data/rows/RowBlock.h"
#include "data/rows/RowStore.h"

namespace cp::rows {

ForwardOnlyRecordset::ForwardOnlyRecordset(std::unique_ptr<RowSource> source)
    : source_(std::move(source)), fields_(source_->FieldCount()), names_(NamesOf(*source_)) {
    onRow_ = source_->Next();
}

void ForwardOnlyRecordset::CheckOpen() const {
    if (!source_) RaiseClosed();
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
    // The rows pass through a store of their own, which goes when they have been handed out.
    RowStore rows(fields_);
    while (onRow_ && rows.Rows() < NumRows) {
        rows.Append(*source_);
        onRow_ = source_->Next();
    }
    RowStore::Position first = rows.FirstRow();
    const std::int32_t count = rows.Rows();
    return RowBlock(fields_, count, rows.Read(first, count));
}

void ForwardOnlyRecordset::Close() {
    CheckOpen();
    source_.reset();
    onRow_ = false;
}

}  // namespace cp::rows
