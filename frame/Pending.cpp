// Not built yet: the frame layout and the button painting.
#include "control/ColumnPick.h"

namespace cp {

void ColumnPick::UserControl_Resize() {}
void ColumnPick::UserControl_Paint() {}
void ColumnPick::UserControl_MouseDown(std::int16_t, std::int16_t, float, float) {}
void ColumnPick::UserControl_MouseMove(std::int16_t, std::int16_t, float, float) {}
void ColumnPick::UserControl_MouseUp(std::int16_t, std::int16_t, float, float) {}
void ColumnPick::SetButtonRect() {}
void ColumnPick::ClearButton() {}
void ColumnPick::DrawButton() {}
void ColumnPick::DrawPressedButton() {}
void ColumnPick::DrawArrow() {}
bool ColumnPick::IsOnButton(float, float) const { return false; }
}  // namespace cp
