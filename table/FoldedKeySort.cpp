#include "table/FoldedKeySort.h"

#include <algorithm>
#include <array>
#include <memory>
#include <tuple>

namespace cp {
namespace {

// Below this many keys a bucket is finished by insertion, cheaper than a pass over 256 counts.
constexpr std::size_t kInsertionKeys = 32;
constexpr std::size_t kFirstDigitBits = 16;
constexpr std::size_t kDigitValues = 256;

bool Less(const FoldedKey& a, const FoldedKey& b) {
    return std::tie(a.head, a.tail, a.length, a.row) < std::tie(b.head, b.tail, b.length, b.row);
}

unsigned ByteAt(const FoldedKey& key, std::uint32_t depth) {
    const std::uint64_t word = depth < 8 ? key.head : key.tail;
    return static_cast<unsigned>((word >> (8 * (7 - depth % 8))) & 0xFF);
}

void InsertionSort(FoldedKey* keys, std::size_t n) {
    for (std::size_t i = 1; i < n; ++i) {
        const FoldedKey key = keys[i];
        std::size_t j = i;
        for (; j > 0 && Less(key, keys[j - 1]); --j)
            keys[j] = keys[j - 1];
        keys[j] = key;
    }
}

// Finishes a bucket that the radix passes leave: by insertion when it is small, else (all its
// packed bytes being equal) by length and row.
void FinishBucket(FoldedKey* from, FoldedKey* to, std::size_t n, bool endAtTo) {
    if (n <= kInsertionKeys)
        InsertionSort(from, n);
    else
        std::sort(from, from + n, Less);
    if (endAtTo) std::copy(from, from + n, to);
}

// Sorts the n keys at from by their bytes from depth on, with the same n places at to as room.
// The keys end at to when endAtTo is set, else back at from: each level moves them across
// once, so nothing is copied back level by level.
void SortBucket(FoldedKey* from, FoldedKey* to, std::size_t n, std::uint32_t depth, bool endAtTo) {
    if (n <= kInsertionKeys) return FinishBucket(from, to, n, endAtTo);
    std::array<std::size_t, kDigitValues> counts;
    for (;; ++depth) {
        if (depth == kPackedBytes) return FinishBucket(from, to, n, endAtTo);
        counts.fill(0);
        for (std::size_t i = 0; i < n; ++i)
            ++counts[ByteAt(from[i], depth)];
        // A byte that every key shares decides nothing.
        if (counts[ByteAt(from[0], depth)] != n) break;
    }
    std::array<std::size_t, kDigitValues> next;
    next[0] = 0;
    for (std::size_t v = 1; v < kDigitValues; ++v)
        next[v] = next[v - 1] + counts[v - 1];
    for (std::size_t i = 0; i < n; ++i)
        to[next[ByteAt(from[i], depth)]++] = from[i];
    std::size_t start = 0;
    for (std::size_t v = 0; v < kDigitValues; ++v) {
        if (counts[v] > 0) SortBucket(to + start, from + start, counts[v], depth + 1, !endAtTo);
        start += counts[v];
    }
}

}  // namespace

void SortFoldedKeys(std::vector<FoldedKey>& keys) {
    const std::size_t n = keys.size();
    if (n <= kInsertionKeys) {
        InsertionSort(keys.data(), n);
        return;
    }
    // The first two bytes in one pass over all keys; the buckets are small enough after it to
    // be sorted where they lie in the cache.
    constexpr std::size_t kShift = 64 - kFirstDigitBits;
    std::vector<std::size_t> next((std::size_t{1} << kFirstDigitBits) + 1);
    for (const FoldedKey& key : keys)
        ++next[(key.head >> kShift) + 1];
    for (std::size_t v = 1; v < next.size(); ++v)
        next[v] += next[v - 1];
    const auto room = std::make_unique_for_overwrite<FoldedKey[]>(n);
    std::vector<std::size_t> starts(next.begin(), next.end());
    for (const FoldedKey& key : keys)
        room[next[key.head >> kShift]++] = key;
    for (std::size_t v = 0; v + 1 < starts.size(); ++v) {
        const std::size_t first = starts[v];
        const std::size_t size = starts[v + 1] - first;
        if (size > 0) SortBucket(room.get() + first, keys.data() + first, size, 2, true);
    }
}

}  // namespace cp
