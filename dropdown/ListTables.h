// The control's fixed list tables, the list heights by number of rows and the row bands under
// the pointer, and the lookups in them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "runtime/RuntimeError.h"

namespace cp {

inline constexpr int kRowTwips = 225;            // one list row: 15 pixels
inline constexpr int kListBorderTwips = 30;      // the list window's border, top and bottom
inline constexpr int kRowBandOffsetTwips = 210;  // one pixel above the first row's lower edge

// The height in twips that shows n rows of the list with its border, by n from 0 to 15; no rows
// get the height of one.
inline constexpr std::array<std::int16_t, 16> varListHeights = [] {
    std::array<std::int16_t, 16> heights{};
    for (std::size_t n = 1; n < heights.size(); ++n)
        heights[n] = static_cast<std::int16_t>(kListBorderTwips + kRowTwips * n);
    heights[0] = heights[1];
    return heights;
}();

// The lower edge of each visible row's band in twips from the top of the list's client area,
// one pixel above the row's lower edge, by visible row from 0 to 14.
inline constexpr std::array<std::int16_t, 15> varRowBottoms = [] {
    std::array<std::int16_t, 15> bottoms{};
    for (std::size_t k = 0; k < bottoms.size(); ++k)
        bottoms[k] = static_cast<std::int16_t>(kRowBandOffsetTwips + kRowTwips * k);
    return bottoms;
}();

// The same tables for the screen in use and rows of `rowPixels`, which follow the list's font:
// the list's border stays two pixels and a band's lower edge one pixel above its row's. On a
// screen of 96 pixels per inch with the system's font they are the tables above.
std::array<float, 16> ListHeights(int rowPixels);
std::array<float, 15> RowBottoms(int rowPixels);

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
std::optional<std::int32_t> RowBand(const std::array<float, 15>& rowBottoms, float Y);

// a + b for row numbers; beyond the range of a Long it is run-time error 6.
std::int32_t AddRows(std::int64_t a, std::int64_t b);

}  // namespace cp
