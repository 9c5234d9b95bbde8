// How far an index of the item table reaches. Rows added at the end since it was built are
// searched one by one after it, until there are too many of them for one keystroke; then the
// index is built again over all rows. A table that never grows beyond that many rows is only
// ever searched one by one and costs no index at all.
#pragma once

#include <algorithm>
#include <cstdint>

#include "runtime/Variant.h"
#include "table/CellTable.h"

namespace cp {

// Rows searched one by one after an index before it is built again: at least this many (a
// fraction of a millisecond), or a share of the indexed rows, so that a table that grows row
// by row pays for each new build with as many rows again over the last.
inline constexpr std::int32_t kScannedRows = 1024;
inline constexpr std::int32_t kScannedShare = 64;

class IndexCoverage {
public:
    explicit IndexCoverage(std::int32_t scannedRows) : scannedRows_(scannedRows) {}

    // Whether the index with the rows after it answers for the first `rows` rows.
    bool Reaches(std::int32_t rows) const {
        return rows >= covered_ &&
               rows - covered_ <= std::max(scannedRows_, covered_ / kScannedShare);
    }
    // The rows the index holds: 0 to Covered() - 1.
    std::int32_t Covered() const { return covered_; }
    void Cover(std::int32_t rows) { covered_ = rows; }

private:
    std::int32_t scannedRows_;  // rows searched one by one at least before a build
    std::int32_t covered_ = 0;  // rows held by the index
};

// The rows of a search that the table has in that column: `count` at most, none when the
// column or the table's shape is not there. A search reads the rows beyond one by one, where
// the table's own error reports them.
inline std::int32_t RowsHeld(const CellTable& table, std::int32_t count, std::int32_t column) {
    if (table.Dimensions() != 2 || column < 0 || column >= table.Extent(0)) return 0;
    return std::clamp(count, 0, table.Extent(1));
}

// Entry (column, row) of a table whose shape the caller has checked, read in place.
inline CellView EntryAt(const CellTable& table, std::int32_t column, std::int32_t row) {
    return table.View(column, row);
}

}  // namespace cp
