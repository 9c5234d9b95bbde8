#include "control/ServerRows.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "reports/ErrorReport.h"
#include "runtime/Conversions.h"

namespace cp {
namespace {

std::int32_t ClampedCount(std::int64_t count) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(count, 0, std::numeric_limits<std::int32_t>::max()));
}

bool SameKey(const Variant& a, const Variant& b) {
    return a.Type() == b.Type() && CStr(a) == CStr(b);
}

}  // namespace

template <class Read, class Result>
Result ServerRows::Guarded(Read&& read, Result fallback) const {
    try {
        return std::forward<Read>(read)();
    } catch (...) {
        if (!reported_) {
            reported_ = true;
            ReportCurrentError(titles::kServerRows.title, titles::kServerRows.message);
        }
        return fallback;
    }
}

void ServerRows::Connect(std::shared_ptr<KeyedRows> source) {
    const auto fields = static_cast<std::int32_t>(source->FieldNames().size());
    const std::int32_t count = ClampedCount(source->Count());
    Disconnect();
    source_ = std::move(source);
    fields_ = fields;
    count_ = count;
    Load(0);
}

void ServerRows::Disconnect() {
    source_.reset();
    pages_.clear();
    count_ = fields_ = 0;
    reported_ = false;
}

bool ServerRows::Recount() {
    if (!Active()) return false;
    const std::int32_t count = Guarded([&] { return ClampedCount(source_->Count()); }, count_);
    if (count == count_) return false;
    count_ = count;
    pages_.clear();
    return true;
}

const VariantArray* ServerRows::PageOf(std::int32_t row, std::int32_t& at) const {
    if (row < 0 || row >= count_) return nullptr;
    const Page* page = Load(row / kPageRows);
    at = row % kPageRows;
    if (!page || at >= page->cells.Extent(1)) return nullptr;
    return &page->cells;
}

const ServerRows::Page* ServerRows::Load(std::int32_t page) const {
    if (!Active() || page < 0 || std::int64_t{page} * kPageRows >= count_) return nullptr;
    if (const auto known = pages_.find(page); known != pages_.end()) return &known->second;
    // The page is read by key from the nearest page read before it, walking there page by page.
    const auto above = pages_.upper_bound(page);
    const bool fromAbove =
        above != pages_.end() &&
        (above == pages_.begin() || above->first - page < page - std::prev(above)->first);
    return Guarded(
        [&]() -> const Page* {
            if (fromAbove) {
                const Page* next = &above->second;
                for (std::int32_t p = above->first - 1; p >= page && next; --p) {
                    next = Keep(p, source_->RowsBefore(next->first, kPageRows));
                }
                return next;
            }
            std::int32_t p = above == pages_.begin() ? 0 : std::prev(above)->first + 1;
            const Page* previous = p == 0 ? nullptr : &std::prev(above)->second;
            if (p == 0) previous = Keep(0, source_->RowsAfter(std::nullopt, kPageRows)), ++p;
            for (; p <= page && previous; ++p) {
                previous = Keep(p, source_->RowsAfter(previous->last, kPageRows));
            }
            return previous;
        },
        static_cast<const Page*>(nullptr));
}

const ServerRows::Page* ServerRows::Keep(std::int32_t page,
                                         const std::vector<KeyedRow>& rows) const {
    if (rows.empty()) return nullptr;
    Page kept;
    kept.cells = VariantArray({fields_, static_cast<std::int32_t>(rows.size())});
    for (std::size_t r = 0; r < rows.size(); ++r) {
        kept.keys.push_back(rows[r].key.unique);
        const auto& fields = rows[r].fields;
        for (std::int32_t c = 0; c < fields_ && static_cast<std::size_t>(c) < fields.size(); ++c) {
            kept.cells.At(c, static_cast<std::int32_t>(r)) = fields[static_cast<std::size_t>(c)];
        }
    }
    kept.first = rows.front().key;
    kept.last = rows.back().key;
    while (pages_.size() >= kKeptPages) {
        const auto farthest = std::ranges::max_element(
            pages_, {}, [&](const auto& p) { return std::abs(std::int64_t{p.first} - page); });
        pages_.erase(farthest);
    }
    return &(pages_[page] = std::move(kept));
}

LocatedRow ServerRows::Locate(KeyedRows& source, std::optional<KeyedRow> found) {
    LocatedRow located;
    if (!found) return located;
    located.before = source.CountBefore(found->key);
    const auto offset = static_cast<int>(located.before % kPageRows);
    std::vector<KeyedRow> rows = source.RowsBefore(found->key, offset);
    if (static_cast<int>(rows.size()) == offset) {
        rows.push_back(*found);
        const auto after = source.RowsAfter(found->key, kPageRows - offset - 1);
        rows.insert(rows.end(), after.begin(), after.end());
        located.page = std::move(rows);
    }
    located.found = std::move(found);
    return located;
}

std::int32_t ServerRows::Adopt(const LocatedRow& located) {
    if (!Active() || !located.found) return -1;
    const std::int32_t row = ClampedCount(located.before);
    if (row >= count_) Recount();
    const std::int32_t page = row / kPageRows;
    const std::int32_t offset = row % kPageRows;
    if (const auto known = pages_.find(page); known != pages_.end()) {
        // The page already read holds the row where the count puts it: nothing moved.
        const auto& keys = known->second.keys;
        if (static_cast<std::size_t>(offset) < keys.size() &&
            SameKey(keys[static_cast<std::size_t>(offset)], located.found->key.unique)) {
            return row;
        }
    }
    // The pages read before may stand on rows that have moved since: they go, and the row's
    // own page comes from the rows read around it.
    pages_.clear();
    Keep(page, located.page);
    return row;
}

void ServerRows::ReportFailure(const std::exception_ptr& failure) const {
    Guarded([&]() -> int { std::rethrow_exception(failure); }, 0);
}

std::int32_t ServerRows::FindPrefix(std::string_view text) {
    if (!Active()) return -1;
    return Guarded([&] { return Adopt(Locate(*source_, source_->FirstWithPrefix(text))); }, -1);
}

std::int32_t ServerRows::FindValue(std::int32_t column, const Variant& value) {
    if (!Active()) return -1;
    return Guarded([&] { return Adopt(Locate(*source_, source_->FirstWithValue(column, value))); },
                   -1);
}

}  // namespace cp
