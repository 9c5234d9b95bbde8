#include "table/SearchIndex.h"

#include <algorithm>

#include "runtime/Locale.h"
#include "runtime/RuntimeError.h"

namespace cp {
namespace {

constexpr char kEntryEnd = '\0';
// What a zero byte inside an entry is held as, so that it cannot end the entry early.
constexpr char kHeldZero = '\x01';

}  // namespace

std::vector<std::int32_t> SearchIndex::Find(const VariantArray& table, std::int32_t count,
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
    FoldRows(table, rows);
    if (Refines(rule, needle, rows)) {
        for (const std::int32_t row : last_->found) {
            if (found.size() == limit) break;
            if (RowMatches(row, needle, rule.mode)) found.push_back(row);
        }
        if (found.size() < limit) ScanFrom(last_->rows, rows, needle, rule.mode, limit, found);
    } else {
        ScanFrom(0, rows, needle, rule.mode, limit, found);
    }
    if (found.size() < limit) last_ = Answer{rule, needle, rows, found};
    return found;
}

void SearchIndex::Clear() {
    text_.clear();
    rowEnds_.clear();
    last_.reset();
}

void SearchIndex::RowRemoved(std::int32_t row) {
    last_.reset();
    if (row < 0 || static_cast<std::size_t>(row) >= rowEnds_.size()) return;
    // The rows from the removed one on are folded again when a search reaches them.
    text_.resize(RowStart(row));
    rowEnds_.resize(static_cast<std::size_t>(row));
}

std::size_t SearchIndex::MemoryBytes() const {
    return text_.capacity() + rowEnds_.capacity() * sizeof(std::uint32_t) +
           (last_ ? last_->found.capacity() * sizeof(std::int32_t) : 0);
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

void SearchIndex::FoldRows(const VariantArray& table, std::int32_t rows) {
    // Rows beyond the counted ones are no rows of the table any more.
    if (static_cast<std::size_t>(rows) < rowEnds_.size()) RowRemoved(rows);
    const std::int32_t tableColumns = table.Extent(0);
    for (auto r = static_cast<std::int32_t>(rowEnds_.size()); r < rows; ++r) {
        for (const std::int16_t c : columns_) {
            const std::size_t start = text_.size();
            if (c < tableColumns) AppendFoldedEntry(fold_, table.At(c, r), text_);
            std::replace(text_.begin() + static_cast<std::ptrdiff_t>(start), text_.end(), kEntryEnd,
                         kHeldZero);
            text_ += kEntryEnd;
        }
        if (text_.size() > std::numeric_limits<std::uint32_t>::max()) Raise(vberr::OutOfMemory);
        rowEnds_.push_back(static_cast<std::uint32_t>(text_.size()));
    }
}

std::size_t SearchIndex::RowStart(std::int32_t row) const {
    return row == 0 ? 0 : rowEnds_[static_cast<std::size_t>(row) - 1];
}

bool SearchIndex::RowMatches(std::int32_t row, std::string_view needle, MatchMode mode) const {
    if (needle.empty()) return true;
    const std::string_view bytes(text_.data() + RowStart(row),
                                 rowEnds_[static_cast<std::size_t>(row)] - RowStart(row));
    std::size_t start = 0;
    for (std::size_t end = bytes.find(kEntryEnd); end != std::string_view::npos;
         start = end + 1, end = bytes.find(kEntryEnd, start)) {
        if (FindInEntry(bytes.substr(start, end - start), needle, mode) != std::string_view::npos)
            return true;
    }
    return false;
}

// The whole buffer is searched at once; each place found is checked in its entry, and a row
// found is left at its end.
void SearchIndex::ScanFrom(std::int32_t first, std::int32_t rows, std::string_view needle,
                           MatchMode mode, std::size_t limit,
                           std::vector<std::int32_t>& found) const {
    if (first >= rows) return;
    if (needle.empty()) {
        for (std::int32_t r = first; r < rows && found.size() < limit; ++r)
            found.push_back(r);
        return;
    }
    const std::string_view all(text_.data(), rowEnds_[static_cast<std::size_t>(rows) - 1]);
    std::size_t at = RowStart(first);
    while ((at = all.find(needle, at)) != std::string_view::npos) {
        const auto end = std::upper_bound(rowEnds_.begin(), rowEnds_.end(), at);
        const auto row = static_cast<std::int32_t>(end - rowEnds_.begin());
        const std::size_t entryStart = all.rfind(kEntryEnd, at);
        const std::size_t start =
            entryStart == std::string_view::npos ? 0 : std::max(entryStart + 1, RowStart(row));
        const std::size_t entryEnd = all.find(kEntryEnd, at);
        const std::string_view entry = all.substr(start, entryEnd - start);
        if (FindInEntry(entry, needle, mode, at - start) != std::string_view::npos) {
            found.push_back(row);
            if (found.size() == limit) return;
            at = *end;
        } else {
            // The rest of the entry holds no place that stands as the mode wants.
            at = entryEnd + 1;
        }
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

}  // namespace cp
