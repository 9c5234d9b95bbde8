// An estimate of the rows' order (data/KeyedRows.h) from the statistics that a server keeps of
// the completion column, as PostgreSQL's ANALYZE does: the share of Null entries, the most
// common entries with their shares, and a histogram of the others (bounds between which equal
// shares of them lie).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/KeyedRows.h"

namespace cp {

// A common entry and the share of the rows that hold it.
struct CommonEntry {
    std::string entry;
    double share = 0;
};

// What the server knows of a column, in the server's own order and case.
struct ColumnStatistics {
    double nullShare = 0;
    std::vector<CommonEntry> common;
    std::vector<std::string> bounds;
};

// The points of the order that the statistics give, folded to ASCII lower case and in byte
// order (the order of the keyed reads), for rows rows.
RowsEstimate HistogramEstimate(std::int64_t rows, const ColumnStatistics& statistics);

}  // namespace cp
