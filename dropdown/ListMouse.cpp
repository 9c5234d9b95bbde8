// The mouse in the open list: the row under the pointer follows it, a held button drags the
// list along one row per movement above or below it, and the release commits.
#include "control/ColumnPick.h"
#include "dropdown/ListTables.h"
#include "reports/ErrorReport.h"

namespace cp {
// Selects the list's row in the list window with the message that raises no click
// notification, so that tracking never commits; nothing is sent while the row stays the one
// last selected. The hot row is the table's row shown there.
void ColumnPick::SelectTrackedRow(std::int32_t listRow) {
    const std::int32_t row = TableRowOf(listRow);
    if (row == rows.HotRow()) return;
    SendMessage(lstListBox.hWnd(), LB_SETCURSEL, static_cast<WPARAM>(listRow), 0);
    rows.SetHotRow(row);
}

void ColumnPick::lstListBox_MouseDown(std::int16_t, std::int16_t, float, float) {
    dropDown.blnListMouseDown = true;
}

void ColumnPick::lstListBox_MouseMove(std::int16_t, std::int16_t, float, float Y) {
    TrappedSub("lstListBox_MouseMove", [&] {
        const std::array<float, 15> bottoms = RowBottoms(lstListBox.RowHeight());
        if (!dropDown.blnListMouseDown) {
            if (const auto band = RowBand(bottoms, Y))
                SelectTrackedRow(AddRows(lstListBox.TopIndex(), *band));
            return;
        }
        if (!dropDown.blnListShown) return;
        // The lower edge of the rows the list can show, whatever number of rows it has.
        const float limit = TableEntry(bottoms, std::int64_t{settings.intListRows} - 1);
        const std::int32_t top = lstListBox.TopIndex();
        if (Y >= 0 && Y <= limit) {
            if (const auto band = RowBand(bottoms, Y)) SelectTrackedRow(AddRows(top, *band));
        } else if (Y > limit) {
            // Below the list: one row further down while rows remain below the visible ones,
            // the rows a growing list has yet to find among them.
            const auto rowsBelow = [&] {
                return std::int64_t{shown.Count(rows)} - settings.intListRows - top;
            };
            if (rowsBelow() <= 0) FinishShownRows();
            if (rowsBelow() > 0) {
                lstListBox.SetTopIndex(AddRows(top, 1));
                SelectTrackedRow(AddRows(settings.intListRows - 1, lstListBox.TopIndex()));
            }
        } else if (Y < 0 && top > 0) {
            lstListBox.SetTopIndex(top - 1);
            SelectTrackedRow(lstListBox.TopIndex());
        }
    });
    AnnounceCurrentRow(rows.HotRow());
}

void ColumnPick::lstListBox_MouseUp(std::int16_t, std::int16_t, float, float) {
    dropDown.blnListMouseDown = false;
    // A press that changed the selection has been committed by the list's click notification
    // before its release arrives here, and that commit closed the list: committing again
    // would report one pick twice.
    if (dropDown.blnListShown && dropDown.blnComboBoxIsOpen) lstListBox_Click();
}

}  // namespace cp
