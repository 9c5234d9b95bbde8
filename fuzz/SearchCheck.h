// The check that the control's indexed searches of its item table answer as the searches row by
// row do. Each session's control indexes every table from its first row on, in stretches of a
// few rows, so that the changes of a run meet the indexes in every state they can be in.
#pragma once

#include <cstdint>
#include <string_view>

#include "fuzz/FuzzSession.h"
#include "runtime/Variant.h"

namespace cp::fuzz {

// Rows of a stretch of the first column's index in a fuzz session.
inline constexpr std::int32_t kSessionChunkRows = 5;

// Has the session's control index every table, however small.
void IndexEveryTable(Session& s);

// Prefixes of first-column texts (as they are, upper-cased, shortened), the empty text and the
// entries of the bound column, each searched by the indexes and row by row over `table`, the
// control's rows 0 to count - 1: the row found, or the error raised, must be the same. Pieces
// of the entries of every column, typed a character at a time, are searched by word start and
// by any part under the control's settings and over every column: the rows found must be the
// same.
void CheckSearches(Session& s, std::string_view step, const VariantArray& table,
                   std::int32_t count);

}  // namespace cp::fuzz
