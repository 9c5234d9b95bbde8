// Not built yet: the matching pass, keyboard navigation and the commits.
#include "control/ColumnPick.h"

namespace cp {

void ColumnPick::txtTextBox_Change() {}
void ColumnPick::txtTextBox_KeyDown(std::int16_t&, std::int16_t&) {}
void ColumnPick::txtTextBox_KeyPress(std::int16_t&) {}
void ColumnPick::txtTextBox_KeyUp(std::int16_t&, std::int16_t&) {}
void ColumnPick::txtTextBox_DblClick() {}
void ColumnPick::SelectAllTextInTextBox() {}
void ColumnPick::SelectTextToEnd(std::int16_t) {}
void ColumnPick::FindItemAndSelectItemInListBox() {}
void ColumnPick::SelectRowInListBox(std::int32_t) {}
void ColumnPick::SelectNextPreviousItemInListBox(std::int16_t&) {}
void ColumnPick::UpdateTextFromRow(bool&) {}
void ColumnPick::CommitOnEnter(std::int16_t&) {}
void ColumnPick::UserControl_ExitFocus() {}
}  // namespace cp
