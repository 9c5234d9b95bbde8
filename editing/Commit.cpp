#include "control/ColumnPick.h"
#include "control/OwnChanges.h"
#include "reports/ErrorReport.h"

namespace cp {

void ColumnPick::UpdateTextFromRow(bool& Cancel) {
    if (rows.ListIndex() == -1) {
        RaiseNotInList(Cancel);
        return;
    }
    txtTextBox.SetText(DisplayText(Column(0)));
}

// The current row's text as the control's own write: no matching pass runs and no Change is
// raised. With no current row NotInList is raised instead; the result is the Cancel its handler
// gave back.
bool ColumnPick::ShowCurrentRowText() {
    const OwnTextWrite own(editing);
    bool Cancel = false;
    UpdateTextFromRow(Cancel);
    return Cancel;
}

// A text of the control's own choosing, written without a matching pass.
void ColumnPick::WriteOwnText(const std::string& strText) {
    const OwnTextWrite own(editing);
    txtTextBox.SetText(strText);
}

void ColumnPick::CommitOnEnter(std::int16_t& KeyAscii) {
    HideListBox(AfterHide::FocusEditField);
    if (ShowCurrentRowText()) {
        // The host sends the user back to the list to pick a row.
        ShowListBox();
    } else {
        SelectAllTextInTextBox();
        rows.CommitListIndex();
        editing.blnTextChanged = false;
        editing.blnUserEdited = false;
        RaiseAfterUpdate();
    }
    // The field never receives Enter.
    KeyAscii = 0;
}

void ColumnPick::UserControl_ExitFocus() {
    TrappedSub("UserControl_ExitFocus", [&] {
        if (dropDown.blnComboBoxIsOpen) HideListBox(AfterHide::LeaveFocus);
        if (!editing.blnTextChanged) return;
        const std::string text = txtTextBox.Text();
        if (text.empty()) {
            CommitNoRow();
        } else {
            const std::int32_t row = FindItemInArray(text);
            if (row == -1) {
                bool Cancel = false;
                RaiseNotInList(Cancel);
                if (Cancel) {
                    ShowListBox();
                    txtTextBox.SetFocus();
                }
                // Nothing is committed; the next focus loss checks the text again.
                return;
            }
            CommitFoundRow(row);
        }
        editing.blnTextChanged = false;
        editing.blnUserEdited = false;
        RaiseAfterUpdate();
    });
}

void ColumnPick::CommitNoRow() {
    {
        const OwnListSelection own(editing);
        ListIndex(-1);
    }
    // With no current row the first column is Null, which shows as the empty text.
    WriteOwnText(DisplayText(Column(0)));
    dropDown.blnListMouseDown = false;
    rows.SetCommittedIndex(lstListBox.ListIndex());
}

void ColumnPick::CommitFoundRow(std::int32_t row) {
    SelectRowInListBox(row);
    // The text may be a prefix: the row's whole first column replaces it.
    ShowCurrentRowText();
    // A press in the list that the focus loss cut short must not leave the next opening
    // tracking a drag that no button holds.
    dropDown.blnListMouseDown = false;
    rows.SetCommittedIndex(lstListBox.ListIndex());
    rows.SetListIndex(rows.CommittedIndex());
}

}  // namespace cp
