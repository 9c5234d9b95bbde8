// OLE colours as the control and its hosts turn them into RGB values: with the top bit clear a
// colour is the RGB value &HBBGGRR itself; with it set, the low byte is the index of a system
// colour, which each host looks up in its own window system. The control's drawing of its rows
// and button and the hosts' painting of its child windows follow this one rule.
#pragma once

#include <cstdint>

#include "platform/basApi.h"

namespace cp {

// `sysColor(index)` gives the RGB value of a system colour.
template <class SysColor>
COLORREF RgbFromOle(OLE_COLOR color, SysColor sysColor) {
    constexpr std::uint32_t kSystemColourFlag = 0x80000000;
    constexpr std::uint32_t kSystemColourIndex = 0xFF;
    const auto bits = static_cast<std::uint32_t>(color);
    if (bits & kSystemColourFlag) return sysColor(static_cast<int>(bits & kSystemColourIndex));
    return bits;
}

// The RGB value that the control draws an OLE colour with; a system colour is asked of the
// window system (GetSysColor).
inline COLORREF TranslateColor(OLE_COLOR lngColor) {
    return RgbFromOle(lngColor,
                      [](int index) { return static_cast<COLORREF>(GetSysColor(index)); });
}

}  // namespace cp
