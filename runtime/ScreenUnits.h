// The screen's units as the host finds them, once per user-interface thread: twips per pixel
// (15 on a screen of 96 pixels per inch, 10 at 144) and the height of a list row in pixels,
// which follows the system font at that density. Until a host says otherwise they are those of
// a screen of 96 pixels per inch.
#pragma once

#include "runtime/Conversions.h"

namespace cp {

// The row height on a screen of 96 pixels per inch.
inline constexpr int kRowPixelsAt96 = 15;

struct ScreenUnits {
    double twipsPerPixel = kTwipsPerPixel;  // twips in one pixel of the screen
    int rowPixels = kRowPixelsAt96;         // one list row, in pixels
};

const ScreenUnits& CurrentScreenUnits();
void SetScreenUnits(const ScreenUnits& units);

inline double TwipsPerPixel() {
    return CurrentScreenUnits().twipsPerPixel;
}

// The units of a screen of `dpi` pixels per inch whose system font makes rows of rowPixels.
ScreenUnits ScreenUnitsFor(int dpi, int rowPixels);
// The row height that a screen of `dpi` pixels per inch scales the 96-DPI row to.
int ScaledRowPixels(int dpi);

}  // namespace cp
