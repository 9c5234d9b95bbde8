// The list window holds no rows of its own, only their number. A host call that fails while
// the table changes can leave that number behind the table's; whatever needs the window's
// count (opening the list, selecting or removing a row in it) first brings it back in line.
#pragma once

#include <cstdint>

#include "platform/Host.h"

namespace cp {

// Gives the list window `rows` rows when it counts any other number; returns the number of
// rows that it then has.
std::int32_t ListWindowRowsInStep(ListBox& list, std::int32_t rows);

}  // namespace cp
