#include "control/ColumnPick.h"
#include "editing/EditingCodes.h"
#include "editing/SelectionCommit.h"
#include "reports/ErrorReport.h"
#include "runtime/Conversions.h"
#include "runtime/Utf8.h"

namespace cp {

void ColumnPick::txtTextBox_Change() {
    editing.blnTextChanged = true;
    // The control's own writes (completion, navigation, commits) are no edits of the user's.
    if (IsOwnTextChange(editing)) {
        // Completions and commits change the control's value; the user's own typing is
        // announced by the edit field itself.
        AnnounceValueChange();
        return;
    }
    TrappedSub("txtTextBox_Change", [&] {
        const bool deletion = editing.intLastKey == kCharBackspace || editing.lastKeyWasDelete;
        const std::string text = txtTextBox.Text();
        // On the server the emptied text's rows, every row from the top, come with its answer.
        if (!server.Active() || !text.empty()) ShowRowsFor(text);
        MarkMatches(text);
        const bool completes = !deletion && search.rule.mode == cp::MatchMode::Prefix;
        // In server mode the row comes with the server's answer, on a later message: the
        // keystroke is taken at once.
        if (AskServer(text, completes ? Completion::Complete : Completion::KeepText)) {
            editing.blnUserEdited = true;
            RaiseChange();
            return;
        }
        // An emptied text stands for no row, however it was emptied: matched, it would take the
        // first row's text straight back.
        const std::int32_t row = text.empty() ? -1 : FindTypedRow(text);
        if (row == -1) {
            ClearListSelection();
        } else {
            SelectRowInListBox(row);
            // A deletion never completes, or the deleted tail would come straight back; nor does
            // typing with the caret before the end of the text. A row found by a word or any
            // part of it does not begin with the text: the text stays as typed.
            const std::int32_t caret = completes ? txtTextBox.SelStart() : -1;
            if (caret >= 0 && utf8::Length(text) == static_cast<std::size_t>(caret)) {
                ShowCurrentRowText();
                // The completed tail is selected, so that the next character replaces it.
                SelectTextToEnd(CInt(static_cast<double>(caret)));
            }
        }
        editing.blnUserEdited = true;
        RaiseChange();
    });
}

void ColumnPick::FindItemAndSelectItemInListBox() {
    TrappedSub("FindItemAndSelectItemInListBox", [&] {
        SettleServerAnswer();
        const std::string text = txtTextBox.Text();
        const bool edited = rows.CommittedIndex() == -1 || editing.blnUserEdited;
        // The list opens on every row, unless it opens on what the user is typing.
        if (edited) {
            FilterServerRowsNow(text);
            ShowRowsFor(text);
            MarkMatches(text);
        } else {
            ShowAllRows();
            MarkMatches("");
        }
        if (edited) {
            if (text.empty()) return;
            const std::int32_t row = FindTypedRow(text);
            if (row != -1) SelectRowInListBox(row);
            return;
        }
        // The text still stands for the committed row: the list opens on it. Kept by itself
        // while the list showed rows far from it, it is current at once, and the list goes to
        // it when the query thread has read the rows around it.
        MatchListWindowCount();
        if (AskServerKeptRow(rows.CommittedIndex())) {
            SelectKeptRowQuietly(rows.CommittedIndex());
            SelectAllTextInTextBox();
            return;
        }
        const std::int32_t committed = BringServerRow(rows.CommittedIndex());
        lstListBox.SetTopIndex(ListRowOf(committed));
        SelectQuietly(committed);
        SelectAllTextInTextBox();
    });
}

}  // namespace cp
