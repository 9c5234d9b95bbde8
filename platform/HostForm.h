// The host's form as both platforms build it: a window that holds controls and one plain text
// field, in its lower left corner, that can take the focus from them; and where a control
// stands unless it is placed elsewhere.
#pragma once

#include "platform/basApi.h"

namespace cp::form {

inline constexpr int kFieldMargin = 8;  // pixels
inline constexpr int kFieldWidth = 120;
inline constexpr int kFieldHeight = 21;

// The text field in a client area `clientHeight` pixels high.
inline RECT TextFieldRect(int clientHeight) {
    const int top = clientHeight - kFieldMargin - kFieldHeight;
    return RECT{kFieldMargin, top, kFieldMargin + kFieldWidth, top + kFieldHeight};
}

// A control's place, in twips of the form's client area.
inline constexpr float kControlLeft = 600;
inline constexpr float kControlTop = 600;
inline constexpr float kControlWidth = 2250;
inline constexpr float kControlHeight = 315;

}  // namespace cp::form
