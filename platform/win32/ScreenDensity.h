// The screen's density on Win32: its pixels per inch (LOGPIXELSY) give the twips per pixel, and
// the system's font at that density gives the height of a list row.
#pragma once

#include "platform/basApi.h"

namespace cp::win32 {

// Hands the screen's units to the runtime for this thread.
void TakeScreenUnits();
// The font of the edit field and the list: the stock GUI font at 96 pixels per inch, otherwise
// the system's message font, which the system sizes for the screen (made once, kept for the
// life of the process).
HFONT ControlFont();
// The height of a list row that shows text of `font`: never lower than the screen's row, and
// always tall enough for the font.
int RowPixelsFor(HFONT font);

}  // namespace cp::win32
