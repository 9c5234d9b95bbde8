// What GetRows hands out: the rows as a two-dimensional array (field, row) inside a Variant,
// the field index varying fastest, which is the order in which the rows are read.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/Variant.h"

namespace cp::sqlite {

Variant RowBlock(std::int32_t fields, std::int32_t rows, std::vector<Variant> values);

// The refusals that every recordset shares.
[[noreturn]] void RaiseClosed();
[[noreturn]] void RaiseNoCurrentRecord();
// GetRows needs a positive number of rows.
void CheckRowRequest(std::int32_t NumRows);

}  // namespace cp::sqlite
