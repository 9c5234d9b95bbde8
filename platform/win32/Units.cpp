#include "platform/win32/Units.h"

#include "platform/OleColor.h"
#include "platform/win32/WindowsApi.h"

namespace cp::win32 {

COLORREF ColorFromOle(OLE_COLOR color) {
    return RgbFromOle(color, [](int index) { return ::GetSysColor(index); });
}

}  // namespace cp::win32
