#include "control/ColumnPick.h"
#include "control/ErrorReport.h"
#include "control/FlagGuard.h"
#include "control/ListWindowRows.h"

namespace cp {

void ColumnPick::UpdateTextFromRow(bool& Cancel) {
    if (lngListIndex == -1) {
        RaiseNotInList(Cancel);
        return;
    }
    txtTextBox.SetText(DisplayText(Column(0)));
}

void ColumnPick::CommitOnEnter(std::int16_t& KeyAscii) {
    HideListBox(true);
    bool Cancel = false;
    {
        FlagGuard internal(blnInternalTextChange);
        UpdateTextFromRow(Cancel);
    }
    if (Cancel) {
        // The host sends the user back to the list to pick a row.
        ShowListBox();
    } else {
        SelectAllTextInTextBox();
        lngCommittedIndex = lngListIndex;
        blnTextChanged = false;
        blnUserEdited = false;
        RaiseAfterUpdate();
    }
    // The field never receives Enter.
    KeyAscii = 0;
}

void ColumnPick::UserControl_ExitFocus() {
    TrappedSub("UserControl_ExitFocus", [&] {
        if (blnComboBoxIsOpen) HideListBox(false);
        if (!blnTextChanged) return;
        const std::string text = txtTextBox.Text();
        if (text.empty()) {
            CommitEmptyText();
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
        blnTextChanged = false;
        blnUserEdited = false;
        RaiseAfterUpdate();
    });
}

void ColumnPick::CommitEmptyText() {
    {
        FlagGuard ignoreClick(blnIgnoreListClick);
        ListIndex(-1);
    }
    {
        FlagGuard internal(blnInternalTextChange);
        txtTextBox.SetText(DisplayText(Column(0)));
    }
    blnListMouseDown = false;
    lngCommittedIndex = lstListBox.ListIndex();
}

void ColumnPick::CommitFoundRow(std::int32_t lngRow) {
    ListWindowRowsInStep(lstListBox, lngListCount);
    {
        FlagGuard ignoreClick(blnIgnoreListClick);
        lstListBox.SetListIndex(lngRow);
        lngListIndex = lngRow;
        lstListBox.SetTopIndex(lngRow);
    }
    {
        // The text may be a prefix: the row's whole first column replaces it.
        FlagGuard internal(blnInternalTextChange);
        bool Cancel = false;
        UpdateTextFromRow(Cancel);
    }
    // A press in the list that the focus loss cut short must not leave the next opening
    // tracking a drag that no button holds.
    blnListMouseDown = false;
    lngCommittedIndex = lstListBox.ListIndex();
    lngListIndex = lngCommittedIndex;
}

}  // namespace cp
