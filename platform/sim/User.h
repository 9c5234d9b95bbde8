// The simulated user: keys to the window that holds the focus, the mouse on any window, and
// what a user does to the form.
//
// - TypeText: for each character, the key down (WM_KEYDOWN with the US-layout key code, the
//   shift state held while it goes down), the character (WM_CHAR, to the same window) and the key
//   up (to the window that has the focus by then). A character the layout has no key for comes
//   with the key VK_PACKET and its own code.
// - PressKey: one key with a shift state (vbShiftMask, vbCtrlMask, vbAltMask); with Alt it is a
//   system key (WM_SYSKEYDOWN / WM_SYSKEYUP) and makes no character; otherwise a key that makes a
//   character (Enter, Escape, Backspace, letters...) sends it between down and up. The modifier
//   keys themselves send no messages.
// - TypeTextTo, PressKeyTo: the same keys sent straight to a window, whether or not it holds the
//   focus, as another program sends them; the key goes up where it went down.
// - SelectText selects characters [start, start + length) of the focused edit field, the caret
//   at the end (EM_SETSEL), sending no key messages.
// - Mouse positions are in twips of the window's client area (15 twips to the pixel, rounded to
//   the nearest pixel). A hidden or disabled window gets no mouse messages. While a button is
//   held, moves carry it (MK_LBUTTON...).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/basApi.h"

namespace cp::sim {

class Form;
class World;

class User {
public:
    explicit User(World& world) : world_(world) {}

    // --- Keyboard ------------------------------------------------------------------------------
    void TypeText(std::string_view utf8);
    void PressKey(std::int16_t keyCode, std::int16_t shift = 0);
    void TypeTextTo(HWND hwnd, std::string_view utf8);
    void PressKeyTo(HWND hwnd, std::int16_t keyCode, std::int16_t shift = 0);
    void SelectText(int start, int length);
    // Gives the window the focus, as a click into it would, leaving its caret where it is.
    void Focus(HWND hwnd);
    // Keys held down for the mouse actions that follow (vbShiftMask, vbCtrlMask, vbAltMask).
    void HoldKeys(std::int16_t shift);

    // --- Mouse ---------------------------------------------------------------------------------
    void MouseDown(HWND hwnd, float x, float y, std::int16_t button = 1);
    void MouseMove(HWND hwnd, float x, float y);
    void MouseUp(HWND hwnd, float x, float y, std::int16_t button = 1);
    void Click(HWND hwnd, float x, float y, std::int16_t button = 1);
    // Down, up, WM_LBUTTONDBLCLK, up, as Windows reports a double click.
    void DoubleClick(HWND hwnd, float x, float y);

    // --- The form ------------------------------------------------------------------------------
    // A press and release of a button in the form's client area.
    void ClickOnForm(Form& form, float x, float y, std::int16_t button = 1);
    // A left press and release on the window's frame above its client area (WM_NCLBUTTONDOWN,
    // WM_NCLBUTTONUP), where no part of the frame answers the press.
    void ClickOnFrame(HWND hwnd);
    // A left press on the form's caption (WM_NCLBUTTONDOWN).
    void ClickOnCaption(Form& form);
    // Another window of the application becomes active (WM_ACTIVATE, WA_INACTIVE).
    void DeactivateForm(Form& form);
    // Another application becomes active (WM_ACTIVATEAPP 0, then WM_ACTIVATE 0).
    void DeactivateApp(Form& form);
    // The focus goes to the form's plain text field (Tab).
    void MoveFocusAway(Form& form);
    void DestroyForm(Form& form);

private:
    // Keys to `to`, or to the focus when it is null.
    void Stroke(HWND to, std::int16_t keyCode, std::int16_t shift,
                std::optional<char32_t> character);
    void Type(HWND to, std::string_view utf8);
    bool Reaches(HWND hwnd) const;

    World& world_;           // the world the user acts in
    std::int16_t held_ = 0;  // modifier keys held for the mouse
};

}  // namespace cp::sim
