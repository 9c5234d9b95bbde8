#include "control/ServerFilter.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <limits>

namespace cp {
namespace {

std::int32_t Clamped(std::int64_t count) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        count, 0, std::numeric_limits<std::int32_t>::max() - ServerFilter::kFirstSlot));
}

}  // namespace

void ServerFilter::Show(TextMatch match, const std::vector<KeyedRow>& first,
                        std::optional<std::int64_t> count) {
    End();
    active_ = true;
    match_ = std::move(match);
    Keep(0, first, 0);
    read_ = Clamped(std::ssize(first));
    // A first read shorter than a page holds every row there is.
    if (std::ssize(first) < ServerRows::kPageRows) count = std::ssize(first);
    if (count) count_ = Clamped(*count);
}

void ServerFilter::Counted(const std::string& text, std::int64_t count) {
    if (!active_ || text != match_.text) return;
    // Rows read from the end stand where the count before put them.
    if (last_ && count_ != Clamped(count)) {
        pages_.erase(*last_);
        last_.reset();
    }
    count_ = Clamped(count);
}

void ServerFilter::CountNow() {
    if (!active_ || count_ || !server_.Source()) return;
    try {
        count_ = Clamped(server_.Source()->CountMatching(match_));
    } catch (...) {
        server_.ReportFailure(std::current_exception());
    }
}

void ServerFilter::End() {
    active_ = false;
    match_ = {};
    pages_.clear();
    places_.clear();
    read_ = 0;
    count_.reset();
    last_.reset();
}

std::int32_t ServerFilter::Count() const {
    if (!active_) return 0;
    // Rows added since the count was made show as they are read.
    if (count_) return std::max(*count_, read_);
    return read_ + 1;
}

std::int32_t ServerFilter::Slot(std::int32_t listRow) const {
    if (listRow < 0 || listRow >= Count()) return -1;
    // Reading the row may find that the rows end before it.
    if (!Load(listRow)) return -1;
    return kFirstSlot + listRow;
}

std::int32_t ServerFilter::ListRow(std::int32_t slot) const {
    if (!active_ || !IsSlot(slot)) return -1;
    const std::int32_t listRow = slot - kFirstSlot;
    return listRow < Count() ? listRow : -1;
}

std::int32_t ServerFilter::ListRowOfKey(const Variant& unique) const {
    return NumberOfKey(pages_, unique).value_or(-1);
}

std::optional<KeyedRow> ServerFilter::RowAt(std::int32_t slot) const {
    std::int32_t at = 0;
    const VariantArray* cells = PageOf(slot, at);
    if (!cells) return std::nullopt;
    return std::prev(pages_.upper_bound(slot - kFirstSlot))->second.Row(at);
}

const VariantArray* ServerFilter::PageOf(std::int32_t slot, std::int32_t& at) const {
    if (ListRow(slot) < 0) return nullptr;
    const std::int32_t listRow = slot - kFirstSlot;
    const Page* page = Load(listRow);
    if (!page) return nullptr;
    at = listRow - std::prev(pages_.upper_bound(listRow))->first;
    return &page->cells;
}

void ServerFilter::ReadThrough(std::int32_t listRow) const {
    while (active_ && !count_ && read_ <= listRow) {
        if (!Load(read_)) return;
    }
}

std::int32_t ServerFilter::Place(std::int32_t slot) const {
    const std::int32_t listRow = ListRow(slot);
    if (listRow < 0) return -1;
    if (const auto known = places_.find(listRow); known != places_.end()) return known->second;
    const std::optional<KeyedRow> row = RowAt(slot);
    if (!row || !server_.Source()) return -1;
    try {
        const std::int32_t place = Clamped(server_.Source()->CountBefore(row->key));
        places_[listRow] = place;
        return place;
    } catch (...) {
        server_.ReportFailure(std::current_exception());
        return -1;
    }
}

