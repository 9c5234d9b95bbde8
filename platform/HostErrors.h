// The run-time errors that the host's objects raise, alike on every host.
#pragma once

#include <cstdint>

namespace cp {

// A put of the list's ListIndex takes -1 (no row) up to its last row, a put of TopIndex any
// row from 0 on: anything else is error 380, and the list stays as it was.
void CheckListIndexPut(std::int32_t index, std::int32_t count);
void CheckTopIndexPut(std::int32_t index);
// The list's RemoveItem of a row that it does not have: error 5.
[[noreturn]] void RaiseNoSuchListRow();

// LoadResPicture: a kind of resource other than a bitmap is error 5; a bitmap that the
// component's resources do not hold is error 326.
void CheckResourceKind(int type);
[[noreturn]] void RaiseResourceNotFound(int id);

}  // namespace cp
