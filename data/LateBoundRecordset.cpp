#include "data/LateBoundRecordset.h"

#include <utility>

namespace cp {

LateBoundRecordset::LateBoundRecordset(std::shared_ptr<LateBound> object)
    : object_(std::move(object)) {}

Variant LateBoundRecordset::RecordCount() {
    return object_->CallByName("RecordCount", CallType::Get, {});
}

Variant LateBoundRecordset::Eof() {
    return object_->CallByName("EOF", CallType::Get, {});
}

void LateBoundRecordset::MoveLast() {
    object_->CallByName("MoveLast", CallType::Method, {});
}

void LateBoundRecordset::MoveFirst() {
    object_->CallByName("MoveFirst", CallType::Method, {});
}

Variant LateBoundRecordset::GetRows(std::int32_t NumRows) {
    return object_->CallByName("GetRows", CallType::Method, {Variant(NumRows)});
}

void LateBoundRecordset::Close() {
    object_->CallByName("Close", CallType::Method, {});
}

}  // namespace cp
