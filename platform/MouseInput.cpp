#include "platform/MouseInput.h"

#include <array>

#include "platform/Twips.h"

namespace cp {
namespace {

std::int16_t ButtonsHeld(WPARAM held) {
    std::int16_t buttons = 0;
    if (held & MK_LBUTTON) buttons |= vbLeftButton;
    if (held & MK_RBUTTON) buttons |= vbRightButton;
    if (held & MK_MBUTTON) buttons |= vbMiddleButton;
    return buttons;
}

MouseArgs ActionOf(UINT message, WPARAM held) {
    switch (message) {
        case WM_LBUTTONDOWN:
            return {MouseAction::Down, vbLeftButton};
        case WM_RBUTTONDOWN:
            return {MouseAction::Down, vbRightButton};
        case WM_MBUTTONDOWN:
            return {MouseAction::Down, vbMiddleButton};
        case WM_LBUTTONUP:
            return {MouseAction::Up, vbLeftButton};
        case WM_RBUTTONUP:
            return {MouseAction::Up, vbRightButton};
        case WM_MBUTTONUP:
            return {MouseAction::Up, vbMiddleButton};
        case WM_MOUSEMOVE:
            return {MouseAction::Move, ButtonsHeld(held)};
        default:
            return {};
    }
}

using Handler = void (HostedControl::*)(std::int16_t, std::int16_t, float, float);

struct MouseHandler {
    std::string_view name;
    Handler handler;
};

// By target, then Down, Move, Up.
constexpr std::array<std::array<MouseHandler, 3>, 2> kHandlers = {{
    {{{"UserControl_MouseDown", &HostedControl::UserControl_MouseDown},
      {"UserControl_MouseMove", &HostedControl::UserControl_MouseMove},
      {"UserControl_MouseUp", &HostedControl::UserControl_MouseUp}}},
    {{{"lstListBox_MouseDown", &HostedControl::lstListBox_MouseDown},
      {"lstListBox_MouseMove", &HostedControl::lstListBox_MouseMove},
      {"lstListBox_MouseUp", &HostedControl::lstListBox_MouseUp}}},
}};

const MouseHandler& HandlerOf(MouseTarget target, MouseAction action) {
    const auto column =
        static_cast<std::size_t>(action) - static_cast<std::size_t>(MouseAction::Down);
    return kHandlers[static_cast<std::size_t>(target)][column];
}

}  // namespace

MouseArgs MouseArgsOf(UINT message, WPARAM held, std::int16_t shift, POINT at) {
    MouseArgs args = ActionOf(message, held);
    if (args.action == MouseAction::None) return args;
    args.shift = shift;
    args.x = TwipsFromPixels(at.x);
    args.y = TwipsFromPixels(at.y);
    return args;
}

std::string_view MouseNotificationName(MouseTarget target, MouseAction action) {
    return action == MouseAction::None ? std::string_view{} : HandlerOf(target, action).name;
}

void NotifyMouse(HostedControl& control, MouseTarget target, const MouseArgs& args) {
    if (args.action == MouseAction::None) return;
    (control.*HandlerOf(target, args.action).handler)(args.button, args.shift, args.x, args.y);
}

}  // namespace cp
