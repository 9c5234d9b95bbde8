// A filtered list in server mode (control/ServerFilter.h): the query thread's answer to a typed
// text brings the first rows it finds, and the list shows those; the rest is read by key as the
// list scrolls to it, and the count follows from the query thread. ListIndex, Value, Column and
// ListCount keep speaking of the whole table.
//
// The marks may stand on filtered rows. When the list shows other rows (a new text, every row
// again), a mark on a filtered row is kept by itself, as a mark on a chain that went is, and
// comes back into the list when the list brings it.
#include "control/ColumnPick.h"
#include "reports/ErrorReport.h"

namespace cp {

std::int32_t ColumnPick::ServerListRowOf(std::int32_t slot) const {
    if (!serverFilter.Active()) return server.ListRow(slot);
    if (slot < 0) return -1;
    if (ServerFilter::IsSlot(slot)) return serverFilter.ListRow(slot);
    // A row of the whole list, or one kept by itself, shows where the filter read it.
    const std::optional<RowKey> key = server.KeyAt(slot);
    return key ? serverFilter.ListRowOfKey(key->unique) : -1;
}

std::int32_t ColumnPick::ServerSlotOf(std::int32_t listRow) const {
    return serverFilter.Active() ? serverFilter.Slot(listRow) : server.Slot(listRow);
}

void ColumnPick::SetFilteredMarksAside() {
    std::int32_t current = rows.ListIndex();
    std::int32_t committed = rows.CommittedIndex();
    for (auto [mark, pin] :
         {std::pair{&committed, std::size_t{0}}, std::pair{&current, std::size_t{1}}}) {
        if (!ServerFilter::IsSlot(*mark)) continue;
        std::optional<KeyedRow> row = serverFilter.RowAt(*mark);
        *mark = row ? server.SetAside(std::move(*row), pin) : -1;
    }
    KeepMarksOnServer({current, committed});
    if (ServerFilter::IsSlot(rows.HotRow())) rows.SetHotRow(-1);
}

void ColumnPick::EndServerFilter(NextSelection next) {
    if (!serverFilter.Active()) return;
    SetFilteredMarksAside();
    serverFilter.End();
    ForgetAnnouncedRow();
    FollowServerCount();
    FitOpenListToRows();
    // The current row shows where the whole list has it read, kept by itself or not. The open
    // list's selection moves with it: it still names the row's place among the filtered rows.
    // One the whole list has not read is not read here on the window's thread: the query
    // thread reads the rows around it, as for the list's opening on a kept row, and the open
    // list goes to it when they come; until then it is current and the list selects no row.
    // The closed list's selection moves as well, so that the keys move from the current row.
    const bool open = dropDown.blnComboBoxIsOpen;
    if (!open && next == NextSelection::Callers) return;
    if (server.ToBring(rows.ListIndex())) {
        ReselectCurrentRow();
        // Moving the list window's selection may read the rows on show, the current row among
        // them: the list then goes to it where it stands, as to a row read already.
        if (server.ToBring(rows.ListIndex())) {
            if (open) AskServerKeptRow(rows.ListIndex());
            return;
        }
    }
    SelectQuietly(rows.ListIndex());
    if (!open) return;
    const std::int32_t listRow = ListRowOf(rows.ListIndex());
    if (listRow >= 0) lstListBox.SetTopIndex(listRow);
}

void ColumnPick::ShowServerMatches(const ServerQueries::Answer& answer) {
    SetFilteredMarksAside();
    // The rows further down are read with the search that found the first ones, even when the
    // settings changed since the question was asked.
    serverFilter.Show({answer.text, answer.search}, *answer.matches, answer.matchCount);
    ForgetAnnouncedRow();
    FollowServerCount();
    lstListBox.SetTopIndex(0);
    FitOpenListToRows();
}

void ColumnPick::FilterServerRowsNow(const std::string& text) {
    if (!server.Active() || !search.blnFilterList || text.empty()) return;
    if (serverFilter.Active() && serverFilter.Text() == text) return;
    // The text was written by the control (a row the keys moved to): its rows are asked for
    // now, and the list opens on them.
    queries.Ask(text, Completion::KeepText, ServerSearch(), ListFilter::Matches);
    SettleServerAnswer();
}

void ColumnPick::FinishServerRowsBelow(std::int16_t KeyCode) {
    if (!serverFilter.Active() || (KeyCode != vbKeyDown && KeyCode != vbKeyPageDown)) return;
    // Read so far that the key stops at the true last row when the rows end within its reach.
    serverFilter.ReadThrough(lstListBox.ListIndex() + settings.intListRows + 1);
    FollowServerCount();
}

}  // namespace cp

namespace cp {

void ColumnPick::ReachFilteredEnd() {
    const std::int32_t count = serverFilter.Count();
    if (!serverFilter.PastRowsRead(count - 1) ||
        std::int64_t{lstListBox.TopIndex()} + settings.intListRows < count) {
        return;
    }
    // The row past the rows read stands for the end of the rows the text finds, as the thumb
    // at the bottom or End asks for: their count comes first, from the query thread that
    // makes it or, failing that, counted here, and the last rows are read from the end.
    SettleServerCount();
    serverFilter.CountNow();
    FollowServerCount();
    if (serverFilter.CountKnown()) lstListBox.SetTopIndex(serverFilter.Count() - 1);
}

}  // namespace cp
