// The control's published enumerations.
#pragma once

#include <cstdint>

namespace cp {

// The frame's style (the Appearance property).
enum typAppearance : std::int32_t {
    lbFlat = 0,
    lbFlatNoBorder = 1,
    lb3D = 2,
};

enum SELECTED_STATE : std::int32_t {
    NotSelected = 0,
    IsSelected = 1,
};

}  // namespace cp
