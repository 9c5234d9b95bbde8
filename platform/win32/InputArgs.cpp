#include "platform/win32/InputArgs.h"

#include "platform/win32/Units.h"
#include "platform/win32/WindowsApi.h"

namespace cp::win32 {
namespace {

// Bit 29 of a key message: the Alt key is held.
constexpr LPARAM kContextBit = LPARAM{1} << 29;

bool KeyHeld(int virtualKey) {
    return (::GetKeyState(virtualKey) & 0x8000) != 0;
}

std::int16_t ButtonsHeld(WPARAM wParam) {
    std::int16_t buttons = 0;
    if (wParam & MK_LBUTTON) buttons |= 1;
    if (wParam & MK_RBUTTON) buttons |= 2;
    if (wParam & MK_MBUTTON) buttons |= 4;
    return buttons;
}

MouseArgs ActionOf(UINT uMsg, WPARAM wParam) {
    switch (uMsg) {
        case WM_LBUTTONDOWN:
            return {MouseAction::Down, 1};
        case WM_RBUTTONDOWN:
            return {MouseAction::Down, 2};
        case WM_MBUTTONDOWN:
            return {MouseAction::Down, 4};
        case WM_LBUTTONUP:
            return {MouseAction::Up, 1};
        case WM_RBUTTONUP:
            return {MouseAction::Up, 2};
        case WM_MBUTTONUP:
            return {MouseAction::Up, 4};
        case WM_MOUSEMOVE:
            return {MouseAction::Move, ButtonsHeld(wParam)};
        default:
            return {};
    }
}

}  // namespace

MouseArgs MouseArgsOf(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    MouseArgs args = ActionOf(uMsg, wParam);
    if (args.action == MouseAction::None) return args;
    if (wParam & MK_SHIFT) args.shift |= vbShiftMask;
    if (wParam & MK_CONTROL) args.shift |= vbCtrlMask;
    if (KeyHeld(VK_MENU)) args.shift |= vbAltMask;
    // Positions are signed: a captured pointer may stand left of or above the window.
    args.x = TwipsFromPixels(static_cast<short>(LOWORD(lParam)));
    args.y = TwipsFromPixels(static_cast<short>(HIWORD(lParam)));
    return args;
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
