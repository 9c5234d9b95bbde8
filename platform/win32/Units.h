// Twips and pixels at the host's edge (the fixed factor of the control), and OLE colours.
#pragma once

#include "platform/ControlDesign.h"
#include "platform/Twips.h"
#include "platform/basApi.h"

namespace cp::win32 {

// An OLE colour as RGB, a system colour looked up in the window system.
COLORREF ColorFromOle(OLE_COLOR color);

}  // namespace cp::win32
