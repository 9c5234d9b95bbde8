#include "table/PrefixChunk.h"

#include <algorithm>
#include <string>

#include "table/FoldedKeySort.h"
#include "table/IndexCoverage.h"

namespace cp {
namespace {

// Every 16th place leaves a search about four reads of entries per end of its range, for one
// byte a row; every 4th or every 32nd measured no different at a million rows.
constexpr std::size_t kSamplePlaces = 16;
constexpr std::size_t kHeadBytes = 8;

// The first bytes of a folded prefix (up to eight) as a head, and the mask of those bytes.
std::pair<std::uint64_t, std::uint64_t> PrefixHead(std::string_view prefix) {
    const std::size_t n = std::min(prefix.size(), kHeadBytes);
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < n; ++i)
        head |= std::uint64_t{static_cast<unsigned char>(prefix[i])} << (8 * (7 - i));
    const std::uint64_t mask = n == 0 ? 0 : ~std::uint64_t{0} << (8 * (kHeadBytes - n));
    return {head, mask};
}

// The first place in [first, last) where reached turns true; it stays true from there on.
template <class Reached>
std::size_t FirstPlace(std::size_t first, std::size_t last, Reached&& reached) {
    while (first < last) {
        const std::size_t middle = first + (last - first) / 2;
        if (reached(middle))
            last = middle;
        else
            first = middle + 1;
    }
    return first;
}

}  // namespace

PrefixChunk::PrefixChunk(const CellTable& table, std::int32_t first, std::int32_t last,
                         const CaseFold& fold)
    : first_(first), end_(last) {
    std::vector<FoldedKey> keys;
    keys.reserve(static_cast<std::size_t>(last - first));
    for (std::int32_t r = first; r < last; ++r) {
        const CellView entry = EntryAt(table, 0, r);
        if (entry.IsNull()) continue;  // never matches
        if (entry.IsString()) {
            keys.push_back(fold.Pack(entry.String()));
        } else {
            try {
                keys.push_back(fold.Pack(CStr(entry.ToVariant())));
            } catch (const RuntimeError& e) {
                if (!failure_) failure_.emplace(Failure{r - first, e});
                continue;
            }
        }
        keys.back().row = r - first;
    }
    SortFoldedKeys(keys);
    OrderLongTies(keys, table, fold);
    offsets_.resize(keys.size());
    samples_.reserve(keys.size() / kSamplePlaces + 1);
    for (std::size_t place = 0; place < keys.size(); ++place) {
        offsets_[place] = keys[place].row;
        if (place % kSamplePlaces == 0)
            samples_.push_back({keys[place].head, static_cast<std::uint32_t>(place)});
    }
    minimum_.Build(offsets_);
}

// Texts that agree in their sixteen packed bytes and go on beyond them are rare; they are
// ordered by their whole folded texts, the rows of equal texts staying in table order.
void PrefixChunk::OrderLongTies(std::vector<FoldedKey>& keys, const CellTable& table,
                                const CaseFold& fold) const {
    const auto same = [](const FoldedKey& a, const FoldedKey& b) {
        return a.head == b.head && a.tail == b.tail && a.length == b.length;
    };
    for (std::size_t first = 0; first < keys.size();) {
        std::size_t last = first + 1;
        while (last < keys.size() && same(keys[first], keys[last]))
            ++last;
        if (last - first > 1 && keys[first].length == kLongerThanPacked) {
            std::vector<std::pair<std::string, FoldedKey>> texts;
            for (std::size_t i = first; i < last; ++i) {
                std::string folded;
                WithText(EntryAt(table, 0, first_ + keys[i].row),
                         [&](std::string_view text) { fold.Append(text, folded); });
                texts.emplace_back(std::move(folded), keys[i]);
            }
            std::stable_sort(texts.begin(), texts.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            for (std::size_t i = first; i < last; ++i)
                keys[i] = texts[i - first].second;
        }
        first = last;
    }
}

std::int32_t PrefixChunk::Find(const CellTable& table, std::string_view prefix,
                               const CaseFold& fold) const {
    const auto [first, last] = SampledPlaces(prefix);
    // Places before the range sort before the prefix, places after it after the prefix.
    const std::size_t begins = FirstPlace(first, last, [&](std::size_t place) {
        return OrderAt(table, place, prefix, fold) != PrefixOrder::Before;
    });
    // Most stretches hold no match: the first place after those before the prefix tells.
    std::int32_t found = -1;
    if (begins < last && OrderAt(table, begins, prefix, fold) == PrefixOrder::Within) {
        const std::size_t ends = FirstPlace(begins + 1, last, [&](std::size_t place) {
            return OrderAt(table, place, prefix, fold) == PrefixOrder::After;
        });
        found = minimum_.Min(offsets_, begins, ends);
    }
    // A search row by row stops at an entry without a text form unless it matched before.
    if (failure_ && (found < 0 || failure_->offset < found)) throw failure_->error;
    return found < 0 ? -1 : first_ + found;
}

// The places whose first folded bytes cannot tell them from the prefix's: before the range,
// every place has smaller bytes, after it larger ones.
std::pair<std::size_t, std::size_t> PrefixChunk::SampledPlaces(std::string_view prefix) const {
    // Named apart, so that the lambdas below can capture them.
    const std::pair<std::uint64_t, std::uint64_t> headAndMask = PrefixHead(prefix);
    const std::uint64_t head = headAndMask.first;
    const std::uint64_t mask = headAndMask.second;
    const auto below = std::partition_point(
        samples_.begin(), samples_.end(), [&](const Sample& s) { return (s.head & mask) < head; });
    const auto above = std::partition_point(
        below, samples_.end(), [&](const Sample& s) { return (s.head & mask) <= head; });
    const std::size_t first = below == samples_.begin() ? 0 : std::prev(below)->place + 1;
    const std::size_t last = above == samples_.end() ? offsets_.size() : above->place;
    return {first, last};
}

PrefixOrder PrefixChunk::OrderAt(const CellTable& table, std::size_t place, std::string_view prefix,
                                 const CaseFold& fold) const {
    return WithText(EntryAt(table, 0, first_ + offsets_[place]),
                    [&](std::string_view text) { return fold.Order(text, prefix); });
}

bool PrefixChunk::RowRemoved(std::int32_t row) {
    if (row >= end_) return true;
    --end_;
    if (row < first_) {
        --first_;
        return true;
    }
    const std::int32_t removed = row - first_;
    if (failure_ && failure_->offset == removed) return false;
    if (failure_ && failure_->offset > removed) --failure_->offset;
    std::optional<std::size_t> removedPlace;
    std::size_t kept = 0;
    for (std::size_t place = 0; place < offsets_.size(); ++place) {
        const std::int32_t offset = offsets_[place];
        if (offset == removed) {
            removedPlace = place;
            continue;
        }
        offsets_[kept++] = offset > removed ? offset - 1 : offset;
    }
    offsets_.resize(kept);
    if (removedPlace) {
        // The samples keep their heads; only the places after the removed one move up.
        std::erase_if(samples_, [&](const Sample& s) { return s.place == *removedPlace; });
        for (Sample& s : samples_) {
            if (s.place > *removedPlace) --s.place;
        }
    }
    minimum_.Build(offsets_);
    return true;
}

}  // namespace cp
