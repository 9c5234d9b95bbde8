#include "listview/DrawLine.h"

namespace cp {

void DrawLine(HDC hDC, int x1, int y1, int x2, int y2, COLORREF lngColor) {
    HPEN pen = CreatePen(PS_SOLID, 1, lngColor);
    HGDIOBJ previous = nullptr;
    try {
        previous = SelectObject(hDC, pen);
        MoveToEx(hDC, x1, y1, nullptr);
        LineTo(hDC, x2, y2);
    } catch (...) {
        // The pen must not stay selected or alive after a failed line.
        try {
            if (previous != nullptr) SelectObject(hDC, previous);
            DeleteObject(pen);
        } catch (...) {
        }
        throw;
    }
    SelectObject(hDC, previous);
    DeleteObject(pen);
}

}  // namespace cp
