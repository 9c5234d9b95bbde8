// The commits of the edit field: Enter, and the focus leaving the control.
#include "control/ColumnPick.h"
#include "reports/ErrorReport.h"

namespace cp {

void ColumnPick::CommitOnEnter(std::int16_t& KeyAscii) {
    // Enter commits the row of the text as typed, so the server's answer to it comes first.
    SettleServerAnswer();
    HideListBox(AfterHide::FocusEditField);
    if (ShowCurrentRowText()) {
        // The host sends the user back to the list to pick a row.
        ShowListBox();
    } else {
        SelectAllTextInTextBox();
        CommitCurrentRow(AfterCommit::RaiseAfterUpdate);
    }
    // The field never receives Enter.
    KeyAscii = 0;
}

void ColumnPick::UserControl_ExitFocus() {
    TrappedSub("UserControl_ExitFocus", [&] {
        SettleServerAnswer();
        if (dropDown.blnComboBoxIsOpen) HideListBox(AfterHide::LeaveFocus);
        if (!editing.blnTextChanged) return;
        const std::string text = txtTextBox.Text();
        if (text.empty()) {
            SelectNoRow();
        } else {
            const std::int32_t row = FindTypedRow(text);
            if (row == -1) {
                // Nothing is committed; the next focus loss checks the text again.
                ReportTextNotInList();
                return;
            }
            SelectRowInListBox(row);
            // The text may be a prefix or any part of the row: its whole first column replaces
            // it.
            ShowCurrentRowText();
        }
        // A press in the list that the focus loss cut short must not leave the next opening
        // tracking a drag that no button holds.
        dropDown.blnListMouseDown = false;
        CommitCurrentRow(AfterCommit::RaiseAfterUpdate);
    });
}

// The host hears that the text stands for no row, and may send the user back to the list.
void ColumnPick::ReportTextNotInList() {
    bool Cancel = false;
    RaiseNotInList(Cancel);
    if (Cancel) {
        ShowListBox();
        txtTextBox.SetFocus();
    }
}

}  // namespace cp
