// The one-pixel line that separates the list's columns and that the button painting uses.
#pragma once

#include "platform/basApi.h"

namespace cp {

// Draws a solid line one pixel wide from (x1, y1) to (x2, y2), the end point excluded, with a
// pen of its own; the device context's pen is put back and the line's pen deleted.
void DrawLine(HDC hDC, int x1, int y1, int x2, int y2, COLORREF lngColor);

}  // namespace cp
