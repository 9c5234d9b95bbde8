// UTF-8 <-> UTF-16 at the Win32 edge, and the conversion of positions between Unicode code
// points (what the control counts) and UTF-16 units (what the wide functions count).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/basApi.h"

namespace cp::win32 {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// The UTF-16 unit at which code point `index` starts; an index beyond the text counts on past
// its end one unit per code point, so that "an end past the text" stays past it.
std::size_t UnitsFromCodePoints(std::wstring_view text, std::size_t index);
// The number of whole code points in the first `units` units (a pair cut in two does not
// count); units beyond the text count one code point each.
std::size_t CodePointsFromUnits(std::wstring_view text, std::size_t units);

// The whole text of a window.
std::wstring WindowText(HWND hWnd);

}  // namespace cp::win32
