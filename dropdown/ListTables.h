// Lookups in the control's fixed list tables: the list heights by number of rows and the row
// bands under the pointer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "runtime/RuntimeError.h"

namespace cp {

// Entry `index` of a fixed table; an index outside it is run-time error 9, as a subscript
// beyond an array's bounds is.
template <class T, std::size_t N>
T TableEntry(const std::array<T, N>& table, std::int64_t index) {
    if (index < 0 || index >= static_cast<std::int64_t>(N)) Raise(vberr::SubscriptOutOfRange);
    return table[static_cast<std::size_t>(index)];
}

// The visible row under a vertical position Y (twips from the top of the list's client area):
// band 0 reaches from 0 to the first lower edge, band k from just below edge k - 1 down to edge
// k inclusive. Nothing above the list or below the last edge.
std::optional<std::int32_t> RowBand(const std::array<std::int16_t, 15>& rowBottoms, float Y);

// a + b for row numbers; beyond the range of a Long it is run-time error 6.
std::int32_t AddRows(std::int64_t a, std::int64_t b);

}  // namespace cp
