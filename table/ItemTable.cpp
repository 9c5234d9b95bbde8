#include "table/ItemTable.h"

#include <algorithm>
#include <cstddef>

#include "runtime/RuntimeError.h"
#include "table/ItemString.h"

namespace cp {

bool ItemTable::AppendRow(std::string_view item, std::int16_t columns) {
    // A table that already ends at the last counted row of this column count takes the row in
    // one pass over the text; any other is checked and shaped first.
    if (!EndsAtCount(columns) && !ShapeForRow(item, columns)) return false;
    if (!varItems.TryAppendRow([&](auto append) { ForEachField(item, append); })) return false;
    ++lngListCount;
    ++changes;
    return true;
}

bool ItemTable::EndsAtCount(std::int16_t columns) const {
    return varItems.Dimensions() == 2 && varItems.Extent(0) == columns &&
           varItems.Extent(1) == lngListCount;
}

bool ItemTable::ShapeForRow(std::string_view item, std::int16_t columns) {
    if (CountFields(item) != static_cast<std::size_t>(columns)) return false;
    // The table keeps its rows and grows by one; it cannot change its column count.
    if (!varItems.Allocated()) {
        varItems = CellTable(columns, 0);
    } else if (varItems.Extent(0) != columns) {
        Raise(vberr::SubscriptOutOfRange);
    }
    varItems.ResizeRows(lngListCount);
    return true;
}

void ItemTable::ReplaceRows(VariantArray items) {
    CellTable cells(items);
    items = VariantArray();
    ReplaceRows(std::move(cells));
}

void ItemTable::ReplaceRows(CellTable cells) {
    varItems = std::move(cells);
    ForgetRows();
    lngListCount = varItems.Extent(1);
}

// The searches and the marks of the old rows go with them.
void ItemTable::ForgetRows() {
    ++changes;
    lngListCount = 0;
    indexes.Clear();
    lngHotRow = -1;
    lngCommittedIndex = -1;
}

void ItemTable::Clear(std::int16_t columns) {
    ForgetRows();
    lngListIndex = -1;
    varItems = CellTable(columns, 1);
}

// The rows after row move up by one, and the searches follow them at once.
void ItemTable::MoveRowsUp(std::int32_t row) {
    varItems.RemoveRow(row, lngListCount);
    indexes.RowRemoved(row);
}

// Removing the only row leaves the allocated table as it is.
void ItemTable::DropLastRow() {
    if (lngListCount != 1) varItems.ResizeRows(lngListCount - 1);
    --lngListCount;
}

CommittedRow ItemTable::MarksAfterRemoval(std::int32_t row) {
    if (row == lngCommittedIndex) {
        ForgetSelection();
        return CommittedRow::Removed;
    }
    if (row < lngCommittedIndex) {
        --lngCommittedIndex;
        lngListIndex = lngCommittedIndex;
        --lngHotRow;
        return CommittedRow::MovedUp;
    }
    // A current row that the keys moved to and nobody committed follows its item, as the list
    // window's selection does.
    if (row < lngListIndex) {
        --lngListIndex;
    } else if (row == lngListIndex) {
        lngListIndex = -1;
    }
    return CommittedRow::Stays;
}

}  // namespace cp
