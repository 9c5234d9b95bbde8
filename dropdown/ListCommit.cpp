// The commit of a row picked in the list: the list closes, the row's first column goes into the
// edit field, and the host hears AfterUpdate.
#include "control/ColumnPick.h"
#include "editing/SelectionCommit.h"
#include "reports/ErrorReport.h"

namespace cp {

void ColumnPick::lstListBox_Click() {
    TrappedSub("lstListBox_Click", [&] {
        // The control changed the selection itself: that is no pick.
        if (TakeOwnSelectionReport(editing)) return;
        if (lstListBox.ListIndex() == -1) return;
        if (dropDown.blnComboBoxIsOpen) HideListBox(AfterHide::FocusEditField);
        rows.SetListIndex(TableRowOf(lstListBox.ListIndex()));
        ShowCurrentRowText();
        dropDown.blnListMouseDown = false;
        if (UserControl.Enabled()) SelectAllTextInTextBox();
        CommitCurrentRow(AfterCommit::RaiseAfterUpdate);
    });
}

}  // namespace cp
