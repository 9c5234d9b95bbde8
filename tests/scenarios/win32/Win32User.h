// The user on the real window system: keys go to the window that holds the focus, the mouse to
// any window that is shown and enabled, all as window messages sent to them.
//
// - A typed character comes as key down (the layout's key, with the shift state that the key
//   needs held while it goes down), the character, and key up; a character that no key makes
//   comes with VK_PACKET. Enter, Tab, Backspace and Escape are their keys.
// - A pressed key makes the character that the keyboard makes of it with the shift state held,
//   none with Alt, which sends system keys (WM_SYSKEYDOWN with the context bit).
// - Mouse positions are in twips of the window's client area (rounded to the pixel); the
//   buttons held go with every move, to whichever window.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/basApi.h"

namespace cp::test {

class Win32User {
public:
    void TypeText(std::string_view utf8);
    void PressKey(std::int16_t keyCode, std::int16_t shift);
    // Selects characters [start, start + length) of the focused edit field (EM_SETSEL).
    void SelectText(int start, int length);

    void MouseDown(HWND hWnd, float x, float y, std::int16_t button);
    void MouseMove(HWND hWnd, float x, float y);
    void MouseUp(HWND hWnd, float x, float y, std::int16_t button);

private:
    // Key down, the character's UTF-16 units, key up.
    void Stroke(std::int16_t keyCode, std::int16_t shift, std::u16string_view character);

    std::int16_t buttons_ = 0;  // mouse buttons held (1 left, 2 right, 4 middle)
};

// Processes the messages waiting now, as the message loop does between two inputs.
void Pump();

}  // namespace cp::test
