// Twips and pixels as every host converts them at its edge: the screen's factor (15 twips to the
// pixel at 96 pixels per inch), a length in twips becoming the nearest whole pixel (ties to
// even).
#pragma once

#include "runtime/ScreenUnits.h"

namespace cp {

inline int PixelsFromTwips(double twips) {
    return static_cast<int>(RoundHalfEven(twips / TwipsPerPixel()));
}

inline float TwipsFromPixels(int pixels) {
    return static_cast<float>(pixels * TwipsPerPixel());
}

}  // namespace cp
