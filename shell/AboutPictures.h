// The pictures of the About box, drawn here pixel by pixel in the sizes the box gives them.
#pragma once

#include "platform/FormDesign.h"

namespace cp {

PicturePixels AboutBanner();    // 161 x 83: the control with its list open
PicturePixels AboutStripe();    // 161 x 21: a gradient stripe
PicturePixels AboutColumns();   // 161 x 68: rows in three columns
PicturePixels AboutPortrait();  // 189 x 203: a large drop-down arrow on a gradient

}  // namespace cp
