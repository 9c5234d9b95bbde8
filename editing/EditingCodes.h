// The codes that the editing code tells apart. KeyPress hands over character codes, KeyDown key
// codes; the two number spaces overlap ("&" and Up are both 38, "." and Delete both 46), so each
// handler compares only with codes of its own kind.
#pragma once

#include <cstdint>

#include "platform/basApi.h"

namespace cp {

// Character codes of KeyPress.
inline constexpr std::int16_t kCharBackspace = 8;
inline constexpr std::int16_t kCharEnter = 13;
inline constexpr std::int16_t kCharEscape = 27;

// What intLastKey holds after the Delete key went down.
inline constexpr std::int16_t kLastKeyDelete = vbKeyDelete;

// The shift state that counts as Alt: Alt alone, not with Shift or Ctrl.
inline constexpr std::int16_t kAltAlone = vbAltMask;

// An EM_SETSEL end past the end of any text: the selection runs to the end.
inline constexpr LPARAM kEndOfText = -1;

// LB_SETCURSEL with no row clears the list's selection.
inline constexpr WPARAM kNoListRow = static_cast<WPARAM>(-1);

}  // namespace cp
