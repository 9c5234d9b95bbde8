#include "control/ColumnPick.h"
#include "platform/HostErrors.h"
#include "reports/ErrorReport.h"
#include "reports/Messages.h"
#include "reports/Reports.h"

namespace cp {

std::int32_t ColumnPick::ListIndex() {
    RaiseIfDesignMode();
    if (server.Active()) return ServerListIndex();
    return rows.ListIndex();
}

void ColumnPick::ListIndex(std::int32_t place) {
    RaiseIfDesignMode();
    // A place with no row is refused before anything changes: a filtered list keeps its rows.
    if (!server.Active()) CheckListIndexPut(place, rows.Count());
    const std::int32_t value = server.Active() ? ServerSlotAt(place) : place;
    // The list reports the change at once, and its click handling commits the row as a user's
    // click would: this put is the host's, not the control's own.
    // A row that a filtered list does not show brings every row back.
    if (ListRowOf(value) == -1) ShowAllRows(NextSelection::Callers);
    MatchListWindowCount();
    const std::uint64_t changes = rows.Changes();
    lstListBox.SetListIndex(ListRowOf(value));
    // A handler of the commit that changed the rows (Clear, RemoveItem in AfterUpdate) left the
    // current row where its change put it: the place put may name no row, or another, by now.
    if (rows.Changes() == changes) rows.SetListIndex(value);
}

Variant ColumnPick::Column(std::int16_t intColumn) {
    Variant result;
    Trapped(titles::kColumn, [&] {
        try {
            const RowCellsAt cells = CellsOf(rows.ListIndex());
            if (rows.ListIndex() != -1 && cells.Readable() && intColumn <= cells.Columns() - 1) {
                result = cells.Cell(intColumn);
            } else {
                result = Variant::Null();
            }
        } catch (const RuntimeError& e) {
            // No table, a negative column or a row beyond the table: there is no entry.
            if (e.Number() != vberr::SubscriptOutOfRange) throw;
            result = Variant::Null();
        }
    });
    return result;
}

Variant ColumnPick::Value() {
    RaiseIfDesignMode();
    return Column(settings.intBoundColumn);
}

void ColumnPick::Value(const Variant& value) {
    RaiseIfDesignMode();
    if (value.IsNull()) {
        SelectNoRow();
    } else {
        const std::int32_t row = FindBoundValue(value);
        if (row == -1) return;
        MatchListWindowCount();
        SelectQuietly(row);
        ShowCurrentRowText();
    }
    dropDown.blnListMouseDown = false;
    CommitCurrentRow(AfterCommit::Quiet);
}

std::int16_t ColumnPick::BoundColumn() const {
    return settings.intBoundColumn;
}

void ColumnPick::BoundColumn(const std::int16_t& value) {
    if (value < 0) {
        PropertyValueReport(messages::kBoundColumnError, messages::kMinimumZero);
        return;
    }
    settings.intBoundColumn = value;
    UserControl.PropertyChanged("BoundColumn");
}

void ColumnPick::Text(const std::string& value) {
    // Not an internal change: the matching pass runs as it does for typing.
    txtTextBox.SetText(value);
    // A host's put finds its row before it returns, in server mode as well. The empty text
    // stands for no row without asking the server: the list's top rows follow on their own.
    if (!value.empty()) SettleServerAnswer();
    UserControl.PropertyChanged("Text");
}

std::string ColumnPick::Text() const {
    return txtTextBox.Text();
}

std::int32_t ColumnPick::FindItemInArray(const std::string& strText) {
    std::int32_t result = -1;
    Trapped(titles::kFindItemInArray, [&] {
        if (!server.Active()) {
            result = rows.FindPrefix(strText);
            return;
        }
        ServerMarks marks = MarksOnServer();
        result = server.FindPrefix(strText, marks);
        KeepMarksOnServer(marks);
        FollowServerCount();
    });
    return result;
}

std::int32_t ColumnPick::FindBoundValue(const Variant& value) {
    if (!server.Active()) return rows.FindValue(settings.intBoundColumn, value);
    ServerMarks marks = MarksOnServer();
    const std::int32_t row = server.FindValue(settings.intBoundColumn, value, marks);
    KeepMarksOnServer(marks);
    FollowServerCount();
    return row;
}

}  // namespace cp
