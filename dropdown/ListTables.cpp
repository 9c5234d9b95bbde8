#include "dropdown/ListTables.h"

#include <limits>

#include "runtime/ScreenUnits.h"

namespace cp {

namespace {

constexpr int kListBorderPixels = 2;  // top and bottom together

template <class T>
std::optional<std::int32_t> BandIn(const std::array<T, 15>& rowBottoms, float Y) {
    if (!(Y >= 0)) return std::nullopt;
    for (std::size_t k = 0; k < rowBottoms.size(); ++k) {
        if (Y <= rowBottoms[k]) return static_cast<std::int32_t>(k);
    }
    return std::nullopt;
}

}  // namespace

std::array<float, 16> ListHeights(int rowPixels) {
    const ScreenUnits& screen = CurrentScreenUnits();
    std::array<float, 16> heights{};
    for (std::size_t n = 1; n < heights.size(); ++n) {
        const double pixels = kListBorderPixels + static_cast<double>(rowPixels) * n;
        heights[n] = static_cast<float>(pixels * screen.twipsPerPixel);
    }
    heights[0] = heights[1];
    return heights;
}

std::array<float, 15> RowBottoms(int rowPixels) {
    const ScreenUnits& screen = CurrentScreenUnits();
    std::array<float, 15> bottoms{};
    for (std::size_t k = 0; k < bottoms.size(); ++k) {
        const double pixels = static_cast<double>(rowPixels) * (k + 1) - 1;
        bottoms[k] = static_cast<float>(pixels * screen.twipsPerPixel);
    }
    return bottoms;
}

std::optional<std::int32_t> RowBand(const std::array<std::int16_t, 15>& rowBottoms, float Y) {
    return BandIn(rowBottoms, Y);
}

std::optional<std::int32_t> RowBand(const std::array<float, 15>& rowBottoms, float Y) {
    return BandIn(rowBottoms, Y);
}

std::int32_t AddRows(std::int64_t a, std::int64_t b) {
    const std::int64_t sum = a + b;
    if (sum < std::numeric_limits<std::int32_t>::min() ||
        sum > std::numeric_limits<std::int32_t>::max())
        Raise(vberr::Overflow);
    return static_cast<std::int32_t>(sum);
}

}  // namespace cp
