// How a fill reads a recordset into the item table.
#pragma once

#include <cstdint>

#include "data/Database.h"
#include "runtime/Variant.h"

namespace cp {

// Counts the rows of rs (moving it to its last row and back to its first when it does not
// know its count yet) and fetches them with GetRows as a (field, row) block, which replaces
// table unchanged when it holds a row. Returns the number of rows that GetRows delivered,
// which is fewer than the count when rs did not stand on its first row, so that the table and
// its count always agree. Anything from GetRows but a two-dimensional array, or rows without
// fields, is error 13, and the table is left as it was.
std::int32_t LoadRows(Recordset& rs, VariantArray& table);

}  // namespace cp
