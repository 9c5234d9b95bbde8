// The commit of a row picked in the list: the list closes, the row's first column goes into the
// edit field, and the host hears AfterUpdate.
#include "control/ColumnPick.h"
#include "control/ErrorReport.h"
#include "control/FlagGuard.h"

namespace cp {

void ColumnPick::lstListBox_Click() {
    TrappedSub("lstListBox_Click", [&] {
        // The control changed the selection itself: that is no pick.
        if (blnIgnoreListClick) {
            blnIgnoreListClick = false;
            return;
        }
        if (lstListBox.ListIndex() == -1) return;
        if (blnComboBoxIsOpen) HideListBox(AfterHide::FocusEditField);
        lngListIndex = lstListBox.ListIndex();
        {
            FlagGuard internal(blnInternalTextChange);
            bool Cancel = false;
            UpdateTextFromRow(Cancel);
        }
        blnListMouseDown = false;
        if (UserControl.Enabled()) SelectAllTextInTextBox();
        lngCommittedIndex = lstListBox.ListIndex();
        blnTextChanged = false;
        blnUserEdited = false;
        RaiseAfterUpdate();
    });
}

}  // namespace cp
