#include "data/LateBoundDatabase.h"

#include <utility>

#include "data/HostObjects.h"
#include "runtime/Conversions.h"

namespace cp {

LateBoundDatabase::LateBoundDatabase(std::shared_ptr<LateBound> object)
    : object_(std::move(object)) {}

std::shared_ptr<Recordset> LateBoundDatabase::OpenRecordset(const std::string& Name,
                                                            std::int32_t Type) {
    return RecordsetOf(
        object_->CallByName("OpenRecordset", CallType::Method, {Variant(Name), Variant(Type)}));
}

std::string LateBoundDatabase::Name() {
    return CStr(object_->CallByName("Name", CallType::Get, {}));
}

}  // namespace cp
