#include "platform/win32/Wide.h"

#include "platform/win32/WindowsApi.h"
#include "runtime/Utf8.h"

namespace cp::win32 {
namespace {

bool IsHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c < 0xDC00;
}
bool IsLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c < 0xE000;
}

// The number of units of the code point that starts at `i`.
std::size_t UnitsAt(std::wstring_view text, std::size_t i) {
    return IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
}

}  // namespace

std::wstring Widen(std::string_view text) {
    const std::u16string u16 = utf8::ToUtf16(text);
    return std::wstring(u16.begin(), u16.end());
}

std::string Narrow(std::wstring_view text) {
    return utf8::FromUtf16(std::u16string(text.begin(), text.end()));
}

std::size_t UnitsFromCodePoints(std::wstring_view text, std::size_t index) {
    std::size_t units = 0;
    for (; index > 0 && units < text.size(); --index)
        units += UnitsAt(text, units);
    return units + index;
}

std::size_t CodePointsFromUnits(std::wstring_view text, std::size_t units) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < text.size() && i + UnitsAt(text, i) <= units) {
        i += UnitsAt(text, i);
        ++count;
    }
    return units > text.size() ? count + (units - text.size()) : count;
}

std::wstring WindowText(HWND hWnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hWnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace cp::win32
