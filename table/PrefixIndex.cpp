#include "table/PrefixIndex.h"

#include <algorithm>
#include <limits>

#include "runtime/Locale.h"
#include "runtime/RuntimeError.h"
#include "runtime/Utf8.h"

namespace cp {

std::int32_t PrefixIndex::Find(const CellTable& table, std::int32_t count, std::string_view text) {
    if (localeGeneration_ != LocaleGeneration()) {
        // Built under another upper case: the order of the texts may differ.
        Clear();
        fold_ = CaseFold();
        localeGeneration_ = LocaleGeneration();
    }
    const std::string prefix = FoldedPrefix(text);
    const std::int32_t rows = RowsHeld(table, count, 0);
    if (rows < coverage_.Covered()) Clear();
    if (!coverage_.Reaches(rows)) BuildNextChunk(table, rows);
    for (const PrefixChunk& chunk : chunks_) {
        const std::int32_t found = chunk.Find(table, prefix, fold_);
        if (found >= 0) return found;
    }
    return FindAfter(table, count, prefix);
}

void PrefixIndex::Clear() {
    coverage_.Cover(0);
    chunks_.clear();
}

std::string PrefixIndex::FoldedPrefix(std::string_view text) const {
    constexpr auto kMaxCharacters =
        static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max());
    if (text.size() > kMaxCharacters && utf8::Length(text) > kMaxCharacters) Raise(vberr::Overflow);
    std::string prefix;
    fold_.Append(text, prefix);
    return prefix;
}

// The last stretch is built again with the new rows while it is not full.
void PrefixIndex::BuildNextChunk(const CellTable& table, std::int32_t rows) {
    std::int32_t first = coverage_.Covered();
    if (!chunks_.empty() && chunks_.back().End() - chunks_.back().First() < chunkRows_)
        first = chunks_.back().First();
    const std::int32_t last = first + std::min(chunkRows_, rows - first);
    PrefixChunk chunk(table, first, last, fold_);
    if (first < coverage_.Covered()) chunks_.pop_back();
    chunks_.push_back(std::move(chunk));
    coverage_.Cover(last);
}

// The rows after the index, one by one, as they come.
std::int32_t PrefixIndex::FindAfter(const CellTable& table, std::int32_t count,
                                    std::string_view prefix) const {
    for (std::int32_t r = coverage_.Covered(); r < count; ++r) {
        const CellView entry = table.ViewAt(0, r);
        if (entry.IsNull()) continue;
        const PrefixOrder order =
            WithText(entry, [&](std::string_view text) { return fold_.Order(text, prefix); });
        if (order == PrefixOrder::Within) return r;
    }
    return -1;
}

void PrefixIndex::RowRemoved(std::int32_t row) {
    if (row >= coverage_.Covered()) return;
    for (PrefixChunk& chunk : chunks_) {
        if (!chunk.RowRemoved(row)) {
            // Rare enough to build again from the next search on.
            Clear();
            return;
        }
    }
    std::erase_if(chunks_, [](const PrefixChunk& c) { return c.First() == c.End(); });
    coverage_.Cover(coverage_.Covered() - 1);
}

}  // namespace cp
