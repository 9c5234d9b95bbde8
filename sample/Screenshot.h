// Pictures of what the screen shows: an area of the screen, read back from the display, saved
// as a 24-bit BMP file.
#pragma once

#include <initializer_list>
#include <string>

#include "platform/win32/WindowsApi.h"

namespace cp::sample {

// The smallest rectangle holding the form and every window of `extra` that is visible, with
// a margin, within the screen.
::RECT AreaAround(HWND form, std::initializer_list<HWND> extra);
// Saves the screen's pixels in `area` to `path`; false when it fails.
bool SaveScreenArea(const ::RECT& area, const std::string& path);

}  // namespace cp::sample
