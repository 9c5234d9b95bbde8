#include "platform/HostErrors.h"

#include <string>

#include "platform/Host.h"
#include "runtime/RuntimeError.h"

namespace cp {

void CheckListIndexPut(std::int32_t index, std::int32_t count) {
    if (index < -1 || index >= count) Raise(vberr::InvalidPropertyValue);
}

void CheckTopIndexPut(std::int32_t index) {
    if (index < 0) Raise(vberr::InvalidPropertyValue);
}

void RaiseNoSuchListRow() {
    Raise(vberr::InvalidProcedureCall);
}

void CheckResourceKind(int type) {
    if (type != vbResBitmap) Raise(vberr::InvalidProcedureCall);
}

void RaiseResourceNotFound(int id) {
    throw RuntimeError(vberr::ResourceNotFound,
                       "Resource with identifier '" + std::to_string(id) + "' not found");
}

}  // namespace cp
