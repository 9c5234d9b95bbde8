// Window-system values that the window plumbing reacts to and that the platform's declarations
// (platform/basApi.h) do not carry.
#pragma once

#include "platform/basApi.h"

namespace cp {

// The last message a window receives before it is gone.
inline constexpr UINT WM_NCDESTROY = 0x0082;

// WM_ACTIVATE's low word when the window loses the activation.
inline constexpr WPARAM WA_INACTIVE = 0;

}  // namespace cp
