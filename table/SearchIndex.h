// The index of the word-start and contains searches (and of the prefix search when the list
// shows only the matching rows): the folded text of the searched columns of every row
// (table/FoldedRows.h), searched at the speed of a memory search and stopped at the first rows
// it needs, and for the word-start searches the sorted places where words start
// (table/WordStarts.h). A text that extends the previous one is looked for only in the rows
// that the previous search found, when they are fewer than the places the word starts give.
// Rows are folded a stretch at a time when a search first reaches them (the first screen of a
// search after a fill folds the stretches that hold it), rows added at the end when a search
// reads past the old end.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"
#include "table/CaseFold.h"
#include "table/CellTable.h"
#include "table/FoldedRows.h"
#include "table/IndexCoverage.h"
#include "table/RowSearch.h"
#include "table/WordStarts.h"

namespace cp {

inline constexpr std::size_t kAllMatches = std::numeric_limits<std::size_t>::max();
// Rows folded at a time by a search that reaches rows not folded yet: a few milliseconds.
inline constexpr std::int32_t kFoldedStretch = 1 << 14;

// The first matches of an answer found a stretch of rows at a time, and whether they are all.
struct FirstMatches {
    std::vector<std::int32_t> rows;
    bool whole = true;
};

// How a resumed answer stands after a stretch.
enum class AnswerProgress {
    More,     // rows remain to be searched
    Whole,    // every row has been searched
    Dropped,  // the answer is gone (the rows, the columns or the locale changed): start again
};

class SearchIndex {
public:
    // A table of fewer than scannedRows rows has its word starts read in the folded rows; a
    // search folds the rows it reaches foldedStretch at a time.
    explicit SearchIndex(std::int32_t scannedRows = kScannedRows,
                         std::int32_t foldedStretch = kFoldedStretch)
        : foldedStretch_(foldedStretch), words_(scannedRows) {}

    // The rows of the first count rows that match text under the rule, in table order, at most
    // limit of them. An empty text matches every row.
    std::vector<std::int32_t> Find(const CellTable& table, std::int32_t count,
                                   const SearchRule& rule, std::string_view text,
                                   std::size_t limit = kAllMatches);
    // The same answer as Find without a limit, found a stretch of rows at a time: the first
    // `first` matches at once, the others by Resume, so that the first screen of a long answer
    // waits for no more than itself. Fewer than `first` matches are the whole answer (which also
    // comes at once, longer, for a text that the folded rows cannot be searched for). A text
    // that extends the one of an answer left unfinished goes on from what that one found.
    FirstMatches Start(const CellTable& table, std::int32_t count, const SearchRule& rule,
                       std::string_view text, std::size_t first);
    // Searches at most `stretch` more rows of the answer that Start began and appends the
    // matches among them to found.
    AnswerProgress Resume(const CellTable& table, std::int32_t count, std::int32_t stretch,
                          std::vector<std::int32_t>& found);
    // Folds at most stretch more of the first count rows for the rule's columns ahead of any
    // search; false once they are all folded.
    bool FoldAhead(const CellTable& table, std::int32_t count, const SearchRule& rule,
                   std::int32_t stretch);
    // The table was replaced or changed in place.
    void Clear();
    // The row is gone and the rows after it moved up by one.
    void RowRemoved(std::int32_t row);
    // The bytes the index holds.
    std::size_t MemoryBytes() const;

private:
    // The answer to a whole search, which a search for a longer text refines.
    struct Answer {
        SearchRule rule;
        std::string needle;
        std::int32_t rows = 0;  // the rows searched
        std::vector<std::int32_t> found;
    };
    // An answer that Start began: the matches of the rows searched so far, and the rows that
    // the answer it refines found after them.
    struct Progress {
        Answer known;                // the matches of rows 0 to known.rows - 1
        std::optional<Answer> base;  // a superset of the matches up to its rows, in table order
        std::size_t baseAt = 0;      // the first of base's rows not checked yet
    };
    // What one search looks for.
    struct Query {
        const CellTable& table;
        std::string_view needle;
        MatchMode mode;
        std::size_t limit;
    };

    void TakeRule(const SearchRule& rule);
    void SettleProgress(std::int32_t rows);
    void SearchStretch(Progress& progress, const Query& query, std::int32_t end);
    void DropRowsBeyond(std::int32_t rows);
    std::vector<std::int32_t> Search(const SearchRule& rule, const Query& query, std::int32_t rows);
    bool RowMatches(std::int32_t row, const Query& query) const;
    void ScanFrom(std::int32_t first, std::int32_t rows, const Query& query,
                  std::vector<std::int32_t>& found);
    void ScanFolded(std::int32_t first, std::int32_t rows, const Query& query,
                    std::vector<std::int32_t>& found) const;
    void ScanContains(std::int32_t first, std::int32_t rows, const Query& query,
                      std::vector<std::int32_t>& found) const;
    bool Refines(const SearchRule& rule, std::string_view needle, std::int32_t rows) const;
    bool WordStartsServe(const Query& query, std::int32_t rows);
    void FindWordStarts(std::int32_t rows, const Query& query, std::vector<std::int32_t>& found);

    CaseFold fold_;                       // the host's upper case when the rows were folded
    std::uint64_t localeGeneration_ = 0;  // the locale that fold_ was taken from
    std::vector<std::int16_t> columns_;   // the columns folded, in this order
    std::int32_t foldedStretch_;          // rows folded at a time
    FoldedRows folded_;                   // the folded rows
    WordStarts words_;                    // where their words start
    std::optional<Answer> last_;          // the previous whole answer
    std::optional<Progress> progress_;    // the answer that Start began and Resume goes on with
};

}  // namespace cp
