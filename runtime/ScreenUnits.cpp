#include "runtime/ScreenUnits.h"

namespace cp {
namespace {

constexpr double kTwipsPerInch = 1440;
constexpr int kBaseDpi = 96;

thread_local ScreenUnits gUnits;

}  // namespace

const ScreenUnits& CurrentScreenUnits() {
    return gUnits;
}

void SetScreenUnits(const ScreenUnits& units) {
    gUnits = units;
}

ScreenUnits ScreenUnitsFor(int dpi, int rowPixels) {
    if (dpi <= 0) return ScreenUnits{};
    return ScreenUnits{kTwipsPerInch / dpi, rowPixels};
}

int ScaledRowPixels(int dpi) {
    return static_cast<int>(RoundHalfEven(static_cast<double>(kRowPixelsAt96) * dpi / kBaseDpi));
}

}  // namespace cp
