// The searches of any part of a row: a word start or any place in one of the searched columns,
// besides the prefix of the first column. Texts are compared folded (table/CaseFold.h), so that
// the case is ignored as the host ignores it; every search here reads the table row by row and
// is what the search index (table/SearchIndex.h) answers faster.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <algorithm>

#include "runtime/Variant.h"
#include "table/CaseFold.h"
#include "table/CellTable.h"

namespace cp {

// Where the typed text must stand in an entry for its row to match.
enum class MatchMode : std::int16_t {
    Prefix = 0,     // at the start of the first column
    WordStart = 1,  // at the start of a word of a searched column
    Contains = 2,   // anywhere in a searched column
};

inline constexpr MatchMode kLastMatchMode = MatchMode::Contains;

// What a search looks for beside the text: the mode and the columns it reads, in the order the
// host named them. The prefix mode reads the first column whatever the columns say.
struct SearchRule {
    MatchMode mode = MatchMode::Prefix;
    std::vector<std::int16_t> columns{0};

    bool operator==(const SearchRule&) const = default;
    // The columns the mode reads.
    std::vector<std::int16_t> ReadColumns() const;
};

// "0;2": distinct column numbers from 0 to columnCount - 1, separated by ";"; nothing for any
// other text (an empty one included).
std::optional<std::vector<std::int16_t>> ParseSearchColumns(std::string_view text,
                                                            std::int16_t columnCount);
// The columns as the host wrote them back: "0;2".
std::string SearchColumnsText(const std::vector<std::int16_t>& columns);

// True for the characters that end a word: spaces, punctuation and symbols.
bool IsWordSeparator(char32_t c);

// True for a folded text of separators alone (the empty one included).
bool OnlySeparators(std::string_view folded);

// The folded text of an entry: empty for Null and for an entry without a text form, which no
// search finds.
void AppendFoldedEntry(const CaseFold& fold, const Variant& entry, std::string& out);
void AppendFoldedEntry(const CaseFold& fold, const CellView& entry, std::string& out);

// The first place at or after `from` where needle stands in the folded entry under the mode,
// std::string_view::npos for none. A needle that holds no character but separators starts no
// word.
std::size_t FindInEntry(std::string_view entry, std::string_view needle, MatchMode mode,
                        std::size_t from = 0);
// True when the folded needle stands at `at` of the folded entry under the mode (the place is
// one where needle's bytes lie).
bool StandsAt(std::string_view entry, std::size_t at, std::string_view needle, MatchMode mode);

// Reads an entry for a scan: the item table's in place, an array's as it is.
inline CellView ScannedEntry(const CellTable& table, std::int32_t column, std::int32_t row) {
    return table.ViewAt(column, row);
}
inline const Variant& ScannedEntry(const VariantArray& table, std::int32_t column,
                                   std::int32_t row) {
    return table.At(column, row);
}

// Every row of the first count rows of a table (the item table's cells or an array of Variants)
// that matches text under the rule, in table order, read row by row: the reference that the
// index is held against.
template <class Table>
std::vector<std::int32_t> ScanMatches(const Table& table, std::int32_t count,
                                      const SearchRule& rule, std::string_view text) {
    const CaseFold fold;
    std::string needle;
    fold.Append(text, needle);
    std::vector<std::int32_t> found;
    if (table.Dimensions() != 2) return found;
    const std::int32_t rows = std::clamp(count, 0, table.Extent(1));
    const std::vector<std::int16_t> columns = rule.ReadColumns();
    std::string entry;
    for (std::int32_t r = 0; r < rows; ++r) {
        const bool match = needle.empty() || std::ranges::any_of(columns, [&](std::int16_t c) {
                               if (c >= table.Extent(0)) return false;
                               entry.clear();
                               AppendFoldedEntry(fold, ScannedEntry(table, c, r), entry);
                               return FindInEntry(entry, needle, rule.mode) != std::string::npos;
                           });
        if (match) found.push_back(r);
    }
    return found;
}

}  // namespace cp

namespace cp {

// The characters [first, first + count) of text that the typed text matches under the mode, for
// drawing them marked; nothing when it does not match there.
struct MatchedCharacters {
    std::size_t first = 0;
    std::size_t count = 0;
};
std::optional<MatchedCharacters> FindMatchedCharacters(std::string_view text,
                                                       std::string_view typed, MatchMode mode);

}  // namespace cp
