// Where the soak's user points, in twips: on a control of 2250 twips placed as the soak places
// it, and on the rows of its open list.
#pragma once

namespace cp::test {

inline constexpr float kButtonX = 2150;  // the button at the right end of the control
inline constexpr float kButtonY = 150;
inline constexpr float kRowTwips = 225;  // the height of one row of the open list
inline constexpr float kListX = 300;

}  // namespace cp::test
