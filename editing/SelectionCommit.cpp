// The seam of selection and commit (editing/SelectionCommit.h): every change of the row the
// control stands on, of the list's selection that shows it and of the text that stands for it.
#include "editing/SelectionCommit.h"

#include "control/ColumnPick.h"
#include "editing/EditingCodes.h"

namespace cp {

// --- The list's selection --------------------------------------------------------------------

void ColumnPick::SelectQuietly(std::int32_t wanted) {
    const std::int32_t row = BringServerRow(wanted);
    // The current row is always one the list shows.
    if (row >= 0 && ListRowOf(row) == -1) ShowAllRows(NextSelection::Callers);
    const OwnListSelection own(editing);
    lstListBox.SetListIndex(ListRowOf(row));
    rows.SetListIndex(row);
}

void ColumnPick::SelectKeptRowQuietly(std::int32_t row) {
    if (!server.Active() || !ServerRows::KeptByItself(row)) {
        SelectQuietly(row);
        return;
    }
    // As for any row the list does not show: every row again.
    ShowAllRows(NextSelection::Callers);
    const OwnListSelection own(editing);
    lstListBox.SetListIndex(-1);
    rows.SetListIndex(row);
}

void ColumnPick::ReselectCurrentRow() {
    const OwnListSelection own(editing);
    lstListBox.SetListIndex(ListRowOf(rows.ListIndex()));
}

void ColumnPick::SelectRowInListBox(std::int32_t row) {
    MatchListWindowCount();
    SelectQuietly(row);
    lstListBox.SetTopIndex(ListRowOf(row));
    AnnounceCurrentRow(row);
}

void ColumnPick::ClearListSelection() {
    // On the server the first rows may lie far from the rows read: they come from the query
    // thread, as a typed text's row does, and the list goes to them then.
    if (!AskServerTop()) lstListBox.SetTopIndex(0);
    ForgetListSelection();
}

void ColumnPick::ForgetListSelection() {
    // The message that raises no click notification: there is nothing to recognise.
    SendMessage(lstListBox.hWnd(), LB_SETCURSEL, kNoListRow, 0);
    rows.ForgetSelection();
}

void ColumnPick::SelectNoRow() {
    // As the put of ListIndex -1 that it stands for, it refuses in design mode.
    RaiseIfDesignMode();
    MatchListWindowCount();
    SelectQuietly(-1);
    // With no current row the first column is Null, which shows as the empty text.
    WriteOwnText("");
}

void ColumnPick::MoveCurrentRow(std::int32_t row) {
    SelectQuietly(row);
    editing.blnUserEdited = true;
    // Mouse tracking in the open list starts from the row the user chose.
    rows.SetHotRow(row);
    AnnounceCurrentRow(row);
}

// --- The edit field's text -------------------------------------------------------------------

void ColumnPick::UpdateTextFromRow(bool& Cancel) {
    if (rows.ListIndex() == -1) {
        RaiseNotInList(Cancel);
        return;
    }
    txtTextBox.SetText(DisplayText(Column(0)));
}

bool ColumnPick::ShowCurrentRowText() {
    bool Cancel = false;
    // Only the control's own write is kept from the matching pass: a put of Text by the host's
    // NotInList handler finds its row as any put does.
    if (rows.ListIndex() == -1) {
        RaiseNotInList(Cancel);
        return Cancel;
    }
    const OwnTextWrite own(editing);
    UpdateTextFromRow(Cancel);
    return Cancel;
}

void ColumnPick::WriteOwnText(const std::string& strText) {
    const OwnTextWrite own(editing);
    // The control's own text supersedes the typed text that the server was asked about.
    queries.Forget();
    txtTextBox.SetText(strText);
}

// --- Commit ----------------------------------------------------------------------------------

void ColumnPick::CommitCurrentRow(AfterCommit after) {
    rows.CommitListIndex();
    EndEdit();
    if (after == AfterCommit::RaiseAfterUpdate) RaiseAfterUpdate();
}

void ColumnPick::EndEdit() {
    editing.blnTextChanged = false;
    editing.blnUserEdited = false;
    shown.Mark("");
}

}  // namespace cp
