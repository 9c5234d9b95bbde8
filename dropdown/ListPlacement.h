// Where the open list stands on the screen: below the control when it fits there, otherwise
// above it, and pulled in from the right edge of the screen when it would stick out there.
// Everything is in twips; the control's rectangle comes in screen pixels and is turned into
// twips with the fixed factor.
#pragma once

#include "platform/basApi.h"

namespace cp {

struct ListPlacementInput {
    float listHeight = 0;    // the list's height as it really took it, twips
    float listWidth = 0;     // the list's width as it really took it, twips
    float screenHeight = 0;  // twips
    float screenWidth = 0;   // twips
    RECT control{};          // the control's window on the screen, pixels
};

struct ListPosition {
    float left = 0;  // twips, in the coordinates of the screen
    float top = 0;
};

// The sums are rounded to single precision before they are compared, and both comparisons are
// strict: a list that would end exactly on the screen's edge goes to the other side. No
// further limit applies, so a list above a control near the top may start above the screen.
ListPosition PlaceList(const ListPlacementInput& in);

}  // namespace cp
