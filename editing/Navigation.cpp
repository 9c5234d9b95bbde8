#include <algorithm>
#include <cstdint>

#include "control/ColumnPick.h"
#include "editing/EditingCodes.h"
#include "reports/ErrorReport.h"

namespace cp {
namespace {

bool IsNavigationKey(std::int16_t KeyCode) {
    return KeyCode == vbKeyDown || KeyCode == vbKeyUp || KeyCode == vbKeyPageDown ||
           KeyCode == vbKeyPageUp;
}

struct RowMove {
    bool moves = false;       // the list's selection goes to target
    std::int32_t target = 0;  // the new row
    std::int32_t reach = 0;   // the key's whole step, before the list's ends stop it
};

// Where a navigation key takes the current row c of a list of n rows (n > 0). The list does
// not wrap; the page keys step a page less one row and stop at the first or last row. A stored
// ListRows is loaded unchecked, so a page of fewer than two rows still steps one row towards the
// key's own end: a step of none, or a negative one, would leave the row or go the other way.
RowMove TargetRow(std::int16_t KeyCode, std::int32_t c, std::int32_t n, std::int16_t intListRows) {
    const std::int64_t current = c;
    const std::int64_t last = std::int64_t{n} - 1;
    const std::int64_t page = std::max<std::int64_t>(std::int64_t{intListRows} - 1, 1);
    const bool onARow = c != 0 && c != -1;
    switch (KeyCode) {
        case vbKeyDown:
            return current < last ? RowMove{true, c + 1, 1} : RowMove{};
        case vbKeyUp:
            return onARow ? RowMove{true, c - 1, -1} : RowMove{};
        case vbKeyPageDown:
            return RowMove{true,
                           static_cast<std::int32_t>(current + page < last ? current + page : last),
                           static_cast<std::int32_t>(page)};
        default:
            return RowMove{
                true, static_cast<std::int32_t>(current - page > 0 && onARow ? current - page : 0),
                static_cast<std::int32_t>(-page)};
    }
}

}  // namespace

void ColumnPick::txtTextBox_KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
    TrappedSub("txtTextBox_KeyDown", [&] {
        if (IsNavigationKey(KeyCode)) {
            const bool alt = Shift == kAltAlone;
            if (dropDown.blnComboBoxIsOpen) {
                if (alt) {
                    HideListBox(AfterHide::FocusEditField);
                } else {
                    SelectNextPreviousItemInListBox(KeyCode);
                }
            } else if (!alt) {
                SelectNextPreviousItemInListBox(KeyCode);
            } else if (!settings.blnLocked) {
                FindItemAndSelectItemInListBox();
                ShowListBox();
            }
        }
        if (KeyCode == vbKeyEscape && dropDown.blnComboBoxIsOpen) RestoreCommittedRow();
        if (KeyCode == vbKeyDelete) {
            editing.intLastKey = kLastKeyDelete;
            editing.lastKeyWasDelete = true;
            editing.blnUserEdited = true;
        }
        RaiseKeyDown(KeyCode, Shift);
    });
}

void ColumnPick::txtTextBox_KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
    RaiseKeyUp(KeyCode, Shift);
}

void ColumnPick::SelectNextPreviousItemInListBox(std::int16_t& KeyCode) {
    TrappedSub("SelectNextPreviousItemInListBox", [&] {
        // The keys move from the row the typed text found.
        SettleServerAnswer();
        FinishRowsBelow(KeyCode);
        BringCurrentServerRow();
        const std::int32_t count = MatchListWindowCount();
        if (count <= 0) return;
        const std::int32_t from = lstListBox.ListIndex();
        const RowMove move = TargetRow(KeyCode, from, count, settings.intListRows);
        if (move.moves) MoveCurrentRow(KeyTargetRow(from, move.target, move.reach));
        KeyCode = 0;
        // With no current row this raises NotInList; there is nothing to cancel here.
        ShowCurrentRowText();
        // The whole text is selected, so that typing replaces it.
        SelectAllTextInTextBox();
        RaiseChange();
    });
}

// A key that may go past the rows a growing filtered list has found so far finds the others
// first, so that it stops at the list's true last row.
void ColumnPick::FinishRowsBelow(std::int16_t KeyCode) {
    if (KeyCode != vbKeyDown && KeyCode != vbKeyPageDown) return;
    FinishServerRowsBelow(KeyCode);
    if (!shown.Growing(rows)) return;
    const std::int64_t reach = std::int64_t{lstListBox.ListIndex()} + settings.intListRows;
    if (reach >= std::int64_t{shown.Count(rows)} - 1) FinishShownRows();
}

void ColumnPick::RestoreCommittedRow() {
    HideListBox(AfterHide::FocusEditField);
    SelectKeptRowQuietly(rows.CommittedIndex());
    // With no committed row this raises NotInList; its answer changes nothing here.
    ShowCurrentRowText();
    EndEdit();
}

}  // namespace cp
