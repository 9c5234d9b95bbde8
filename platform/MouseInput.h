// The mouse as every host hands it to the control: the mouse notifications of the control's
// surface (UserControl_Mouse...) and of its list (lstListBox_Mouse...), with Button as the
// runtime numbers the buttons, Shift as the keys held, and the position in twips of the
// window's client area.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Host.h"
#include "platform/basApi.h"

namespace cp {

// The runtime's Button values (a move carries the sum of the buttons held).
inline constexpr std::int16_t vbLeftButton = 1;
inline constexpr std::int16_t vbRightButton = 2;
inline constexpr std::int16_t vbMiddleButton = 4;

enum class MouseAction { None, Down, Move, Up };
// Whose notifications a mouse message makes.
enum class MouseTarget { Control, List };

struct MouseArgs {
    MouseAction action = MouseAction::None;
    std::int16_t button = 0;  // the button pressed or released; the buttons held for a move
    std::int16_t shift = 0;   // vbShiftMask | vbCtrlMask | vbAltMask
    float x = 0;              // twips of the window's client area
    float y = 0;
};

// The notification that a mouse message makes (action None for other messages). `held` are the
// MK_ flags of the buttons held, `shift` the keys held as the host knows them, `at` the
// position in pixels of the client area.
MouseArgs MouseArgsOf(UINT message, WPARAM held, std::int16_t shift, POINT at);

// The handler's name, for the host's reports ("lstListBox_MouseUp").
std::string_view MouseNotificationName(MouseTarget target, MouseAction action);
// Runs the handler of `target` for `args` (nothing for action None).
void NotifyMouse(HostedControl& control, MouseTarget target, const MouseArgs& args);

}  // namespace cp
