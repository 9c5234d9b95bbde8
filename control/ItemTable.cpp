#include <algorithm>
#include <limits>

#include "control/ColumnPick.h"
#include "control/ListWindowRows.h"
#include "control/OwnChanges.h"
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
    TrappedSub("AddItem", [&] {
        if (!ItemStringAccepted(strItem, rows.lngColumnWidths)) return;
        // A table that already ends at the last counted row of this column count takes the
        // row in one pass over the text; any other is checked and shaped first.
        if (!TableEndsAtListCount() && !PrepareTableForRow(strItem)) return;
        if (!rows.varItems.TryAppendLast([&](auto emplace) { ForEachField(strItem, emplace); })) {
            UsageMessage(messages::ColumnItems(settings.intColumnCount));
            return;
        }
        ++rows.lngListCount;
        SendMessage(lstListBox.hWnd(), LB_SETCOUNT, static_cast<WPARAM>(rows.lngListCount), 0);
    });
}

bool ColumnPick::TableEndsAtListCount() const {
    return rows.varItems.Dimensions() == 2 && rows.varItems.Extent(0) == settings.intColumnCount &&
           rows.varItems.Extent(1) == rows.lngListCount;
}

bool ColumnPick::PrepareTableForRow(const std::string& strItem) {
    if (CountFields(strItem) != static_cast<std::size_t>(settings.intColumnCount)) {
        UsageMessage(messages::ColumnItems(settings.intColumnCount));
        return false;
    }
    // The table keeps its rows and grows by one; it cannot change its column count.
    if (!rows.varItems.Allocated()) {
        rows.varItems = VariantArray({settings.intColumnCount, 0});
    } else if (rows.varItems.Extent(0) != settings.intColumnCount) {
        Raise(vberr::SubscriptOutOfRange);
    }
    rows.varItems.ResizeLast(rows.lngListCount);
    return true;
}

void ColumnPick::AddList(const std::string& strItem) {
    TrappedSub("AddList", [&] {
        if (!ItemStringAccepted(strItem, rows.lngColumnWidths)) return;
        const std::int32_t columns = settings.intColumnCount;
        // Rows are whole groups of columns; a stored column count below 1 makes no table.
        if (columns == 0) Raise(vberr::DivisionByZero);
        const std::int32_t rowCount = CheckedFieldCount(strItem) / columns;
        if (rowCount < 0) Raise(vberr::SubscriptOutOfRange);
        if (rowCount == 0) {
            // No whole row: the list must not go on counting rows that are gone, nor the
            // searches trust what they learnt of them, nor the marks point into them, even when
            // a list window call fails.
            rows.lngListCount = 0;
            rows.indexes.Clear();
            rows.lngHotRow = -1;
            rows.lngCommittedIndex = -1;
            lstListBox.Clear();
            SendMessage(lstListBox.hWnd(), LB_SETCOUNT, 0, 0);
            Raise(vberr::SubscriptOutOfRange);
        }
        // Fields beyond the last whole row are dropped.
        const std::size_t used =
            static_cast<std::size_t>(rowCount) * static_cast<std::size_t>(columns);
        BlockVector<Variant> entries;
        ForEachField(strItem, [&](std::string_view field) {
            if (entries.size() < used) entries.emplace_back(field);
        });
        rows.varItems = VariantArray({columns, rowCount}, std::move(entries));
        rows.indexes.Clear();
        rows.lngListCount = rowCount;
        // The marks of the old rows go with them, before a failing list window call can leave
        // them pointing into the new ones.
        rows.lngHotRow = -1;
        rows.lngCommittedIndex = -1;
        lstListBox.Clear();
        SendMessage(lstListBox.hWnd(), LB_SETCOUNT, static_cast<WPARAM>(rows.lngListCount), 0);
    });
}

void ColumnPick::Clear() {
    lstListBox.Clear();
    rows.lngListCount = 0;
    rows.indexes.Clear();
    rows.lngHotRow = -1;
    rows.lngCommittedIndex = -1;
    rows.lngListIndex = -1;
    // Last: a stored column count below 1 makes no spare row, and the rows are gone regardless.
    rows.varItems = VariantArray({settings.intColumnCount, 1});
}

void ColumnPick::RemoveItem(const std::int32_t& lngIndex) {
    if (lngIndex >= 0 && rows.lngListCount >= 1) RemoveRow(lngIndex);
}

void ColumnPick::RemoveRow(std::int32_t lngIndex) {
    ListWindowRowsInStep(lstListBox, rows.lngListCount);
    if (lngIndex == rows.lngListCount - 1) {
        lstListBox.RemoveItem(lngIndex);
        // Removing the only row leaves the allocated table as it is.
        if (rows.lngListCount != 1) rows.varItems.ResizeLast(rows.lngListCount - 1);
        --rows.lngListCount;
        rows.indexes.RowRemoved(lngIndex);
    } else if (lngIndex <= rows.lngListCount - 2) {
        auto& entries = rows.varItems.Elements();
        const std::size_t columns = static_cast<std::size_t>(rows.varItems.Extent(0));
        std::move(entries.begin() + static_cast<std::ptrdiff_t>((lngIndex + 1) * columns),
                  entries.begin() + static_cast<std::ptrdiff_t>(rows.lngListCount * columns),
                  entries.begin() + static_cast<std::ptrdiff_t>(lngIndex * columns));
        // The searches follow the rows at once, so that a list window that refuses the removal
        // leaves them finding the rows where they now are.
        rows.indexes.RowRemoved(lngIndex);
        lstListBox.RemoveItem(lngIndex);
        rows.varItems.ResizeLast(rows.lngListCount - 1);
        --rows.lngListCount;
    }
    if (lngIndex == rows.lngCommittedIndex) {
        // The committed row is gone, and so is the text that stood for it, even when the list
        // window fails to follow. The write is the control's own: a matching pass would
        // complete the empty text to the first row and show an item that nobody chose.
        rows.lngListIndex = -1;
        rows.lngCommittedIndex = -1;
        {
            const OwnListSelection own(editing);
            lstListBox.SetListIndex(-1);
        }
        WriteOwnText("");
    } else if (lngIndex < rows.lngCommittedIndex) {
        // Keep showing the same item: the list reports the move and commits it again.
        --rows.lngCommittedIndex;
        rows.lngListIndex = rows.lngCommittedIndex;
        --rows.lngHotRow;
        lstListBox.SetListIndex(rows.lngCommittedIndex);
    }
}

std::int32_t ColumnPick::ListCount() const {
    return rows.lngListCount;
}

Variant ColumnPick::ArrayWithItems() const {
    return Variant(std::make_shared<VariantArray>(rows.varItems));
}

}  // namespace cp
