// The item table's members of the published interface: the usage checks and the list window's
// part of each change; the table itself moves its rows, indexes and marks (table/ItemTable.h).
#include <algorithm>
#include <limits>

#include "control/ColumnPick.h"
#include "reports/ErrorReport.h"
#include "reports/Messages.h"
#include "reports/Reports.h"
#include "table/ItemString.h"

namespace cp {
namespace {

// The usage checks that AddItem and AddList share; false when a message was shown.
bool ItemStringAccepted(const std::string& strItem, const std::vector<std::int32_t>& widths) {
    if (strItem.empty()) {
        UsageMessage(messages::kEmptyItemString);
        return false;
    }
    if (widths.at(0) == 0) {
        UsageMessage(messages::kWidthsFirst);
        return false;
    }
    return true;
}

std::int32_t CheckedFieldCount(std::string_view text) {
    const std::size_t n = CountFields(text);
    if (n > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        Raise(vberr::Overflow);
    }
    return static_cast<std::int32_t>(n);
}

}  // namespace

void ColumnPick::AddItem(const std::string& strItem) {
    RefuseInServerMode("AddItem");
    TrappedSub("AddItem", [&] {
        if (!ItemStringAccepted(strItem, columns.lngColumnWidths)) return;
        if (!rows.AppendRow(strItem, settings.intColumnCount)) {
            UsageMessage(messages::ColumnItems(settings.intColumnCount));
            return;
        }
        MatchListWindowCount();
    });
}

void ColumnPick::AddList(const std::string& strItem) {
    TrappedSub("AddList", [&] {
        if (!ItemStringAccepted(strItem, columns.lngColumnWidths)) return;
        // New rows of the list's own replace the server's.
        LeaveServerMode();
        const std::int32_t columnCount = settings.intColumnCount;
        // Rows are whole groups of columns; a stored column count below 1 makes no table.
        if (columnCount == 0) Raise(vberr::DivisionByZero);
        const std::int32_t rowCount = CheckedFieldCount(strItem) / columnCount;
        if (rowCount < 0) Raise(vberr::SubscriptOutOfRange);
        if (rowCount == 0) {
            // No whole row: the list must not go on counting rows that are gone, nor the
            // searches trust what they learnt of them, nor the marks point into them, even when
            // a list window call fails.
            rows.ForgetRows();
            lstListBox.Clear();
            MatchListWindowCount();
            Raise(vberr::SubscriptOutOfRange);
        }
        // Fields beyond the last whole row are dropped.
        const std::size_t used =
            static_cast<std::size_t>(rowCount) * static_cast<std::size_t>(columnCount);
        CellTable cells(columnCount, 0);
        std::size_t taken = 0;
        cells.TryAppendRows(rowCount, [&](auto append) {
            ForEachField(strItem, [&](std::string_view field) {
                if (taken++ < used) append(field);
            });
        });
        // The marks of the old rows go with them, before a failing list window call can leave
        // them pointing into the new ones.
        rows.ReplaceRows(std::move(cells));
        columns.fieldCaptions.clear();
        lstListBox.Clear();
        MatchListWindowCount();
        ScheduleFoldSteps();
    });
}

void ColumnPick::Clear() {
    LeaveServerMode();
    lstListBox.Clear();
    columns.fieldCaptions.clear();
    rows.Clear(settings.intColumnCount);
    // A filtered list open meanwhile (Clear from an event) shows every row, none, at once, and
    // takes the height of that.
    if (shown.EndedByChange(rows)) ShowAllRows();
}

void ColumnPick::RemoveItem(const std::int32_t& lngIndex) {
    RefuseInServerMode("RemoveItem");
    if (lngIndex >= 0 && rows.Count() >= 1) RemoveRow(lngIndex);
}

void ColumnPick::RemoveRow(std::int32_t lngIndex) {
    // The list window removes the row at the table's own number.
    ShowAllRows();
    MatchListWindowCount();
    const CommittedRow committed =
        rows.RemoveRow(lngIndex, [&] { lstListBox.RemoveItem(lngIndex); });
    if (committed == CommittedRow::Removed) {
        // The committed row is gone, and so is the text that stood for it. The write is the
        // control's own: a matching pass would complete the empty text to the first row and
        // show an item that nobody chose.
        SelectQuietly(-1);
        WriteOwnText("");
    } else if (committed == CommittedRow::MovedUp) {
        // Keep showing the same item: the list reports the move and commits it again.
        lstListBox.SetListIndex(rows.CommittedIndex());
    }
}

std::int32_t ColumnPick::ListCount() {
    // The server's count is read anew: rows that others added or removed count at once.
    if (server.Active()) {
        ServerMarks marks = MarksOnServer();
        server.Recount(marks);
        KeepMarksOnServer(marks);
        FollowServerCount();
        return server.Count();
    }
    return rows.Count();
}

Variant ColumnPick::ArrayWithItems() const {
    // A copy of a whole server table is what server mode exists to avoid.
    RefuseInServerMode("ArrayWithItems");
    return Variant(std::make_shared<VariantArray>(rows.CopyOut()));
}

}  // namespace cp
