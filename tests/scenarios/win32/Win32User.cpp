#include "tests/scenarios/win32/Win32User.h"

#include <array>
#include <string>

#include "platform/Twips.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"
#include "runtime/Utf8.h"

namespace cp::test {
namespace {

constexpr LPARAM kContextBit = LPARAM{1} << 29;
constexpr LPARAM kKeyUpBits = (LPARAM{1} << 30) | (LPARAM{1} << 31);
constexpr BYTE kKeyDown = 0x80;

// Key messages: a repeat count of 1 and the key's scan code.
LPARAM KeyLParam(std::int16_t keyCode) {
    return 1 | (static_cast<LPARAM>(::MapVirtualKeyW(static_cast<UINT>(keyCode), MAPVK_VK_TO_VSC))
                << 16);
}

LPARAM PointLParam(float x, float y) {
    return static_cast<LPARAM>(
        MAKELPARAM(static_cast<WORD>(PixelsFromTwips(x)), static_cast<WORD>(PixelsFromTwips(y))));
}

using KeyboardState = std::array<BYTE, 256>;

// The thread's keyboard state with Shift, Ctrl and Alt as `shift` has them.
KeyboardState StateWith(std::int16_t shift) {
    KeyboardState state{};
    ::GetKeyboardState(state.data());
    state[VK_SHIFT] = (shift & vbShiftMask) ? kKeyDown : 0;
    state[VK_CONTROL] = (shift & vbCtrlMask) ? kKeyDown : 0;
    state[VK_MENU] = (shift & vbAltMask) ? kKeyDown : 0;
    return state;
}

// Holds Shift, Ctrl and Alt in the thread's keyboard state while a key goes down and up.
class HeldModifiers {
public:
    explicit HeldModifiers(std::int16_t shift) {
        ::GetKeyboardState(saved_.data());
        KeyboardState held = StateWith(shift);
        ::SetKeyboardState(held.data());
    }
    ~HeldModifiers() { ::SetKeyboardState(saved_.data()); }
    HeldModifiers(const HeldModifiers&) = delete;
    HeldModifiers& operator=(const HeldModifiers&) = delete;

private:
    KeyboardState saved_{};  // the state put back afterwards
};

// The character that the keyboard makes of a key with the shift state; empty for none.
std::u16string CharacterOf(std::int16_t keyCode, std::int16_t shift) {
    const KeyboardState state = StateWith(shift);
    std::array<wchar_t, 4> out{};
    const auto key = static_cast<UINT>(keyCode);
    const int n = ::ToUnicode(key, ::MapVirtualKeyW(key, MAPVK_VK_TO_VSC), state.data(), out.data(),
                              static_cast<int>(out.size()), 0);
    return n > 0 ? std::u16string(out.begin(), out.begin() + n) : std::u16string();
}

struct KeyForCharacter {
    std::int16_t keyCode;
    std::int16_t shift;
};

KeyForCharacter KeyOf(char32_t c) {
    switch (c) {
        case U'\r':
        case U'\n':
            return {vbKeyReturn, 0};
        case U'\t':
            return {VK_TAB, 0};
        case U'\b':
            return {vbKeyBack, 0};
        case 0x1B:
            return {vbKeyEscape, 0};
        default:
            break;
    }
    const SHORT scan = c < 0x10000 ? ::VkKeyScanW(static_cast<wchar_t>(c)) : SHORT{-1};
    if (scan == -1) return {VK_PACKET, 0};
    // The high byte holds the shift state that the key needs: 1 Shift, 2 Ctrl, 4 Alt.
    return {static_cast<std::int16_t>(scan & 0xFF), static_cast<std::int16_t>((scan >> 8) & 7)};
}

bool Reaches(HWND hWnd) {
    return ::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd);
}

UINT DownMessage(std::int16_t button) {
    return button == 2 ? WM_RBUTTONDOWN : button == 4 ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
}

UINT UpMessage(std::int16_t button) {
    return button == 2 ? WM_RBUTTONUP : button == 4 ? WM_MBUTTONUP : WM_LBUTTONUP;
}

WPARAM HeldFlags(std::int16_t buttons) {
    WPARAM flags = 0;
    if (buttons & 1) flags |= MK_LBUTTON;
    if (buttons & 2) flags |= MK_RBUTTON;
    if (buttons & 4) flags |= MK_MBUTTON;
    return flags;
}

}  // namespace

void Pump() {
    host::DoEvents();
}

void Win32User::TypeText(std::string_view utf8) {
    for (std::size_t offset = 0; offset < utf8.size();) {
        const std::size_t start = offset;
        const char32_t c = utf8::Next(utf8, offset);
        const KeyForCharacter key = KeyOf(c);
        const std::wstring units = win32::Widen(utf8.substr(start, offset - start));
        const std::u16string character =
            c == U'\n' ? u"\r" : std::u16string(units.begin(), units.end());
        Stroke(key.keyCode, key.shift, character);
    }
}

void Win32User::PressKey(std::int16_t keyCode, std::int16_t shift) {
    const bool alt = (shift & vbAltMask) != 0;
    Stroke(keyCode, shift, alt ? std::u16string() : CharacterOf(keyCode, shift));
}

void Win32User::Stroke(std::int16_t keyCode, std::int16_t shift, std::u16string_view character) {
    HWND target = ::GetFocus();
    if (target == nullptr) return;
    const HeldModifiers held(shift);
    const bool alt = (shift & vbAltMask) != 0;
    const LPARAM lParam = KeyLParam(keyCode) | (alt ? kContextBit : 0);
    const auto key = static_cast<WPARAM>(static_cast<std::uint16_t>(keyCode));
    ::SendMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, lParam);
    // The character was made when the key went down, for the window that it went to.
    for (char16_t unit : character)
        ::SendMessageW(target, WM_CHAR, unit, lParam);
    if (HWND now = ::GetFocus()) {
        ::SendMessageW(now, alt ? WM_SYSKEYUP : WM_KEYUP, key, lParam | kKeyUpBits);
    }
    Pump();
}

void Win32User::SelectText(int start, int length) {
    if (HWND focus = ::GetFocus()) {
        cp::SendMessage(focus, EM_SETSEL, static_cast<WPARAM>(start), start + length);
    }
    Pump();
}

void Win32User::MouseDown(HWND hWnd, float x, float y, std::int16_t button) {
    if (!Reaches(hWnd)) return;
    buttons_ |= button;
    ::SendMessageW(hWnd, DownMessage(button), HeldFlags(buttons_), PointLParam(x, y));
    Pump();
}

void Win32User::MouseMove(HWND hWnd, float x, float y) {
    if (!Reaches(hWnd)) return;
    ::SendMessageW(hWnd, WM_MOUSEMOVE, HeldFlags(buttons_), PointLParam(x, y));
    Pump();
}

void Win32User::MouseUp(HWND hWnd, float x, float y, std::int16_t button) {
    buttons_ &= static_cast<std::int16_t>(~button);
    if (!Reaches(hWnd)) return;
    ::SendMessageW(hWnd, UpMessage(button), HeldFlags(buttons_), PointLParam(x, y));
    Pump();
}

}  // namespace cp::test
