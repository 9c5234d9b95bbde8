#include "table/ValueIndex.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <functional>
#include <optional>
#include <string_view>

#include "runtime/RuntimeError.h"

namespace cp {
namespace {

constexpr std::int32_t kNoRow = -1;
// Rows whose buckets are fetched together while the index is built.
constexpr std::int32_t kBuildBatch = 32;
// The kinds of entry that can equal one another, kept apart in the hash.
constexpr std::uint64_t kEmptyHash = 0x9E3779B97F4A7C15;
constexpr std::uint64_t kNumberSeed = 0xC2B2AE3D27D4EB4F;

// The finalizer of SplitMix64: every bit of the value reaches the bucket bits.
std::uint64_t Mix(std::uint64_t x) {
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EB;
    return x ^ (x >> 31);
}

std::uint64_t TextHash(std::string_view text) {
    return Mix(std::hash<std::string_view>{}(text));
}

// Numbers equal as numbers hash alike, 0 and -0 included.
std::uint64_t NumberHash(double value) {
    return Mix(std::bit_cast<std::uint64_t>(value == 0 ? 0.0 : value) ^ kNumberSeed);
}

// Up to three hashes under which an entry equal to key is chained: Empty equals both "" and 0.
struct KeyHashes {
    std::uint64_t values[3];
    std::size_t size = 0;
    void Add(std::uint64_t hash) { values[size++] = hash; }
};

KeyHashes HashesOf(const Variant& key) {
    KeyHashes hashes;
    if (key.IsEmpty()) {
        hashes.Add(kEmptyHash);
        hashes.Add(TextHash({}));
        hashes.Add(NumberHash(0));
    } else if (key.IsString()) {
        hashes.Add(TextHash(key.String()));
        if (key.String().empty()) hashes.Add(kEmptyHash);
    } else if (key.IsNumeric() && !std::isnan(key.Number())) {
        hashes.Add(NumberHash(key.Number()));
        if (key.Number() == 0) hashes.Add(kEmptyHash);
    }
    // Null and NaN equal nothing.
    return hashes;
}

// The hash an entry is chained under, or none for an entry that equals nothing (Null, NaN).
std::optional<std::uint64_t> EntryHash(const Variant& entry) {
    if (entry.IsEmpty()) return kEmptyHash;
    if (entry.IsString()) return TextHash(entry.String());
    if (entry.IsNumeric() && !std::isnan(entry.Number())) return NumberHash(entry.Number());
    return std::nullopt;
}

// The same for an entry read in place: a text is hashed where it lies.
bool IsContainer(const CellView& entry) {
    return entry.IsContainer();
}

std::optional<std::uint64_t> EntryHash(const CellView& entry) {
    if (entry.IsString()) return TextHash(entry.String());
    return EntryHash(entry.ToVariant());
}

// VariantEquals(entry, key), without a copy of a text entry.
bool EntryEquals(const CellView& entry, const Variant& key) {
    if (!entry.IsString() || key.IsObject() || key.IsArray())
        return VariantEquals(entry.ToVariant(), key);
    if (key.IsString()) return entry.String() == key.String();
    if (key.IsEmpty()) return entry.String().empty();
    return false;  // Null equals nothing, a number never a String
}

}  // namespace

std::int32_t ValueIndex::Find(const CellTable& table, std::int32_t count, std::int32_t column,
                              const Variant& key) {
    if (count <= 0) return -1;
    // Row 0 is compared first, as a search row by row does: its entry fails for a column
    // beyond the table, the comparison for an object or an array.
    if (VariantEquals(table.At(column, 0), key)) return 0;
    if (column != column_) {
        Clear();
        column_ = column;
    }
    const std::int32_t rows = RowsHeld(table, count, column);
    if (!coverage_.Reaches(rows)) Build(table, rows, column);
    const std::int32_t found = FindIndexed(table, key);
    if (firstObject_ != kNoRow && (found == kNoRow || firstObject_ < found))
        Raise(vberr::TypeMismatch);
    return found != kNoRow ? found : FindAfter(table, count, key);
}

void ValueIndex::Clear() {
    coverage_.Cover(0);
    column_ = -1;
    chains_ = {};
    next_ = {};
    firstObject_ = kNoRow;
}

void ValueIndex::Build(const CellTable& table, std::int32_t rows, std::int32_t column) {
    const std::size_t buckets = std::bit_ceil(static_cast<std::size_t>(std::max(rows, 1)));
    std::vector<std::int32_t> chains(buckets, kNoRow);
    std::vector<std::int32_t> next(static_cast<std::size_t>(rows), kNoRow);
    std::int32_t firstObject = kNoRow;
    // From the last row up, each row put first in its chain: the chains end in table order.
    // The buckets of a batch of rows are fetched before any is written, so that their reads
    // from memory overlap instead of waiting one after the other.
    std::array<std::size_t, kBuildBatch> bucket{};
    for (std::int32_t top = rows; top > 0; top -= kBuildBatch) {
        const std::int32_t bottom = std::max(0, top - kBuildBatch);
        for (std::int32_t r = top - 1; r >= bottom; --r) {
            const CellView entry = EntryAt(table, column, r);
            std::size_t& b = bucket[static_cast<std::size_t>(top - 1 - r)];
            b = buckets;  // none
            if (IsContainer(entry)) {
                firstObject = r;
            } else if (const std::optional<std::uint64_t> hash = EntryHash(entry)) {
                b = *hash & (buckets - 1);
                __builtin_prefetch(&chains[b], 1);
            }
        }
        for (std::int32_t r = top - 1; r >= bottom; --r) {
            const std::size_t b = bucket[static_cast<std::size_t>(top - 1 - r)];
            if (b == buckets) continue;
            next[static_cast<std::size_t>(r)] = chains[b];
            chains[b] = r;
        }
    }
    chains_ = std::move(chains);
    next_ = std::move(next);
    firstObject_ = firstObject;
    coverage_.Cover(rows);
}

std::int32_t ValueIndex::FindIndexed(const CellTable& table, const Variant& key) const {
    if (chains_.empty()) return kNoRow;
    const KeyHashes hashes = HashesOf(key);
    std::int32_t found = kNoRow;
    for (std::size_t i = 0; i < hashes.size; ++i) {
        const std::int32_t row = FirstEqual(table, hashes.values[i], key);
        if (row != kNoRow && (found == kNoRow || row < found)) found = row;
    }
    return found;
}

std::int32_t ValueIndex::FirstEqual(const CellTable& table, std::uint64_t hash,
                                    const Variant& key) const {
    std::int32_t r = chains_[hash & (chains_.size() - 1)];
    while (r != kNoRow && !EntryEquals(EntryAt(table, column_, r), key))
        r = next_[static_cast<std::size_t>(r)];
    return r;
}

// The rows after the index, one by one, as they come.
std::int32_t ValueIndex::FindAfter(const CellTable& table, std::int32_t count,
                                   const Variant& key) const {
    for (std::int32_t r = coverage_.Covered(); r < count; ++r) {
        if (EntryEquals(table.ViewAt(column_, r), key)) return r;
    }
    return kNoRow;
}

void ValueIndex::RowRemoved(std::int32_t row) {
    if (row >= coverage_.Covered()) return;
    if (row == firstObject_) {
        // Which held row holds the next object is not kept: build again at the next search.
        Clear();
        return;
    }
    const std::int32_t after = next_[static_cast<std::size_t>(row)];
    // Whatever led to the row now leads past it, and the later rows move up by one.
    const auto relink = [&](std::int32_t& link) {
        if (link == row) link = after;
        if (link > row) --link;
    };
    std::for_each(chains_.begin(), chains_.end(), relink);
    next_.erase(next_.begin() + row);
    std::for_each(next_.begin(), next_.end(), relink);
    if (firstObject_ > row) --firstObject_;
    coverage_.Cover(coverage_.Covered() - 1);
}

}  // namespace cp
