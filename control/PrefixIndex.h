// The index of the first column for the prefix searches: the rows ordered by their folded
// texts (CaseFold), so that the rows that begin with a text are one range of that order, and
// the smallest row of any range at hand (RowMinimum), which is the first of them in table order.
// Every sixteenth place keeps its first eight folded bytes, which narrows a search to a few
// places before any entry is read. About five and a half bytes a row.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/CaseFold.h"
#include "control/IndexCoverage.h"
#include "control/RowMinimum.h"
#include "runtime/RuntimeError.h"
#include "runtime/Variant.h"

namespace cp {

class PrefixIndex {
public:
    explicit PrefixIndex(std::int32_t scannedRows = kScannedRows) : coverage_(scannedRows) {}

    // The first of the rows 0 to count - 1 whose first column begins with text, ignoring case as
    // the host does; -1 for none. Fails as a search row by row would: error 6 for a text of more
    // characters than a 16-bit count holds, the error of an entry without a text form met
    // before the match, error 9 for a row beyond the table.
    std::int32_t Find(const VariantArray& table, std::int32_t count, std::string_view text);
    // The table was replaced or changed in place.
    void Clear();
    // The row is gone and the rows after it moved up by one.
    void RowRemoved(std::int32_t row);

private:
    struct Sample {
        std::uint64_t head;   // the first eight folded bytes at that place
        std::uint32_t place;  // the place in rows_
    };
    // The first row whose entry has no text form: a search reaching it fails with its error.
    struct Failure {
        std::int32_t row;
        RuntimeError error;
    };

    std::string FoldedPrefix(std::string_view text) const;
    void Build(const VariantArray& table, std::int32_t rows);
    void OrderLongTies(std::vector<FoldedKey>& keys, const VariantArray& table) const;
    std::int32_t FindIndexed(const VariantArray& table, std::string_view prefix) const;
    std::pair<std::size_t, std::size_t> SampledPlaces(std::string_view prefix) const;
    PrefixOrder OrderAt(const VariantArray& table, std::size_t place,
                        std::string_view prefix) const;
    std::int32_t FindAfter(const VariantArray& table, std::int32_t count,
                           std::string_view prefix) const;

    IndexCoverage coverage_;              // the rows held, and when to build again
    CaseFold fold_;                       // the host's upper case when the index was built
    std::uint64_t localeGeneration_ = 0;  // the locale that fold_ was taken from
    std::vector<std::int32_t> rows_;      // rows without Null, by folded text, then by row
    std::vector<Sample> samples_;         // every kSamplePlaces-th place of rows_
    RowMinimum minimum_;                  // the smallest row of any range of rows_
    std::optional<Failure> failure_;      // the first held row without a text form
};

}  // namespace cp
