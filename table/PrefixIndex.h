// The index of the first column for the prefix searches: the table in stretches of consecutive
// rows (PrefixChunk), each searched in a few reads of entries, in table order, so that the first
// stretch that holds a match holds the first match. A stretch is built at each search until all
// rows are held, so that no keystroke waits for the whole table to be sorted; rows added at the
// end join the last stretch while it is not full. About five and a half bytes a row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"
#include "table/CaseFold.h"
#include "table/CellTable.h"
#include "table/IndexCoverage.h"
#include "table/PrefixChunk.h"

namespace cp {

// Measured at a million rows of names: a stretch of 2^17 rows is built in 13 to 20 ms, and the
// keystrokes after a fill stay within about 35 ms of the 50 they may take; 2^18 rows took them to
// 40 ms, 2^16 halved them but doubled the stretches that every later search visits.
inline constexpr std::int32_t kChunkRows = 1 << 17;

class PrefixIndex {
public:
    explicit PrefixIndex(std::int32_t scannedRows = kScannedRows,
                         std::int32_t chunkRows = kChunkRows)
        : coverage_(scannedRows), chunkRows_(chunkRows) {}

    // The first of the rows 0 to count - 1 whose first column begins with text, ignoring case as
    // the host does; -1 for none. Fails as a search row by row would: error 6 for a text of more
    // characters than a 16-bit count holds, the error of an entry without a text form met
    // before the match, error 9 for a row beyond the table.
    std::int32_t Find(const CellTable& table, std::int32_t count, std::string_view text);
    // The table was replaced or changed in place.
    void Clear();
    // The row is gone and the rows after it moved up by one.
    void RowRemoved(std::int32_t row);

private:
    std::string FoldedPrefix(std::string_view text) const;
    void BuildNextChunk(const CellTable& table, std::int32_t rows);
    std::int32_t FindAfter(const CellTable& table, std::int32_t count,
                           std::string_view prefix) const;

    IndexCoverage coverage_;              // the rows held, and when to build more
    std::int32_t chunkRows_;              // rows of a full stretch
    CaseFold fold_;                       // the host's upper case when the index was built
    std::uint64_t localeGeneration_ = 0;  // the locale that fold_ was taken from
    std::vector<PrefixChunk> chunks_;     // the stretches, in table order, from row 0 on
};

}  // namespace cp
