#include "platform/win32/LineShape.h"

#include "platform/win32/Units.h"
#include "platform/win32/WindowsApi.h"

namespace cp::win32 {

LineShape::LineShape(float x1, float y1, float x2, float y2, OLE_COLOR color)
    : x1_(x1), y1_(y1), x2_(x2), y2_(y2), color_(color) {}

void LineShape::Draw(HDC hdc) const {
    if (!visible_) return;
    const COLORREF rgb = ColorFromOle(color_);
    HPEN pen = ::CreatePen(PS_SOLID, 1, rgb);
    HGDIOBJ previous = ::SelectObject(hdc, pen);
    const int x2 = PixelsFromTwips(x2_);
    const int y2 = PixelsFromTwips(y2_);
    ::MoveToEx(hdc, PixelsFromTwips(x1_), PixelsFromTwips(y1_), nullptr);
    ::LineTo(hdc, x2, y2);
    ::SetPixel(hdc, x2, y2, rgb);
    ::SelectObject(hdc, previous);
    ::DeleteObject(pen);
}

}  // namespace cp::win32
