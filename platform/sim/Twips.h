// Twips and pixels as the simulated host converts them: 15 twips to the pixel, a size in twips
// becoming the nearest whole pixel (ties to even).
#pragma once

#include "runtime/Conversions.h"

namespace cp::sim {

inline int TwipsToPixels(double twips) {
    return static_cast<int>(RoundHalfEven(twips / kTwipsPerPixel));
}
inline float PixelsToTwips(int pixels) {
    return static_cast<float>(pixels * kTwipsPerPixel);
}

}  // namespace cp::sim
