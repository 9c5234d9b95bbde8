// The index of the word-start searches: the places of the folded rows (table/FoldedRows.h) where
// a word starts, sorted by the folded bytes from there to the end of the entry, so that the
// places where a typed text stands at a word start are one range, found by binary search. Four
// bytes a word. Places whose first byte is an ASCII separator are left out: a text beginning
// with one is looked for in the folded rows themselves.
//
// Like the other indexes it holds the first Covered() rows; the rows after them are searched in
// the folded rows until there are too many of them (table/IndexCoverage.h).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "table/FoldedRows.h"
#include "table/IndexCoverage.h"

namespace cp {

class WordStarts {
public:
    explicit WordStarts(std::int32_t scannedRows) : coverage_(scannedRows) {}

    // Whether the index with the rows after it answers for the first rows.
    bool Reaches(std::int32_t rows) const { return coverage_.Reaches(rows); }
    std::int32_t Covered() const { return coverage_.Covered(); }
    // Indexes the first rows of the folded rows.
    void Build(const FoldedRows& folded, std::int32_t rows);
    // The folded rows from row on, whose bytes began at cut, are gone.
    void Truncate(std::size_t cut, std::int32_t row);
    void Clear();

    // True for a folded needle that the index can look for.
    static bool Serves(std::string_view needle);
    // How many indexed places the needle's first eight bytes stand at: at least as many as
    // Places() answers, and cheap.
    std::size_t Count(const FoldedRows& folded, std::string_view needle) const;
    // The places where the needle stands at a word start, in ascending order.
    std::vector<std::uint32_t> Places(const FoldedRows& folded, std::string_view needle) const;

    std::size_t MemoryBytes() const { return places_.capacity() * sizeof(std::uint32_t); }

private:
    using Range = std::pair<std::vector<std::uint32_t>::const_iterator,
                            std::vector<std::uint32_t>::const_iterator>;
    Range RangeOf(const FoldedRows& folded, std::string_view needle) const;

    IndexCoverage coverage_;
    std::vector<std::uint32_t> places_;  // word starts, by their folded bytes to the entry's end
};

// Sorts places in ascending order (a radix sort: ranges of a million places are common).
void SortPlaces(std::vector<std::uint32_t>& places);

}  // namespace cp
