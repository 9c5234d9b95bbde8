// Server mode: the list shows a table that stays on the database server. The item table stays
// empty meanwhile, and the marks (current, committed and hot row) count rows in the server's
// order; everything that reads a row's cells asks CellsOf.
#include <algorithm>
#include <string>

#include "control/ColumnPick.h"
#include "control/FillReport.h"
#include "data/Database.h"
#include "data/SerialisedRows.h"
#include "reports/ErrorReport.h"
#include "reports/Messages.h"
#include "reports/Reports.h"
#include "runtime/RuntimeError.h"

namespace cp {

void ColumnPick::ConnectComboBoxMultiColumn(Database& dbDatabase, const std::string& strSource,
                                            const std::string& strKeyField) {
    const auto describe = [&](const RuntimeError& e) {
        return QueryFailureDescription(e, dbDatabase);
    };
    TrappedFill(titles::kServerRows, describe, [&] {
        if (columns.lngColumnWidths.at(0) == 0) {
            UsageMessage(messages::kFillWidthsFirst);
            return;
        }
        host::SetScreenMousePointer(vbHourglass);
        std::shared_ptr<KeyedRows> opened = dbDatabase.OpenKeyedRows(strSource, strKeyField);
        if (!opened) Raise(vberr::ObjectNotSet);
        // A search the server cannot serve with an index is refused now, not met by a read of
        // the whole table at the first keystroke.
        CheckServerSearch(opened.get(), search.rule);
        // The window's thread and the query thread share the source, one read at a time.
        auto source = std::make_shared<SerialisedRows>(std::move(opened));
        // As a fill does, the list gives up its old rows and marks before the new ones come.
        lstListBox.Clear();
        rows.Clear(settings.intColumnCount);
        shown.EndServe();
        queries.Stop();
        serverFilter.End();
        server.Disconnect();
        server.Connect(source);
        queries.Start(source, server.HowPlaced(),
                      UserControl.MakeThreadPost([this] { TakeServerAnswer(); }));
        farRows = UserControl.MakeThreadPost([this] { ReachShownServerRows(); });
        FollowServerCount();
        host::SetScreenMousePointer(vbDefault);
    });
}

void ColumnPick::LeaveServerMode() {
    if (!server.Active()) return;
    queries.Stop();
    serverFilter.End();
    farRows.reset();
    server.Disconnect();
    shown.EndServe();
    rows.ForgetSelection();
    rows.SetHotRow(-1);
    MatchListWindowCount();
}

void ColumnPick::RefuseInServerMode(std::string_view member) const {
    if (!server.Active()) return;
    Raise(vberr::InvalidProcedureCall,
          std::string(member) +
              " cannot be used while the list shows the rows of a database server; fill the "
              "list first.");
}

void ColumnPick::FollowServerCount() {
    shown.Serve(serverFilter.Active() ? serverFilter.Count() : server.Count());
    MatchListWindowCount();
    const ListMove move = server.TakeMove();
    if (!move.moved) return;
    // The rows on show stay on show. Unfiltered, the list shows the same rows at other places:
    // its top row goes with them, unless a new chain shows other rows, whose list goes to the
    // current row (the rows the mouse tracked from are gone, and the row a reader last heard of
    // is one to hear of again). A filtered list shows rows of its own: only its selection may
    // have moved, and its top stays where the user scrolled it.
    // The selection goes first, since the list scrolls to show it: a selection that the user
    // scrolled out of view stays out of it.
    const bool filtered = serverFilter.Active();
    if (move.newChain && !filtered) {
        rows.SetHotRow(-1);
        ForgetAnnouncedRow();
    }
    const std::int32_t count = shown.Count(rows);
    const std::int32_t shift = filtered ? 0 : move.rows;
    const std::int32_t top =
        count > 0 ? std::clamp(lstListBox.TopIndex() + shift, 0, count - 1) : 0;
    ReselectCurrentRow();
    if (count > 0 && (filtered || !move.newChain)) lstListBox.SetTopIndex(top);
}

ServerMarks ColumnPick::MarksOnServer() const {
    return {rows.ListIndex(), rows.CommittedIndex()};
}

void ColumnPick::KeepMarksOnServer(const ServerMarks& marks) {
    rows.SetCommittedIndex(marks.committed);
    rows.SetListIndex(marks.current);
}

std::int32_t ColumnPick::BringServerRow(std::int32_t row) {
    // A filtered row is shown already.
    if (!server.Active() || ServerFilter::IsSlot(row)) return row;
    ServerMarks marks = MarksOnServer();
    const std::int32_t brought = server.Bring(row, marks);
    KeepMarksOnServer(marks);
    FollowServerCount();
    return brought;
}

bool ColumnPick::FarServerRow(std::int32_t listRow) {
    if (!server.Active()) return false;
    const bool far =
        serverFilter.Active() ? serverFilter.PastRowsRead(listRow) : server.Far(listRow);
    if (!far) return false;
    if (farRows) farRows->Post();
    return true;
}

void ColumnPick::FollowServerMoveAfterPaint() {
    if (server.Active() && server.MovePending() && farRows) farRows->Post();
}

void ColumnPick::ReachShownServerRows() {
    TrappedSub("ReachShownServerRows", [&] {
        if (!server.Active() || !lstListBox.Visible()) return;
        ServerMarks marks = MarksOnServer();
        if (serverFilter.Active()) {
            ReachFilteredEnd();
        } else {
            // The current row, kept by itself, is not among the rows shown: the list selects
            // none. A move that drawing made (FollowServerMoveAfterPaint) is followed too.
            if (server.Reach(lstListBox.TopIndex(), marks)) KeepMarksOnServer(marks);
            FollowServerCount();
        }
        // The rows drawn empty meanwhile are drawn again, read now or near rows read.
        lstListBox.Redraw();
    });
}

void ColumnPick::ReachServerRowForReader(std::int32_t listRow) {
    // A filtered list reads its own rows by key.
    if (!server.Active() || serverFilter.Active() || !server.Far(listRow)) return;
    TrappedSub("ReachServerRowForReader", [&] {
        ServerMarks marks = MarksOnServer();
        if (server.Reach(listRow, marks)) {
            KeepMarksOnServer(marks);
            FollowServerCount();
        }
    });
}

std::int32_t ColumnPick::KeyTargetRow(std::int32_t from, std::int32_t listRow, std::int32_t reach) {
    // A filtered list reads its own rows up to the key's reach first (FinishServerRowsBelow).
    if (!server.Active() || serverFilter.Active()) return TableRowOf(listRow);
    if (from >= 0) return server.SlotFrom(TableRowOf(from), reach);
    // From no row the key counts from the list's top, which an estimate may have put above
    // rows it never read: the table's first rows come first, as for a text that finds no row.
    ReadServerTop();
    return TableRowOf(listRow);
}

void ColumnPick::ReadServerTop() {
    if (server.Holds(0, 1)) return;
    try {
        ServerMarks marks = MarksOnServer();
        server.Adopt(ServerRows::Top(*server.Source()), marks);
        KeepMarksOnServer(marks);
    } catch (...) {
        server.ReportFailure(std::current_exception());
    }
    FollowServerCount();
}

void ColumnPick::BringCurrentServerRow() {
    // A row the mouse points at in the open list is the list's selection, and the keys move
    // from it as they do in a filled list.
    if (!server.Active() || lstListBox.ListIndex() >= 0) return;
    if (rows.ListIndex() < ServerRows::kPinnedSlot) return;
    SelectQuietly(rows.ListIndex());
}

std::int32_t ColumnPick::ServerListIndex() {
    // A filtered row is placed in the whole table by counting the rows before it.
    if (ServerFilter::IsSlot(rows.ListIndex())) return serverFilter.Place(rows.ListIndex());
    const std::int32_t slot = BringServerRow(rows.ListIndex());
    if (slot < 0) return slot;
    // Read by a host, the place is exact: the list moves there first.
    if (server.MakeExact()) FollowServerCount();
    return server.Place(slot);
}

std::int32_t ColumnPick::ServerSlotAt(std::int32_t place) {
    if (place < -1) Raise(vberr::InvalidPropertyValue);
    if (place < 0) return place;
    if (server.MakeExact()) FollowServerCount();
    // A place far from the rows read is read by itself, at its exact place, rather than by
    // reading every row up to it.
    ServerMarks marks = MarksOnServer();
    if (server.ReachExactly(place, marks)) {
        KeepMarksOnServer(marks);
        FollowServerCount();
    }
    const std::int32_t slot = server.SlotAtPlace(place);
    if (CellsOf(slot).Readable()) return slot;
    // No row there. A place past the list's end is refused as a list in memory refuses it (an
    // estimate was counted when the place was reached); one inside it lies past the table's end
    // only if a count says so. A server that cannot count leaves the place.
    if (place < server.Count()) {
        marks = MarksOnServer();
        if (server.Recount(marks)) KeepMarksOnServer(marks);
        FollowServerCount();
    }
    if (place >= server.Count()) Raise(vberr::InvalidPropertyValue);
    return server.SlotAtPlace(place);
}

RowCellsAt ColumnPick::CellsOf(std::int32_t tableRow) const {
    if (!server.Active()) return {nullptr, &rows.Items(), tableRow};
    RowCellsAt cells;
    cells.items = ServerFilter::IsSlot(tableRow) ? serverFilter.PageOf(tableRow, cells.row)
                                                 : server.PageOf(tableRow, cells.row);
    return cells;
}

}  // namespace cp
