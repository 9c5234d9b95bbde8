// The lookups into the item table that do not read it row by row: the prefix search on the first
// column, the search of a value in the bound column and the searches of any part of a row. They
// live beside the table and are told of every change of its rows; rows added at the end need no
// word, and a change of the host's locale or of the searched column is noticed at the next search.
#pragma once

#include <cstdint>
#include <string_view>

#include "table/PrefixIndex.h"
#include "table/SearchIndex.h"
#include "table/ValueIndex.h"

namespace cp {

class ItemIndexes {
public:
    // The first row whose first column begins with text, ignoring case; -1 for none.
    std::int32_t FindPrefix(const CellTable& table, std::int32_t count, std::string_view text) {
        return prefix_.Find(table, count, text);
    }
    // The first row whose entry in column equals key; -1 for none.
    std::int32_t FindValue(const CellTable& table, std::int32_t count, std::int32_t column,
                           const Variant& key) {
        return value_.Find(table, count, column, key);
    }
    // The matching rows, in table order, at most limit of them (table/SearchIndex.h).
    std::vector<std::int32_t> FindMatches(const CellTable& table, std::int32_t count,
                                          const SearchRule& rule, std::string_view text,
                                          std::size_t limit) {
        return search_.Find(table, count, rule, text, limit);
    }
    bool FoldAhead(const CellTable& table, std::int32_t count, const SearchRule& rule,
                   std::int32_t stretch) {
        return search_.FoldAhead(table, count, rule, stretch);
    }
    // The same answer a stretch of rows at a time (SearchIndex::Start, SearchIndex::Resume).
    FirstMatches StartMatches(const CellTable& table, std::int32_t count, const SearchRule& rule,
                              std::string_view text, std::size_t first) {
        return search_.Start(table, count, rule, text, first);
    }
    AnswerProgress ResumeMatches(const CellTable& table, std::int32_t count, std::int32_t stretch,
                                 std::vector<std::int32_t>& found) {
        return search_.Resume(table, count, stretch, found);
    }
    std::size_t SearchMemoryBytes() const { return search_.MemoryBytes(); }
    // The table was replaced, or changed other than at its end.
    void Clear() {
        prefix_.Clear();
        value_.Clear();
        search_.Clear();
    }
    // Indexes every table from its first row on, in stretches of chunkRows, instead of
    // searching small tables row by row: for the checks that hold the indexes against those
    // searches on tables of a few rows.
    void IndexEveryTable(std::int32_t chunkRows) {
        prefix_ = PrefixIndex(0, chunkRows);
        value_ = ValueIndex(0);
        search_ = SearchIndex(0, chunkRows);
    }
    // The row is gone and the rows after it moved up by one.
    void RowRemoved(std::int32_t row) {
        prefix_.RowRemoved(row);
        value_.RowRemoved(row);
        search_.RowRemoved(row);
    }

private:
    PrefixIndex prefix_;
    ValueIndex value_;
    SearchIndex search_;
};

}  // namespace cp
