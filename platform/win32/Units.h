// Twips and pixels at the host's edge (the fixed factor of the control), and OLE colours.
#pragma once

#include "platform/basApi.h"
#include "runtime/Conversions.h"

namespace cp::win32 {

inline int PixelsFromTwips(float twips) {
    return static_cast<int>(RoundHalfEven(static_cast<double>(twips) / kTwipsPerPixel));
}

inline float TwipsFromPixels(int pixels) {
    return static_cast<float>(pixels * kTwipsPerPixel);
}

// An OLE colour as RGB: a system colour (top bit set) is looked up by its index.
COLORREF ColorFromOle(OLE_COLOR color);

// The runtime's default colours of the host's objects.
inline constexpr OLE_COLOR kButtonFace = static_cast<OLE_COLOR>(0x8000000F);
inline constexpr OLE_COLOR kWindowBackground = static_cast<OLE_COLOR>(0x80000005);
inline constexpr OLE_COLOR kWindowText = static_cast<OLE_COLOR>(0x80000008);

}  // namespace cp::win32
