// What the control offers assistive technology: its rows to read, the actions a reader may
// take on them, and the announcements of what changes while the user works.
#include <utility>

#include "control/ColumnPick.h"
#include "reports/ErrorReport.h"

namespace cp {
namespace {

// An announcement that cannot be made (the host failing to give a window) leaves the selection,
// the text and the commit as they are.
template <class Body>
void Announce(Body&& body) {
    try {
        std::forward<Body>(body)();
    } catch (const RuntimeError&) {
    }
}

}  // namespace

AccessibleRows ColumnPick::ListRowsForReader() const {
    return AccessibleRows(settings, rows, shown, columns, dropDown, lstListBox, server,
                          serverFilter);
}

// A reader counts and reads every row the list shows: a growing list finds the rest first.
std::int32_t ColumnPick::RowCount() {
    FinishShownRows();
    return ListRowsForReader().Count();
}

std::optional<std::string> ColumnPick::RowName(std::int32_t row) {
    FinishShownRows();
    ReachServerRowForReader(row);
    return ListRowsForReader().Name(row);
}

std::optional<RowReading> ColumnPick::RowStates(std::int32_t row) {
    FinishShownRows();
    return ListRowsForReader().States(row);
}

std::optional<RECT> ColumnPick::RowRect(std::int32_t row) {
    FinishShownRows();
    return ListRowsForReader().Band(row);
}

std::optional<std::int32_t> ColumnPick::RowAt(POINT client) {
    return ListRowsForReader().RowAt(client);
}

std::int32_t ColumnPick::CurrentRow() {
    return ListRowsForReader().Current();
}

std::string ColumnPick::ControlValue() {
    return txtTextBox.Text();
}

bool ColumnPick::PickRow(std::int32_t row) {
    FinishShownRows();
    ReachServerRowForReader(row);
    if (!ListRowsForReader().Exists(row)) return false;
    // The put reaches the list's click handling, which commits the row as a click does. A pick
    // that failed on the way is no pick: the reader hears of the failure.
    return TrappedSub("PickRow", [&] {
        MatchListWindowCount();
        lstListBox.SetListIndex(row);
    });
}

bool ColumnPick::SelectRow(std::int32_t row) {
    FinishShownRows();
    ReachServerRowForReader(row);
    if (!ListRowsForReader().Exists(row)) return false;
    return TrappedSub("SelectRow", [&] {
        MatchListWindowCount();
        MoveCurrentRow(TableRowOf(row));
        ShowCurrentRowText();
        SelectAllTextInTextBox();
        RaiseChange();
    });
}

void ColumnPick::ToggleList() {
    if (dropDown.blnComboBoxIsOpen) {
        HideListBox(AfterHide::FocusEditField);
        return;
    }
    // A locked control opens no list, and the reader hears that nothing opened. The list opens
    // into the edit field's focus: a field that cannot take it (the control disabled or hidden)
    // refuses here, before a list is open that no one could use and whose close would fail.
    if (settings.blnLocked) Raise(vberr::InvalidProcedureCall);
    txtTextBox.SetFocus();
    ShowDropDown();
}

// The row becomes the one a reader hears about: it takes the focus and the selection in the
// list. Only the open list announces, and a row only once until another one comes or it stands
// at another of the list's rows: the reader knows it by the child it stood at.
void ColumnPick::AnnounceCurrentRow(std::int32_t row) {
    if (!dropDown.blnComboBoxIsOpen || row < 0) return;
    // A row the list does not show (one kept by itself on the server) has no child to name: it
    // is announced when the list comes to it.
    const std::int32_t listRow = ListRowOf(row);
    if (listRow < 0) return;
    if (row == accessibility.announcedRow && listRow == accessibility.announcedListRow) return;
    accessibility.announcedRow = row;
    accessibility.announcedListRow = listRow;
    Announce([&] {
        const HWND list = lstListBox.hWnd();
        const LONG child = listRow + 1;
        NotifyWinEvent(EVENT_OBJECT_FOCUS, list, OBJID_CLIENT, child);
        NotifyWinEvent(EVENT_OBJECT_SELECTION, list, OBJID_CLIENT, child);
    });
}

// The list shows other rows (a filter's, or rows the server found elsewhere): the same row
// number and child may now stand for another row, whose turn comes again.
void ColumnPick::ForgetAnnouncedRow() {
    accessibility.announcedRow = -1;
    accessibility.announcedListRow = -1;
}

// The list's client area, the object that answers for the rows, comes or goes.
void ColumnPick::AnnounceList(DWORD event) {
    Announce([&] { NotifyWinEvent(event, lstListBox.hWnd(), OBJID_CLIENT, CHILDID_SELF); });
}

void ColumnPick::AnnounceValueChange() {
    Announce([&] {
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, UserControl.hWnd(), OBJID_CLIENT, CHILDID_SELF);
    });
}

}  // namespace cp
