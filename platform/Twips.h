// Twips and pixels as every host converts them at its edge: the control's fixed factor of 15
// twips to the pixel, a length in twips becoming the nearest whole pixel (ties to even).
#pragma once

#include "runtime/Conversions.h"

namespace cp {

inline int PixelsFromTwips(double twips) {
    return static_cast<int>(RoundHalfEven(twips / kTwipsPerPixel));
}

inline float TwipsFromPixels(int pixels) {
    return static_cast<float>(pixels * kTwipsPerPixel);
}

}  // namespace cp
