#include "dropdown/ListPlacement.h"

#include "runtime/Conversions.h"
#include "runtime/ScreenUnits.h"

namespace cp {
namespace {

// Pixels to twips in floating point, so that no edge of a window can overflow.
double Twips(LONG pixels) {
    return static_cast<double>(pixels) * TwipsPerPixel();
}

}  // namespace

ListPosition PlaceList(const ListPlacementInput& in) {
    const double bottom = Twips(in.control.bottom);
    const double left = Twips(in.control.left);
    const bool below = static_cast<float>(in.listHeight + bottom) < in.screenHeight;
    const bool leftAligned = static_cast<float>(in.listWidth + left) < in.screenWidth;
    ListPosition position;
    position.left = leftAligned ? static_cast<float>(left) : in.screenWidth - in.listWidth;
    position.top = below ? static_cast<float>(bottom)
                         : static_cast<float>(Twips(in.control.top) - in.listHeight);
    return position;
}

}  // namespace cp
