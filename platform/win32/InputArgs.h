// The arguments of the runtime's mouse and key notifications, read from window messages.
#pragma once

#include <cstdint>

#include "platform/basApi.h"

namespace cp::win32 {

enum class MouseAction { None, Down, Move, Up };

struct MouseArgs {
    MouseAction action = MouseAction::None;
    std::int16_t button = 0;  // the button pressed or released; the buttons held for a move
    std::int16_t shift = 0;   // vbShiftMask | vbCtrlMask | vbAltMask
    float x = 0;              // twips of the window's client area
    float y = 0;
};

// The mouse notification that a message makes (action None for other messages).
MouseArgs MouseArgsOf(UINT uMsg, WPARAM wParam, LPARAM lParam);

// The shift state of a key message: Shift and Ctrl from the keyboard state, Alt from the
// message itself (WM_SYSKEYDOWN with the context bit) or the keyboard state.
std::int16_t KeyShiftOf(UINT uMsg, LPARAM lParam);

}  // namespace cp::win32
