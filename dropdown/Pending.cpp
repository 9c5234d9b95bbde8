// Not built yet: opening, placing and closing the list, and its mouse handling.
#include "control/ColumnPick.h"

namespace cp {

void ColumnPick::ShowListBox() {}
void ColumnPick::HideListBox(bool) {}
void ColumnPick::ShowDropDown() {}
void ColumnPick::lstListBox_Click() {}
void ColumnPick::lstListBox_MouseDown(std::int16_t, std::int16_t, float, float) {}
void ColumnPick::lstListBox_MouseMove(std::int16_t, std::int16_t, float, float) {}
void ColumnPick::lstListBox_MouseUp(std::int16_t, std::int16_t, float, float) {}
}  // namespace cp
