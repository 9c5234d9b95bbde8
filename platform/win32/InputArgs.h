// What Win32 mouse and key messages carry for the control's notifications, beyond what every
// host reads alike (MouseInput.h): the position and the keys held.
#pragma once

#include <cstdint>

#include "platform/MouseInput.h"
#include "platform/basApi.h"

namespace cp::win32 {

// The notification that a mouse message makes: Shift and Ctrl from the message, Alt from the
// keyboard state.
MouseArgs MouseArgsOf(UINT uMsg, WPARAM wParam, LPARAM lParam);

// The shift state of a key message: Shift and Ctrl from the keyboard state, Alt from the
// message itself (WM_SYSKEYDOWN with the context bit) or the keyboard state.
std::int16_t KeyShiftOf(UINT uMsg, LPARAM lParam);

}  // namespace cp::win32
