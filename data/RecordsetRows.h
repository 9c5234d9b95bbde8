// How a fill reads a recordset into the item table.
#pragma once

#include <cstdint>

#include "data/Database.h"
#include "runtime/Variant.h"

namespace cp {

// Counts the rows of rs (moving it to its last row and back to its first when it does not
// know its count yet) and reads them (Recordset::ReadRows) into sink. Returns the number of rows
// delivered, which is fewer than the count when rs did not stand on its first row, so that the
// table and its count always agree; sink is given nothing when there is none.
std::int32_t LoadRows(Recordset& rs, FieldSink& sink);

}  // namespace cp
