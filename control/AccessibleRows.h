// What assistive technology reads of the list's rows, in the window system's own terms but free
// of any one of them: the platform's accessible objects are thin wrappers around these answers.
// Rows are numbered from 0 here; the accessible objects number their children from 1.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "control/ServerFilter.h"
#include "control/ServerRows.h"
#include "control/ShownRows.h"
#include "control/StateRecord.h"
#include "platform/AccessibleControl.h"
#include "platform/Host.h"
#include "platform/basApi.h"
#include "table/ItemTable.h"

namespace cp {

// Answers about the rows of one control, read at the moment of asking: nothing is kept per row,
// so a list of a million rows costs no more than one of ten. A row that does not exist (beyond
// the rows, or removed since the reader last asked) has no answer.
class AccessibleRows {
public:
    AccessibleRows(const Settings& settings, const ItemTable& rows, const ShownRows& shown,
                   const ColumnState& columns, const DropDownState& dropDown, ListBox& list,
                   const ServerRows& server, const ServerFilter& filter)
        : settings_(settings),
          rows_(rows),
          shown_(shown),
          columns_(columns),
          dropDown_(dropDown),
          list_(list),
          server_(server),
          filter_(filter) {}

    // The rows are those the list shows, numbered as it shows them.
    std::int32_t Count() const { return shown_.Count(rows_); }
    bool Exists(std::int32_t row) const { return row >= 0 && row < Count(); }
    // The row's visible columns (width above 0) left to right, joined as one reads them
    // ("Germany, DE, DEU"); empty cells are left out.
    std::optional<std::string> Name(std::int32_t row) const;
    std::optional<RowReading> States(std::int32_t row) const;
    // The row's band in pixels of the list's client area; rows scrolled out of view lie above
    // or below it.
    std::optional<RECT> Band(std::int32_t row) const;
    // The row whose band holds the point (pixels of the list's client area) among the rows the
    // open list shows.
    std::optional<std::int32_t> RowAt(POINT client) const;
    // The list's current row; -1 for none.
    std::int32_t Current() const;

private:
    bool ColumnShown(std::int32_t column) const;
    // The first and the number of the rows that the open list shows.
    std::int32_t Top() const;
    std::int32_t Shown() const;

    const Settings& settings_;
    const ItemTable& rows_;
    const ShownRows& shown_;
    const ColumnState& columns_;
    const DropDownState& dropDown_;
    ListBox& list_;
    const ServerRows& server_;
    const ServerFilter& filter_;  // in server mode, the rows of a filtered list
};

}  // namespace cp
