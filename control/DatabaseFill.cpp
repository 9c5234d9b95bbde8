// The fills from a database: a query opened as a snapshot, or a recordset the host opened.
// Both replace the item table with the rows that GetRows delivers and clear the list's
// selection state; neither touches the current row, the text or the column count.
#include <memory>

#include "control/ColumnPick.h"
#include "control/FillReport.h"
#include "data/Database.h"
#include "data/HostObjects.h"
#include "data/RecordsetRows.h"
#include "reports/Messages.h"
#include "reports/Reports.h"

namespace cp {

void ColumnPick::FillComboBoxMultiColumn(Database& dbDatabase, const std::string& strSelectQuery) {
    const auto describe = [&](const RuntimeError& e) {
        return QueryFailureDescription(e, dbDatabase);
    };
    TrappedFill(titles::kQueryFill, describe, [&] {
        if (rows.lngColumnWidths.at(0) == 0) {
            UsageMessage(messages::kFillWidthsFirst);
            return;
        }
        host::SetScreenMousePointer(vbHourglass);
        const std::shared_ptr<Recordset> rs =
            dbDatabase.OpenRecordset(strSelectQuery, dbOpenSnapshot);
        if (!rs) Raise(vberr::ObjectNotSet);
        // The list is empty from here on; the count and the marks of the old rows follow it
        // until the new rows are in, so that a failure on the way leaves none of them behind.
        lstListBox.Clear();
        rows.lngListCount = 0;
        rows.indexes.Clear();
        rows.lngHotRow = -1;
        rows.lngCommittedIndex = -1;
        const std::int32_t loaded = LoadRows(*rs, rows.varItems);
        rs->Close();
        CountFilledRows(loaded);
    });
}

void ColumnPick::FillComboBoxMultiColumnRecordset(const Variant& rec) {
    TrappedFill(titles::kRecordsetFill, RecordsetFailureDescription, [&] {
        if (rows.lngColumnWidths.at(0) == 0) {
            UsageMessage(messages::kFillWidthsFirst);
            return;
        }
        host::SetScreenMousePointer(vbHourglass);
        lstListBox.Clear();
        rows.lngListCount = 0;
        rows.indexes.Clear();
        rows.lngHotRow = -1;
        rows.lngCommittedIndex = -1;
        // The host's recordset is read from its current row on and left open.
        CountFilledRows(LoadRows(*RecordsetOf(rec), rows.varItems));
    });
}

void ColumnPick::CountFilledRows(std::int32_t rowCount) {
    rows.lngListCount = rowCount;
    SendMessage(lstListBox.hWnd(), LB_SETCOUNT, static_cast<WPARAM>(rows.lngListCount), 0);
    host::SetScreenMousePointer(vbDefault);
}

}  // namespace cp
