// The sizes that the layout pass holds the control to, in twips.
#pragma once

#include <cstdint>

namespace cp {

// The least width of the control; the layout pass widens a narrower one. A list given a width of
// its own (ListWidth) is never narrower either.
inline constexpr std::int16_t kMinimumWidth = 390;

}  // namespace cp
