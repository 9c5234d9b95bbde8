#include "table/SearchIndex.h"

#include <algorithm>
#include <utility>

#include "runtime/Locale.h"

namespace cp {
namespace {

// A word-start text standing at more places than this matches many rows, spread over the
// table as a rule: the first screen of them is found sooner in table order than by placing
// every one of those places in its row.
constexpr std::size_t kFewPlaces = 4096;

// Rows of an earlier answer that stand for more than one row in so many of the rows searched
// are checked one by one more slowly than those rows are searched in the folded rows.
constexpr std::size_t kDenseShare = 16;

bool Dense(std::size_t candidates, std::int32_t rows) {
    return candidates * kDenseShare > static_cast<std::size_t>(std::max(rows, 0));
}

bool IsContinuation(char b) {
    return (static_cast<unsigned char>(b) & 0xC0) == 0x80;
}

}  // namespace

std::vector<std::int32_t> SearchIndex::Find(const CellTable& table, std::int32_t count,
                                            const SearchRule& rule, std::string_view text,
                                            std::size_t limit) {
    std::vector<std::int32_t> found;
    if (table.Dimensions() != 2 || limit == 0) return found;
    const std::int32_t rows = std::clamp(count, 0, table.Extent(1));
    TakeRule(rule);
    std::string needle;
    fold_.Append(text, needle);
    // A zero byte would find the end of one entry and the start of the next; a held one would
    // find the zero bytes of the entries.
    if (needle.find_first_of(std::string_view("\0\x01", 2)) != std::string::npos) {
        found = ScanMatches(table, rows, rule, text);
        if (found.size() > limit) found.resize(limit);
        return found;
    }
    DropRowsBeyond(rows);
    found = Search(rule, Query{table, needle, rule.mode, limit}, rows);
    if (found.size() < limit) last_ = Answer{rule, needle, rows, found};
    return found;
}

std::vector<std::int32_t> SearchIndex::Search(const SearchRule& rule, const Query& query,
                                              std::int32_t rows) {
    std::vector<std::int32_t> found;
    // Separators alone start no word.
    if (query.mode == MatchMode::WordStart && OnlySeparators(query.needle) &&
        !query.needle.empty()) {
        return found;
    }
    const bool refines = Refines(rule, query.needle, rows);
    if (query.mode == MatchMode::WordStart && WordStartsServe(query, rows) &&
        (!refines || last_->found.size() > words_.Count(folded_, query.needle))) {
        FindWordStarts(rows, query, found);
        return found;
    }
    if (refines) {
        for (const std::int32_t row : last_->found) {
            if (found.size() == query.limit) break;
            if (RowMatches(row, query)) found.push_back(row);
        }
        if (found.size() < query.limit) ScanFrom(last_->rows, rows, query, found);
    } else {
        ScanFrom(0, rows, query, found);
    }
    return found;
}

FirstMatches SearchIndex::Start(const CellTable& table, std::int32_t count, const SearchRule& rule,
                                std::string_view text, std::size_t first) {
    FirstMatches result;
    if (table.Dimensions() != 2) return result;
    const std::int32_t rows = std::clamp(count, 0, table.Extent(1));
    TakeRule(rule);
    std::string needle;
    fold_.Append(text, needle);
    if (needle.find_first_of(std::string_view("\0\x01", 2)) != std::string::npos || first == 0) {
        progress_.reset();
        result.rows = Find(table, count, rule, text);
        return result;
    }
    DropRowsBeyond(rows);
    SettleProgress(rows);
    const bool refines = Refines(rule, needle, rows);
    // Rows that many are checked one by one more slowly than the folded rows are searched:
    // the first screen is searched for there, and the answer serves the later stretches.
    std::optional<Answer> dense;
    if (refines && Dense(last_->found.size(), rows)) dense = std::exchange(last_, std::nullopt);
    result.rows = Search(rule, Query{table, needle, rule.mode, first}, rows);
    if (dense) last_ = std::move(dense);
    if (result.rows.size() < first) {
        last_ = Answer{rule, needle, rows, result.rows};
        return result;
    }
    result.whole = false;
    Progress progress{Answer{rule, needle, result.rows.back() + 1, result.rows}, std::nullopt, 0};
    if (refines) {
        progress.base = std::move(last_);
        last_.reset();
        progress.baseAt = static_cast<std::size_t>(
            std::ranges::lower_bound(progress.base->found, progress.known.rows) -
            progress.base->found.begin());
    }
    progress_ = std::move(progress);
    return result;
}

AnswerProgress SearchIndex::Resume(const CellTable& table, std::int32_t count, std::int32_t stretch,
                                   std::vector<std::int32_t>& found) {
    const std::int32_t rows = table.Dimensions() == 2 ? std::clamp(count, 0, table.Extent(1)) : 0;
    if (!progress_ || localeGeneration_ != LocaleGeneration() || rows < progress_->known.rows) {
        progress_.reset();
        return AnswerProgress::Dropped;
    }
    Progress& progress = *progress_;
    const auto end = static_cast<std::int32_t>(
        std::min<std::int64_t>(rows, std::int64_t{progress.known.rows} + std::max(stretch, 1)));
    const std::size_t before = progress.known.found.size();
    SearchStretch(progress,
                  Query{table, progress.known.needle, progress.known.rule.mode, kAllMatches}, end);
    found.insert(found.end(), progress.known.found.begin() + static_cast<std::ptrdiff_t>(before),
                 progress.known.found.end());
    if (end < rows) return AnswerProgress::More;
    last_ = std::move(progress.known);
    progress_.reset();
    return AnswerProgress::Whole;
}

// The rows up to end: the base's rows among them are checked one by one, the rows beyond the
// base are searched in the folded rows.
void SearchIndex::SearchStretch(Progress& progress, const Query& query, std::int32_t end) {
    Answer& known = progress.known;
    if (progress.base) {
        const std::vector<std::int32_t>& candidates = progress.base->found;
        const std::int32_t baseEnd = std::min(end, progress.base->rows);
        const auto stop =
            std::lower_bound(candidates.begin() + static_cast<std::ptrdiff_t>(progress.baseAt),
                             candidates.end(), baseEnd);
        const auto checked = static_cast<std::size_t>(stop - candidates.begin());
        if (baseEnd > known.rows && Dense(checked - progress.baseAt, baseEnd - known.rows)) {
            progress.baseAt = checked;
            ScanFrom(known.rows, baseEnd, query, known.found);
        }
        for (; progress.baseAt < candidates.size() && candidates[progress.baseAt] < baseEnd;
             ++progress.baseAt) {
            const std::int32_t row = candidates[progress.baseAt];
            if (RowMatches(row, query)) known.found.push_back(row);
        }
        known.rows = std::max(known.rows, baseEnd);
    }
    if (end > known.rows) ScanFrom(known.rows, end, query, known.found);
    known.rows = end;
}

// An answer left unfinished serves the next text that extends its own as a whole answer would:
// the rows it found, then the rows its base found after them.
void SearchIndex::SettleProgress(std::int32_t rows) {
    if (!progress_) return;
    Progress progress = std::move(*progress_);
    progress_.reset();
    Answer merged = std::move(progress.known);
    if (progress.base) {
        const auto& candidates = progress.base->found;
        merged.found.insert(merged.found.end(),
                            candidates.begin() + static_cast<std::ptrdiff_t>(progress.baseAt),
                            candidates.end());
        merged.rows = std::max(merged.rows, progress.base->rows);
    }
    if (merged.rows <= rows) last_ = std::move(merged);
}

void SearchIndex::Clear() {
    folded_.Clear();
    words_.Clear();
    last_.reset();
    progress_.reset();
}

void SearchIndex::RowRemoved(std::int32_t row) {
    last_.reset();
    progress_.reset();
    if (row < 0 || row >= folded_.Rows()) return;
    // The rows from the removed one on are folded again when a search reaches them.
    words_.Truncate(folded_.RowStart(row), row);
    folded_.Truncate(row);
}

std::size_t SearchIndex::MemoryBytes() const {
    std::size_t answers = last_ ? last_->found.capacity() : 0;
    if (progress_) {
        answers += progress_->known.found.capacity();
        if (progress_->base) answers += progress_->base->found.capacity();
    }
    return folded_.MemoryBytes() + words_.MemoryBytes() + answers * sizeof(std::int32_t);
}

bool SearchIndex::FoldAhead(const CellTable& table, std::int32_t count, const SearchRule& rule,
                            std::int32_t stretch) {
    if (table.Dimensions() != 2) return false;
    const std::int32_t rows = std::clamp(count, 0, table.Extent(1));
    TakeRule(rule);
    DropRowsBeyond(rows);
    if (folded_.Rows() >= rows) return false;
    const auto end = static_cast<std::int32_t>(
        std::min<std::int64_t>(rows, std::int64_t{folded_.Rows()} + stretch));
    folded_.Fold(fold_, table, columns_, end, rows);
    return end < rows;
}

// Rows folded under another upper case, or of other columns, are folded again.
void SearchIndex::TakeRule(const SearchRule& rule) {
    std::vector<std::int16_t> columns = rule.ReadColumns();
    if (localeGeneration_ != LocaleGeneration()) {
        fold_ = CaseFold();
        localeGeneration_ = LocaleGeneration();
        Clear();
    }
    if (columns != columns_) {
        columns_ = std::move(columns);
        Clear();
    }
}

// Rows beyond the counted ones are no rows of the table any more.
void SearchIndex::DropRowsBeyond(std::int32_t rows) {
    if (rows < folded_.Rows()) RowRemoved(rows);
}

bool SearchIndex::RowMatches(std::int32_t row, const Query& query) const {
    if (query.needle.empty()) return true;
    const std::string_view all = folded_.Bytes(row + 1);
    const std::string_view bytes = all.substr(folded_.RowStart(row));
    std::size_t start = 0;
    for (std::size_t end = bytes.find(kEntryEnd); end != std::string_view::npos;
         start = end + 1, end = bytes.find(kEntryEnd, start)) {
        if (FindInEntry(bytes.substr(start, end - start), query.needle, query.mode) !=
            std::string_view::npos) {
            return true;
        }
    }
    return false;
}

// The rows folded already are searched at once, the others a stretch at a time as they are
// folded.
void SearchIndex::ScanFrom(std::int32_t first, std::int32_t rows, const Query& query,
                           std::vector<std::int32_t>& found) {
    // Every row matches the empty text, folded or not.
    if (query.needle.empty()) {
        ScanFolded(first, rows, query, found);
        return;
    }
    while (first < rows && found.size() < query.limit) {
        const auto stretchEnd = std::int64_t{first} + foldedStretch_;
        const auto end = static_cast<std::int32_t>(
            std::min<std::int64_t>(rows, std::max<std::int64_t>(folded_.Rows(), stretchEnd)));
        folded_.Fold(fold_, query.table, columns_, end, rows);
        ScanFolded(first, end, query, found);
        first = end;
    }
}

// The whole buffer is searched at once; each place found is checked in its entry, and a row
// found is left at its end.
void SearchIndex::ScanFolded(std::int32_t first, std::int32_t rows, const Query& query,
                             std::vector<std::int32_t>& found) const {
    if (first >= rows) return;
    if (query.needle.empty()) {
        for (std::int32_t r = first; r < rows && found.size() < query.limit; ++r)
            found.push_back(r);
        return;
    }
    if (query.mode == MatchMode::Contains) {
        ScanContains(first, rows, query, found);
        return;
    }
    const std::string_view all = folded_.Bytes(rows);
    const std::size_t rarest = folded_.RarestByte(query.needle);
    std::size_t at = folded_.RowStart(first);
    std::int32_t row = first;
    while ((at = FindBytes(all, query.needle, rarest, at)) != std::string_view::npos) {
        row = folded_.RowAt(at, row);
        const std::size_t entryStart = all.rfind(kEntryEnd, at);
        const std::size_t start = entryStart == std::string_view::npos
                                      ? 0
                                      : std::max(entryStart + 1, folded_.RowStart(row));
        const std::size_t entryEnd = all.find(kEntryEnd, at);
        const std::string_view entry = all.substr(start, entryEnd - start);
        if (FindInEntry(entry, query.needle, query.mode, at - start) != std::string_view::npos) {
            found.push_back(row);
            if (found.size() == query.limit) return;
            at = folded_.RowEnd(row);
        } else {
            // The rest of the entry holds no place that stands as the mode wants.
            at = entryEnd + 1;
        }
    }
}

// Any place of the needle's bytes is a match, except one inside a character.
void SearchIndex::ScanContains(std::int32_t first, std::int32_t rows, const Query& query,
                               std::vector<std::int32_t>& found) const {
    const std::string_view all = folded_.Bytes(rows);
    const std::size_t rarest = folded_.RarestByte(query.needle);
    std::size_t at = folded_.RowStart(first);
    std::int32_t row = first;
    while ((at = FindBytes(all, query.needle, rarest, at)) != std::string_view::npos) {
        if (at > 0 && all[at - 1] != kEntryEnd && IsContinuation(all[at])) {
            ++at;
            continue;
        }
        row = folded_.RowAt(at, row);
        found.push_back(row);
        if (found.size() == query.limit) return;
        at = folded_.RowEnd(row);
    }
}

bool SearchIndex::Refines(const SearchRule& rule, std::string_view needle,
                          std::int32_t rows) const {
    if (!last_ || last_->rule != rule || last_->rows > rows) return false;
    // Every row matches the empty text: the buffer is searched faster than row by row.
    if (last_->needle.empty() || !needle.starts_with(last_->needle)) return false;
    // Separators alone start no word, but a text that goes on from them may.
    return rule.mode != MatchMode::WordStart || !OnlySeparators(last_->needle);
}

// The first rows of a search are found soon enough in the folded rows; the word starts are
// indexed for a whole answer, when the rows after the indexed ones are too many to search.
bool SearchIndex::WordStartsServe(const Query& query, std::int32_t rows) {
    if (!WordStarts::Serves(query.needle)) return false;
    if (words_.Reaches(rows)) return true;
    if (query.limit != kAllMatches) return false;
    folded_.Fold(fold_, query.table, columns_, rows, rows);
    words_.Build(folded_, rows);
    return true;
}

void SearchIndex::FindWordStarts(std::int32_t rows, const Query& query,
                                 std::vector<std::int32_t>& found) {
    if (query.limit != kAllMatches && words_.Count(folded_, query.needle) > kFewPlaces) {
        ScanFrom(0, rows, query, found);
        return;
    }
    std::int32_t row = 0;
    for (const std::uint32_t place : words_.Places(folded_, query.needle)) {
        row = folded_.RowAt(place, row);
        if (!found.empty() && found.back() == row) continue;
        found.push_back(row);
        if (found.size() == query.limit) return;
    }
    ScanFrom(words_.Covered(), rows, query, found);
}

}  // namespace cp
