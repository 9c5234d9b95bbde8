#include "control/PrefixIndex.h"

#include <algorithm>
#include <limits>

#include "control/FoldedKeySort.h"
#include "runtime/Locale.h"
#include "runtime/Utf8.h"

namespace cp {
namespace {

// Measured: every 16th place narrows a search to about five reads of entries per end of the
// range, for one byte a row.
constexpr std::size_t kSamplePlaces = 16;
constexpr std::size_t kHeadBytes = 8;

// Calls use with the text form of a non-Null entry; Strings are used where they lie.
template <class Use>
auto WithText(const Variant& entry, Use&& use) {
    if (entry.IsString()) return use(std::string_view(entry.String()));
    const std::string text = CStr(entry);
    return use(std::string_view(text));
}

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

std::int32_t PrefixIndex::Find(const VariantArray& table, std::int32_t count,
                               std::string_view text) {
    if (localeGeneration_ != LocaleGeneration()) {
        // Built under another upper case: the order of the texts may differ.
        Clear();
        fold_ = CaseFold();
        localeGeneration_ = LocaleGeneration();
    }
    const std::string prefix = FoldedPrefix(text);
    const std::int32_t rows = RowsHeld(table, count, 0);
    if (!coverage_.Reaches(rows)) Build(table, rows);
    const std::int32_t found = FindIndexed(table, prefix);
    // A search row by row stops at an entry without a text form unless it matched before.
    if (failure_ && (found < 0 || failure_->row < found)) throw failure_->error;
    return found >= 0 ? found : FindAfter(table, count, prefix);
}

void PrefixIndex::Clear() {
    coverage_.Cover(0);
    rows_ = {};
    samples_ = {};
    minimum_.Build(rows_);
    failure_.reset();
}

std::string PrefixIndex::FoldedPrefix(std::string_view text) const {
    constexpr auto kMaxCharacters =
        static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max());
    if (text.size() > kMaxCharacters && utf8::Length(text) > kMaxCharacters) Raise(vberr::Overflow);
    std::string prefix;
    fold_.Append(text, prefix);
    return prefix;
}

void PrefixIndex::Build(const VariantArray& table, std::int32_t rows) {
    std::vector<FoldedKey> keys;
    keys.reserve(static_cast<std::size_t>(rows));
    std::optional<Failure> failure;
    for (std::int32_t r = 0; r < rows; ++r) {
        const Variant& entry = EntryAt(table, 0, r);
        if (entry.IsNull()) continue;  // never matches
        if (entry.IsString()) {
            keys.push_back(fold_.Pack(entry.String()));
        } else {
            try {
                keys.push_back(fold_.Pack(CStr(entry)));
            } catch (const RuntimeError& e) {
                if (!failure) failure.emplace(Failure{r, e});
                continue;
            }
        }
        keys.back().row = r;
    }
    SortFoldedKeys(keys);
    OrderLongTies(keys, table);

    std::vector<std::int32_t> sorted(keys.size());
    std::vector<Sample> samples;
    samples.reserve(keys.size() / kSamplePlaces + 1);
    for (std::size_t place = 0; place < keys.size(); ++place) {
        sorted[place] = keys[place].row;
        if (place % kSamplePlaces == 0)
            samples.push_back({keys[place].head, static_cast<std::uint32_t>(place)});
    }
    keys = {};
    minimum_.Build(sorted);
    rows_ = std::move(sorted);
    samples_ = std::move(samples);
    failure_ = std::move(failure);
    coverage_.Cover(rows);
}

// Texts that agree in their sixteen packed bytes and go on beyond them are rare; they are
// ordered by their whole folded texts, the rows of equal texts staying in table order.
void PrefixIndex::OrderLongTies(std::vector<FoldedKey>& keys, const VariantArray& table) const {
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
                WithText(EntryAt(table, 0, keys[i].row),
                         [&](std::string_view text) { fold_.Append(text, folded); });
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

std::int32_t PrefixIndex::FindIndexed(const VariantArray& table, std::string_view prefix) const {
    const auto [first, last] = SampledPlaces(prefix);
    // Places before the range sort before the prefix, places after it after the prefix.
    const std::size_t begins = FirstPlace(first, last, [&](std::size_t place) {
        return OrderAt(table, place, prefix) != PrefixOrder::Before;
    });
    const std::size_t ends = FirstPlace(begins, last, [&](std::size_t place) {
        return OrderAt(table, place, prefix) == PrefixOrder::After;
    });
    return begins == ends ? -1 : minimum_.Min(rows_, begins, ends);
}

// The places whose first folded bytes cannot tell them from the prefix's: before the range,
// every place has smaller bytes, after it larger ones.
std::pair<std::size_t, std::size_t> PrefixIndex::SampledPlaces(std::string_view prefix) const {
    const auto [head, mask] = PrefixHead(prefix);
    const auto below = std::partition_point(
        samples_.begin(), samples_.end(), [&](const Sample& s) { return (s.head & mask) < head; });
    const auto above = std::partition_point(
        below, samples_.end(), [&](const Sample& s) { return (s.head & mask) <= head; });
    const std::size_t first = below == samples_.begin() ? 0 : std::prev(below)->place + 1;
    const std::size_t last = above == samples_.end() ? rows_.size() : above->place;
    return {first, last};
}

PrefixOrder PrefixIndex::OrderAt(const VariantArray& table, std::size_t place,
                                 std::string_view prefix) const {
    return WithText(EntryAt(table, 0, rows_[place]),
                    [&](std::string_view text) { return fold_.Order(text, prefix); });
}

// The rows after the index, one by one, as they come.
std::int32_t PrefixIndex::FindAfter(const VariantArray& table, std::int32_t count,
                                    std::string_view prefix) const {
    for (std::int32_t r = coverage_.Covered(); r < count; ++r) {
        const Variant& entry = table.At(0, r);
        if (entry.IsNull()) continue;
        const PrefixOrder order =
            WithText(entry, [&](std::string_view text) { return fold_.Order(text, prefix); });
        if (order == PrefixOrder::Within) return r;
    }
    return -1;
}

void PrefixIndex::RowRemoved(std::int32_t row) {
    if (row >= coverage_.Covered()) return;
    if (failure_) {
        // Rare enough to build again at the next search.
        Clear();
        return;
    }
    std::optional<std::size_t> removedPlace;
    std::size_t kept = 0;
    for (std::size_t place = 0; place < rows_.size(); ++place) {
        const std::int32_t r = rows_[place];
        if (r == row) {
            removedPlace = place;
            continue;
        }
        rows_[kept++] = r > row ? r - 1 : r;
    }
    rows_.resize(kept);
    if (removedPlace) {
        // The samples keep their heads; only the places after the removed one move up.
        std::erase_if(samples_, [&](const Sample& s) { return s.place == *removedPlace; });
        for (Sample& s : samples_) {
            if (s.place > *removedPlace) --s.place;
        }
    }
    minimum_.Build(rows_);
    coverage_.Cover(coverage_.Covered() - 1);
}

}  // namespace cp
