// The index of the bound column for Value writes: the rows chained by a hash of their entries,
// each chain in table order, so that the first row of a chain whose entry equals a key is the
// first such row of the table. Equal entries hash alike under the host's Variant equality
// (Strings by their characters, numbers by their value, Empty with both "" and 0), and every
// candidate is confirmed by that equality itself. About eight bytes a row.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/Variant.h"
#include "table/CellTable.h"
#include "table/IndexCoverage.h"

namespace cp {

class ValueIndex {
public:
    explicit ValueIndex(std::int32_t scannedRows = kScannedRows) : coverage_(scannedRows) {}

    // The first of the rows 0 to count - 1 whose entry in column equals key; -1 for none. Fails
    // as a search row by row would: error 9 for a column or a row beyond the table, error 13
    // when an object or an array is compared before the match.
    std::int32_t Find(const CellTable& table, std::int32_t count, std::int32_t column,
                      const Variant& key);
    // The table was replaced or changed in place.
    void Clear();
    // The row is gone and the rows after it moved up by one.
    void RowRemoved(std::int32_t row);

private:
    void Build(const CellTable& table, std::int32_t rows, std::int32_t column);
    std::int32_t FirstEqual(const CellTable& table, std::uint64_t hash, const Variant& key) const;
    std::int32_t FindIndexed(const CellTable& table, const Variant& key) const;
    std::int32_t FindAfter(const CellTable& table, std::int32_t count, const Variant& key) const;

    IndexCoverage coverage_;            // the rows held, and when to build again
    std::int32_t column_ = -1;          // the column the index was built over
    std::vector<std::int32_t> chains_;  // per hash bucket: its first row, or kNoRow
    std::vector<std::int32_t> next_;    // per held row: the next row of its chain, or kNoRow
    std::int32_t firstObject_ = -1;     // the first held row holding an object or array; -1
};

}  // namespace cp