const ServerFilter::Page* ServerFilter::Load(std::int32_t listRow) const {
    if (!active_ || listRow < 0 || listRow >= Count() || pages_.empty()) return nullptr;
    const std::shared_ptr<KeyedRows>& source = server_.Source();
    try {
        if (const Page* last = LoadLast(listRow)) return last;
        for (;;) {
            // The first page is always kept: every row is read down from a run read before it.
            const auto& [first, page] = *std::prev(pages_.upper_bound(listRow));
            const std::int32_t from = first + page.Rows();
            if (listRow < from) return &page;
            if (page.Rows() < ServerRows::kPageRows || !source) return nullptr;
            // A far row is reached in long reads, of which only the row's own page is kept.
            const std::int32_t target = listRow / ServerRows::kPageRows * ServerRows::kPageRows;
            auto limit = static_cast<int>(std::min<std::int64_t>(
                std::int64_t{target} - from + ServerRows::kPageRows, kStrideRows));
            // A read up to the rows read from the end takes one row more, to see where they meet.
            const bool meeting = last_ && from < *last_ && std::int64_t{from} + limit >= *last_;
            if (meeting) limit = *last_ - from + 1;
            std::vector<KeyedRow> rows = source->MatchingAfter(match_, page.keys.back(), limit);
            const std::int32_t end = Clamped(std::int64_t{from} + std::ssize(rows));
            if (std::ssize(rows) < limit) count_ = end;
            if (last_) MeetLast(from, rows);
            if (meeting && std::ssize(rows) == limit) rows.pop_back();
            read_ = std::max(read_, Clamped(std::int64_t{from} + std::ssize(rows)));
            if (rows.empty()) return nullptr;
            const std::size_t kept =
                (rows.size() - 1) / ServerRows::kPageRows * ServerRows::kPageRows;
            Keep(from + static_cast<std::int32_t>(kept), rows, kept);
        }
    } catch (...) {
        server_.ReportFailure(std::current_exception());
        return nullptr;
    }
}

const ServerFilter::Page* ServerFilter::LoadLast(std::int32_t listRow) const {
    const std::shared_ptr<KeyedRows>& source = server_.Source();
    if (last_ && !pages_.contains(*last_)) last_.reset();
    if (!count_ || last_ || !source) return nullptr;
    const std::int32_t count = Count();
    const std::int32_t target = listRow / ServerRows::kPageRows * ServerRows::kPageRows;
    if (std::int64_t{target} + ServerRows::kPageRows < count) return nullptr;
    const auto& [first, page] = *std::prev(pages_.upper_bound(listRow));
    const std::int64_t from = std::int64_t{first} + page.Rows();
    if (listRow < from || page.Rows() < ServerRows::kPageRows) return nullptr;
    if (from + kStrideRows > target) return nullptr;
    const std::int32_t wanted = count - target;
    std::vector<KeyedRow> rows = source->LastMatching(match_, wanted);
    // Fewer rows than counted (some went since), or an engine that cannot read backwards: the
    // rows are read down to it instead.
    if (std::ssize(rows) != wanted) return nullptr;
    Keep(target, rows, 0);
    last_ = target;
    return &pages_.at(target);
}

void ServerFilter::MeetLast(std::int32_t from, std::vector<KeyedRow>& rows) const {
    const auto last = pages_.find(*last_);
    const std::int64_t expected = std::int64_t{*last_} - from;
    const auto met =
        last == pages_.end() ? rows.end() : std::ranges::find_if(rows, [&](const KeyedRow& row) {
            return SameKey(row.key.unique, last->second.keys.front().unique);
        });
    if (met != rows.end() && met - rows.begin() == expected) {
        // They meet where the count put them: the rows from the end are read already.
        rows.erase(met, rows.end());
        last_.reset();
        return;
    }
    // Their first row stands elsewhere, the rows read down go past them without it, or end
    // before them: the count they were placed by was wrong, and they go.
    const bool past = std::ssize(rows) > expected || (count_ && *count_ <= *last_);
    if (met == rows.end() && !past && last != pages_.end()) return;
    if (last != pages_.end()) pages_.erase(last);
    last_.reset();
}

void ServerFilter::Keep(std::int32_t first, const std::vector<KeyedRow>& rows,
                        std::size_t from) const {
    if (from >= rows.size()) return;
    Page kept = ServerPage::Of(rows, from, server_.FieldCount());
    while (pages_.size() > kKeptPages) {
        const auto farthest = std::max_element(std::next(pages_.begin()), pages_.end(),
                                               [&](const auto& a, const auto& b) {
                                                   return std::abs(std::int64_t{a.first} - first) <
                                                          std::abs(std::int64_t{b.first} - first);
                                               });
        pages_.erase(farthest);
    }
    pages_[first] = std::move(kept);
}

}  // namespace cp
