// Colours of the host: an OLE colour is an RGB value, or with its top bit set a system colour
// whose index is in the low byte.
#pragma once

#include "platform/basApi.h"

namespace cp {

inline constexpr OLE_COLOR kSystemColorFlag = static_cast<OLE_COLOR>(0x80000000u);

// The RGB value of an OLE colour; a system colour is looked up with GetSysColor.
COLORREF TranslateColor(OLE_COLOR lngColor);

}  // namespace cp
