// OLE colours as the hosts turn them into RGB values: with the top bit clear a colour is
// &HBBGGRR already; with it set, the low byte is the index of a system colour, which each host
// looks up in its own window system.
#pragma once

#include <cstdint>

#include "platform/basApi.h"

namespace cp {

// `sysColor(index)` gives the RGB value of a system colour.
template <class SysColor>
COLORREF RgbFromOle(OLE_COLOR color, SysColor sysColor) {
    constexpr std::uint32_t kSystemColourFlag = 0x80000000;
    constexpr std::uint32_t kSystemColourIndex = 0xFF;
    constexpr std::uint32_t kRgbMask = 0x00FFFFFF;
    const auto bits = static_cast<std::uint32_t>(color);
    if (bits & kSystemColourFlag) return sysColor(static_cast<int>(bits & kSystemColourIndex));
    return bits & kRgbMask;
}

}  // namespace cp
