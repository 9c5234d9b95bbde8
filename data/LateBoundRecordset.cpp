#include "data/LateBoundRecordset.h"

#include <algorithm>
#include <utility>

#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

namespace cp {
namespace {

// More fields than any engine gives a result; a collection claiming more is not believed.
constexpr std::int32_t kMostNamedFields = 4096;

std::shared_ptr<LateBound> LateBoundOf(const Variant& object) {
    if (!object.IsObject()) return nullptr;
    return std::dynamic_pointer_cast<LateBound>(object.ObjectRef());
}

}  // namespace

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

std::vector<std::string> LateBoundRecordset::FieldNames() {
    std::vector<std::string> names;
    try {
        const std::shared_ptr<LateBound> fields =
            LateBoundOf(object_->CallByName("Fields", CallType::Get, {}));
        if (!fields) return {};
        const std::int32_t count =
            std::min(CLng(fields->CallByName("Count", CallType::Get, {})), kMostNamedFields);
        for (std::int32_t i = 0; i < count; ++i) {
            const std::shared_ptr<LateBound> field =
                LateBoundOf(fields->CallByName("Item", CallType::Get, {Variant(i)}));
            names.push_back(field ? CStr(field->CallByName("Name", CallType::Get, {})) : "");
        }
    } catch (const RuntimeError&) {
        // A recordset of the host's that names no fields is filled all the same.
        return {};
    }
    return names;
}

void LateBoundRecordset::Close() {
    object_->CallByName("Close", CallType::Method, {});
}

}  // namespace cp
