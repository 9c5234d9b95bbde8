// The list window holds no rows of its own, only their number. A host call that fails while
// the table changes can leave that number behind the table's (or behind the rows a filtered
// list shows); every change of the rows, and
// whatever needs the window's count (opening the list, selecting or removing a row in it),
// brings it back in line here.
#include "control/ColumnPick.h"

namespace cp {

std::int32_t ColumnPick::MatchListWindowCount() {
    // A change of the rows (a host's AddItem from an event, say) ended a filter: the open list
    // takes back every row, its height and its selection on the current row, as when the
    // typing ends the filter.
    if (shown.EndedByChange(rows)) ShowAllRows();
    // A filtered list on the server counts on as it reads its rows.
    if (serverFilter.Active()) shown.Serve(serverFilter.Count());
    const HWND window = lstListBox.hWnd();
    const auto counted = static_cast<std::int32_t>(SendMessage(window, LB_GETCOUNT, 0, 0));
    const std::int32_t wanted = shown.Count(rows);
    if (counted == wanted) return counted;
    // A list that keeps rows of its own (one created before the component was started, with
    // no creation hook to make it data-less) refuses a count and keeps the rows it has.
    if (SendMessage(window, LB_SETCOUNT, static_cast<WPARAM>(wanted), 0) == LB_ERR) {
        return counted;
    }
    return wanted;
}

}  // namespace cp
