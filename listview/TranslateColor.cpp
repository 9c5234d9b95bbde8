#include "listview/TranslateColor.h"

namespace cp {

COLORREF TranslateColor(OLE_COLOR lngColor) {
    if ((lngColor & kSystemColorFlag) == 0) return static_cast<COLORREF>(lngColor);
    return GetSysColor(lngColor & 0xFF);
}

}  // namespace cp
