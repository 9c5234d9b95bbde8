#include "platform/sim/User.h"

#include "platform/Twips.h"
#include "platform/sim/Form.h"
#include "platform/sim/Keyboard.h"
#include "platform/sim/SimConstants.h"
#include "platform/sim/World.h"
#include "runtime/Utf8.h"

namespace cp::sim {
namespace {

// lParam of key messages: a repeat count of 1; a key going up also has bits 30 and 31 set.
constexpr LPARAM kKeyDownBits = 1;
constexpr LPARAM kKeyUpBits = static_cast<LPARAM>(0xC0000001u);

struct ButtonMessages {
    UINT down;
    UINT up;
    WPARAM held;
};

ButtonMessages MessagesFor(std::int16_t button) {
    if (button == 2) return {WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON};
    if (button == 4) return {WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON};
    return {WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON};
}

LPARAM Position(float x, float y) {
    return MakePointParam(PixelsFromTwips(x), PixelsFromTwips(y));
}

}  // namespace

void User::Stroke(HWND to, std::int16_t keyCode, std::int16_t shift,
                  std::optional<char32_t> character) {
    WindowManager& windows = world_.Windows();
    const HWND target = to ? to : windows.Focus();
    if (!target) return;
    const bool alt = shift & vbAltMask;
    world_.SetShiftState(shift);
    windows.Send(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(keyCode),
                 kKeyDownBits);
    // The character was made from the key when it went down, for the window it went to.
    if (character && !alt) windows.Send(target, WM_CHAR, static_cast<WPARAM>(*character), 1);
    if (const HWND now = to ? to : windows.Focus())
        windows.Send(now, alt ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(keyCode), kKeyUpBits);
    world_.SetShiftState(held_);
}

void User::Type(HWND to, std::string_view text) {
    for (std::size_t offset = 0; offset < text.size();) {
        const char32_t c = utf8::Next(text, offset);
        const KeyStroke key = KeyForChar(c);
        Stroke(to, key.keyCode, key.shift,
               key.keyCode == VK_PACKET ? c : CharForKey(key.keyCode, key.shift));
    }
}

void User::TypeText(std::string_view text) {
    Type(nullptr, text);
}

void User::PressKey(std::int16_t keyCode, std::int16_t shift) {
    Stroke(nullptr, keyCode, shift, CharForKey(keyCode, shift));
}

void User::TypeTextTo(HWND hwnd, std::string_view text) {
    if (hwnd) Type(hwnd, text);
}

void User::PressKeyTo(HWND hwnd, std::int16_t keyCode, std::int16_t shift) {
    if (hwnd) Stroke(hwnd, keyCode, shift, CharForKey(keyCode, shift));
}

void User::SelectText(int start, int length) {
    if (const HWND focus = world_.Windows().Focus())
        world_.Windows().Send(focus, EM_SETSEL, static_cast<WPARAM>(start),
                              static_cast<LPARAM>(start + length));
}

void User::Focus(HWND hwnd) {
    if (Reaches(hwnd)) world_.Windows().SetFocus(hwnd);
}

void User::HoldKeys(std::int16_t shift) {
    held_ = shift;
    world_.SetShiftState(shift);
}

bool User::Reaches(HWND hwnd) const {
    return world_.Windows().IsVisible(hwnd) && world_.Windows().IsEnabled(hwnd);
}

void User::MouseDown(HWND hwnd, float x, float y, std::int16_t button) {
    if (!Reaches(hwnd)) return;
    const ButtonMessages m = MessagesFor(button);
    world_.SetMouseButtons(world_.MouseButtons() | m.held);
    world_.Windows().Send(hwnd, m.down, world_.MouseButtons(), Position(x, y));
}

void User::MouseMove(HWND hwnd, float x, float y) {
    if (Reaches(hwnd))
        world_.Windows().Send(hwnd, WM_MOUSEMOVE, world_.MouseButtons(), Position(x, y));
}

void User::MouseUp(HWND hwnd, float x, float y, std::int16_t button) {
    const ButtonMessages m = MessagesFor(button);
    world_.SetMouseButtons(world_.MouseButtons() & ~m.held);
    if (Reaches(hwnd)) world_.Windows().Send(hwnd, m.up, world_.MouseButtons(), Position(x, y));
}

void User::Click(HWND hwnd, float x, float y, std::int16_t button) {
    MouseDown(hwnd, x, y, button);
    MouseUp(hwnd, x, y, button);
}

void User::DoubleClick(HWND hwnd, float x, float y) {
    Click(hwnd, x, y);
    if (!Reaches(hwnd)) return;
    world_.SetMouseButtons(world_.MouseButtons() | MK_LBUTTON);
    world_.Windows().Send(hwnd, WM_LBUTTONDBLCLK, world_.MouseButtons(), Position(x, y));
    MouseUp(hwnd, x, y);
}

void User::ClickOnForm(Form& form, float x, float y, std::int16_t button) {
    Click(form.Hwnd(), x, y, button);
}

void User::ClickOnCaption(Form& form) {
    const RECT r = world_.Windows().ScreenRect(form.Hwnd());
    world_.Windows().Send(form.Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MakePointParam(r.left, r.top));
}

void User::ClickOnFrame(HWND hwnd) {
    if (!Reaches(hwnd)) return;
    const RECT r = world_.Windows().ScreenRect(hwnd);
    const POINT client = world_.Windows().ClientOrigin(hwnd);
    const LPARAM at = MakePointParam((r.left + r.right) / 2, (r.top + client.y) / 2);
    world_.Windows().Send(hwnd, WM_NCLBUTTONDOWN, HTNOWHERE, at);
    world_.Windows().Send(hwnd, WM_NCLBUTTONUP, HTNOWHERE, at);
}

void User::DeactivateForm(Form& form) {
    world_.Windows().Send(form.Hwnd(), WM_ACTIVATE, 0, 0);
}

void User::DeactivateApp(Form& form) {
    world_.Windows().Send(form.Hwnd(), WM_ACTIVATEAPP, 0, 0);
    world_.Windows().Send(form.Hwnd(), WM_ACTIVATE, 0, 0);
}

void User::MoveFocusAway(Form& form) {
    world_.Windows().SetFocus(form.TextFieldHwnd());
}

void User::DestroyForm(Form& form) {
    form.Destroy();
}

}  // namespace cp::sim
