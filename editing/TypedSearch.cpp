// What the typed text finds: the first matching row, and with FilterList the rows the list
// shows. The prefix mode finds its row as it always has; the other modes read the searched
// columns through the item table's search index.
#include "control/ColumnPick.h"
#include "reports/ErrorReport.h"

namespace cp {

std::int32_t ColumnPick::FindTypedRow(const std::string& text) {
    // A filtered list's first row is the text's first row.
    if (server.Active() && serverFilter.Active() && serverFilter.Text() == text) {
        return serverFilter.Slot(0);
    }
    // The server answers the other modes from its own indexes.
    if (search.rule.mode != cp::MatchMode::Prefix && server.Active()) return FindServerMatch(text);
    if (search.rule.mode == cp::MatchMode::Prefix) {
        return FindItemInArray(text);
    }
    // A list filtered to no row has no first row: TableRow answers -1.
    if (shown.Filtered(rows) && shown.Text(rows) == text) return shown.TableRow(rows, 0);
    std::int32_t result = -1;
    Trapped(titles::kFindItemInArray, [&] {
        const std::vector<std::int32_t> first = rows.FindMatches(search.rule, text, 1);
        if (!first.empty()) result = first.front();
    });
    return result;
}

void ColumnPick::MarkMatches(const std::string& text) {
    // The list of the prefix mode alone looks as it always has.
    const bool marks = search.rule.mode != cp::MatchMode::Prefix || search.blnFilterList;
    shown.Mark(marks ? text : std::string());
}

void ColumnPick::ShowAllRows(NextSelection next) {
    if (server.Active()) {
        EndServerFilter(next);
        return;
    }
    if (!shown.Filtered(rows) && !shown.EndedByChange(rows)) {
        shown.ShowAll();
        return;
    }
    shown.ShowAll();
    ForgetAnnouncedRow();
    MatchListWindowCount();
    FitOpenListToRows();
    // The current row keeps its place in the list that shows every row again, closed too: the
    // list window's selection named the row's place among the filtered rows, and the keys move
    // from it. The open list shows the row at its top.
    if (!dropDown.blnComboBoxIsOpen) {
        if (next == NextSelection::Current) SelectQuietly(rows.ListIndex());
        return;
    }
    SelectQuietly(rows.ListIndex());
    if (rows.ListIndex() >= 0) lstListBox.SetTopIndex(rows.ListIndex());
}

}  // namespace cp
