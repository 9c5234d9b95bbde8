// The fills from a database: a query opened as a snapshot, or a recordset the host opened.
// Both replace the item table with the rows that GetRows delivers and clear the list's
// selection state; neither touches the current row, the text or the column count. The fields'
// names become the header's captions wherever the host gave none.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "control/CellsFromFields.h"
#include "control/ColumnPick.h"
#include "control/FillReport.h"
#include "data/Database.h"
#include "data/HostObjects.h"
#include "data/RecordsetRows.h"
#include "reports/Messages.h"
#include "reports/Reports.h"

namespace cp {
namespace {

// The rows of rs written straight into cells.
std::int32_t LoadCells(Recordset& rs, CellTable& cells) {
    CellsFromFields fields(cells);
    const std::int32_t loaded = LoadRows(rs, fields);
    fields.Finish();
    return loaded;
}

}  // namespace

void ColumnPick::FillComboBoxMultiColumn(Database& dbDatabase, const std::string& strSelectQuery) {
    const auto describe = [&](const RuntimeError& e) {
        return QueryFailureDescription(e, dbDatabase);
    };
    TrappedFill(titles::kQueryFill, describe, [&] {
        if (columns.lngColumnWidths.at(0) == 0) {
            UsageMessage(messages::kFillWidthsFirst);
            return;
        }
        LeaveServerMode();
        host::SetScreenMousePointer(vbHourglass);
        const std::shared_ptr<Recordset> rs =
            dbDatabase.OpenRecordset(strSelectQuery, dbOpenSnapshot);
        if (!rs) Raise(vberr::ObjectNotSet);
        // The list is empty from here on; the count and the marks of the old rows follow it
        // until the new rows are in, so that a failure on the way leaves none of them behind.
        lstListBox.Clear();
        columns.fieldCaptions.clear();
        std::vector<std::string> names;
        rows.Refill([&](CellTable& cells) {
            const std::int32_t loaded = LoadCells(*rs, cells);
            names = rs->FieldNames();
            rs->Close();
            return loaded;
        });
        columns.fieldCaptions = std::move(names);
        ShowFilledRows();
    });
}

void ColumnPick::FillComboBoxMultiColumnRecordset(const Variant& rec) {
    TrappedFill(titles::kRecordsetFill, RecordsetFailureDescription, [&] {
        if (columns.lngColumnWidths.at(0) == 0) {
            UsageMessage(messages::kFillWidthsFirst);
            return;
        }
        LeaveServerMode();
        host::SetScreenMousePointer(vbHourglass);
        lstListBox.Clear();
        columns.fieldCaptions.clear();
        std::vector<std::string> names;
        // The host's recordset is read from its current row on and left open.
        rows.Refill([&](CellTable& cells) {
            const std::shared_ptr<Recordset> rs = RecordsetOf(rec);
            const std::int32_t loaded = LoadCells(*rs, cells);
            names = rs->FieldNames();
            return loaded;
        });
        columns.fieldCaptions = std::move(names);
        ShowFilledRows();
    });
}

void ColumnPick::ShowFilledRows() {
    MatchListWindowCount();
    ScheduleFoldSteps();
    host::SetScreenMousePointer(vbDefault);
}

}  // namespace cp
