// One stretch of consecutive rows of the first-column index: its rows ordered by their folded
// texts (CaseFold), so that the rows that begin with a text are one range of that order, and
// the smallest row of any range at hand (RowMinimum), which is the first of them in table order.
// Every sixteenth place keeps its first eight folded bytes, which narrows a search to a few
// places before any entry is read. Rows are kept as offsets from the stretch's first row, so
// that a removal before the stretch only moves the stretch.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "runtime/RuntimeError.h"
#include "runtime/Variant.h"
#include "table/CaseFold.h"
#include "table/CellTable.h"
#include "table/RowMinimum.h"

namespace cp {

class PrefixChunk {
public:
    // Indexes the rows first to last - 1 of the table's first column, which must hold them.
    PrefixChunk(const CellTable& table, std::int32_t first, std::int32_t last,
                const CaseFold& fold);

    std::int32_t First() const { return first_; }
    std::int32_t End() const { return end_; }

    // The first row of the stretch whose text begins with the folded prefix; -1 for none. Fails
    // with the error of an entry without a text form that comes before it.
    std::int32_t Find(const CellTable& table, std::string_view prefix, const CaseFold& fold) const;
    // A row before or inside the stretch is gone and the rows after it moved up by one. False
    // when the stretch cannot follow (the row was its first without a text form).
    bool RowRemoved(std::int32_t row);

private:
    struct Sample {
        std::uint64_t head;   // the first eight folded bytes at that place
        std::uint32_t place;  // the place in offsets_
    };
    // The first row whose entry has no text form: a search reaching it fails with its error.
    struct Failure {
        std::int32_t offset;
        RuntimeError error;
    };

    void OrderLongTies(std::vector<FoldedKey>& keys, const CellTable& table,
                       const CaseFold& fold) const;
    std::pair<std::size_t, std::size_t> SampledPlaces(std::string_view prefix) const;
    PrefixOrder OrderAt(const CellTable& table, std::size_t place, std::string_view prefix,
                        const CaseFold& fold) const;

    std::int32_t first_;                 // the first row of the stretch
    std::int32_t end_;                   // the row after its last
    std::vector<std::int32_t> offsets_;  // rows without Null, by folded text, then by row
    std::vector<Sample> samples_;        // every kSamplePlaces-th place of offsets_
    RowMinimum minimum_;                 // the smallest offset of any range of offsets_
    std::optional<Failure> failure_;     // the first row of the stretch without a text form
};

// Calls use with the text form of a non-Null entry; Strings are used where they lie.
template <class Use>
auto WithText(const CellView& entry, Use&& use) {
    if (entry.IsString()) return use(entry.String());
    const std::string text = CStr(entry.ToVariant());
    return use(std::string_view(text));
}

}  // namespace cp
