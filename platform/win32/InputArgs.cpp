#include "platform/win32/InputArgs.h"

#include "platform/win32/WindowsApi.h"

namespace cp::win32 {
namespace {

// Bit 29 of a key message: the Alt key is held.
constexpr LPARAM kContextBit = LPARAM{1} << 29;

bool KeyHeld(int virtualKey) {
    return (::GetKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

MouseArgs MouseArgsOf(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    std::int16_t shift = 0;
    if (wParam & MK_SHIFT) shift |= vbShiftMask;
    if (wParam & MK_CONTROL) shift |= vbCtrlMask;
    if (KeyHeld(VK_MENU)) shift |= vbAltMask;
    // Positions are signed: a captured pointer may stand left of or above the window.
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return cp::MouseArgsOf(uMsg, wParam, shift, at);
}

std::int16_t KeyShiftOf(UINT uMsg, LPARAM lParam) {
    std::int16_t shift = 0;
    if (KeyHeld(VK_SHIFT)) shift |= vbShiftMask;
    if (KeyHeld(VK_CONTROL)) shift |= vbCtrlMask;
    const bool systemKey = uMsg == WM_SYSKEYDOWN || uMsg == WM_SYSKEYUP;
    if ((systemKey && (lParam & kContextBit)) || KeyHeld(VK_MENU)) shift |= vbAltMask;
    return shift;
}

}  // namespace cp::win32
