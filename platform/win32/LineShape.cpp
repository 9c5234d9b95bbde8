#include "platform/win32/LineShape.h"

#include "platform/win32/Units.h"
#include "platform/win32/WindowsApi.h"

namespace cp::win32 {

void LineShape::Draw(HDC hdc) const {
    const std::optional<LinePixels> pixels = Pixels();
    if (!pixels) return;
    const COLORREF rgb = ColorFromOle(pixels->color);
    HPEN pen = ::CreatePen(PS_SOLID, 1, rgb);
    HGDIOBJ previous = ::SelectObject(hdc, pen);
    ::MoveToEx(hdc, pixels->from.x, pixels->from.y, nullptr);
    ::LineTo(hdc, pixels->to.x, pixels->to.y);
    ::SetPixel(hdc, pixels->to.x, pixels->to.y, rgb);
    ::SelectObject(hdc, previous);
    ::DeleteObject(pen);
}

}  // namespace cp::win32
