#include "table/WordStarts.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "table/RowSearch.h"

namespace cp {
namespace {

constexpr std::size_t kKeyBytes = 8;
// Below this many places a comparison sort is quicker than the radix passes.
constexpr std::size_t kRadixPlaces = 2048;
// The buckets of a build: one for each pair of first bytes.
constexpr std::size_t kBuckets = 1 << 16;

// Whether each byte is an ASCII character that ends a word: every one but the letters and
// digits, as IsWordSeparator answers (the differential test holds the two together).
constexpr std::array<bool, 256> kAsciiSeparators = [] {
    std::array<bool, 256> table{};
    for (std::size_t c = 0; c < 0x80; ++c) {
        const bool letterOrDigit =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        table[c] = !letterOrDigit;
    }
    return table;
}();

bool IsAsciiSeparator(char b) {
    return kAsciiSeparators[static_cast<unsigned char>(b)];
}

// The first eight folded bytes from place to the end of its entry, the first in the highest
// byte, zeros after the end.
std::uint64_t KeyAt(std::string_view bytes, std::size_t place) {
    std::uint64_t key = 0;
    std::size_t i = 0;
    for (; i < kKeyBytes && place + i < bytes.size() && bytes[place + i] != kEntryEnd; ++i)
        key = key << 8 | static_cast<unsigned char>(bytes[place + i]);
    return key << (8 * (kKeyBytes - i));
}

// Calls put(place) for each word start of the entry that begins at start, in order.
template <class Put>
void ForEachWordStart(std::string_view entry, std::size_t start, Put&& put) {
    for (std::size_t p = 0; p < entry.size(); ++p) {
        if (IsAsciiSeparator(entry[p])) continue;
        if (p > 0) {
            const auto before = static_cast<unsigned char>(entry[p - 1]);
            // A place inside a character is no place of a character.
            if ((static_cast<unsigned char>(entry[p]) & 0xC0) == 0x80) continue;
            const bool starts = before < 0x80 ? IsAsciiSeparator(entry[p - 1])
                                              : StandsAt(entry, p, "A", MatchMode::WordStart);
            if (!starts) continue;
        }
        put(start + p);
    }
}

// Calls put(place) for each word start of the folded bytes, in order.
template <class Put>
void ForEachWordStartOf(std::string_view bytes, Put&& put) {
    std::size_t start = 0;
    for (std::size_t end = bytes.find(kEntryEnd); end != std::string_view::npos;
         start = end + 1, end = bytes.find(kEntryEnd, start)) {
        ForEachWordStart(bytes.substr(start, end - start), start, put);
    }
}

}  // namespace

// The places are bucketed by their first two bytes, straight into the index, then each bucket
// is sorted by its keys: buckets small enough to stay in the cache, no pass over the whole for
// each key byte, and no more room besides the index than its largest bucket takes.
void WordStarts::Build(const FoldedRows& folded, std::int32_t rows) {
    const std::string_view bytes = folded.Bytes(rows);
    const auto bucketOf = [&](std::size_t place) {
        const auto first = static_cast<unsigned char>(bytes[place]);
        const auto second = static_cast<unsigned char>(bytes[place + 1]);
        return std::size_t{first} << 8 | second;
    };
    std::vector<std::size_t> starts(kBuckets + 1);
    ForEachWordStartOf(bytes, [&](std::size_t place) { ++starts[bucketOf(place) + 1]; });
    for (std::size_t b = 1; b <= kBuckets; ++b)
        starts[b] += starts[b - 1];
    places_ = {};
    places_.resize(starts.back());
    std::vector<std::size_t> next(starts.begin(), starts.end() - 1);
    ForEachWordStartOf(bytes, [&](std::size_t place) {
        places_[next[bucketOf(place)]++] = static_cast<std::uint32_t>(place);
    });
    std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed;
    for (std::size_t b = 0; b < kBuckets; ++b) {
        const auto first = places_.begin() + static_cast<std::ptrdiff_t>(starts[b]);
        const auto last = places_.begin() + static_cast<std::ptrdiff_t>(starts[b + 1]);
        keyed.clear();
        for (auto at = first; at != last; ++at)
            keyed.emplace_back(KeyAt(bytes, *at), *at);
        std::ranges::sort(keyed, {}, &std::pair<std::uint64_t, std::uint32_t>::first);
        std::ranges::transform(keyed, first, [](const auto& k) { return k.second; });
    }
    coverage_.Cover(rows);
}

void WordStarts::Truncate(std::size_t cut, std::int32_t row) {
    if (row >= coverage_.Covered()) return;
    std::erase_if(places_, [&](std::uint32_t place) { return place >= cut; });
    coverage_.Cover(row);
}

void WordStarts::Clear() {
    places_ = {};
    coverage_.Cover(0);
}

bool WordStarts::Serves(std::string_view needle) {
    return !needle.empty() && !IsAsciiSeparator(needle[0]) && !OnlySeparators(needle);
}

WordStarts::Range WordStarts::RangeOf(const FoldedRows& folded, std::string_view needle) const {
    const std::string_view bytes = folded.Bytes(coverage_.Covered());
    const std::size_t n = std::min(needle.size(), kKeyBytes);
    std::uint64_t wanted = 0;
    for (std::size_t i = 0; i < n; ++i)
        wanted = wanted << 8 | static_cast<unsigned char>(needle[i]);
    wanted <<= 8 * (kKeyBytes - n);
    const std::uint64_t mask = ~std::uint64_t{0} << (8 * (kKeyBytes - n));
    const auto lower = std::ranges::partition_point(
        places_, [&](std::uint32_t place) { return (KeyAt(bytes, place) & mask) < wanted; });
    const auto upper = std::partition_point(lower, places_.end(), [&](std::uint32_t place) {
        return (KeyAt(bytes, place) & mask) == wanted;
    });
    return {lower, upper};
}

std::size_t WordStarts::Count(const FoldedRows& folded, std::string_view needle) const {
    const auto [lower, upper] = RangeOf(folded, needle);
    return static_cast<std::size_t>(upper - lower);
}

std::vector<std::uint32_t> WordStarts::Places(const FoldedRows& folded,
                                              std::string_view needle) const {
    const auto [lower, upper] = RangeOf(folded, needle);
    std::vector<std::uint32_t> places(lower, upper);
    if (needle.size() > kKeyBytes) {
        // The places past the first eight bytes lie in no order: each is compared whole.
        const std::string_view bytes = folded.Bytes(coverage_.Covered());
        std::erase_if(places, [&](std::uint32_t place) {
            return bytes.size() - place < needle.size() ||
                   std::memcmp(bytes.data() + place, needle.data(), needle.size()) != 0;
        });
    }
    SortPlaces(places);
    return places;
}

void SortPlaces(std::vector<std::uint32_t>& places) {
    if (places.size() < kRadixPlaces) {
        std::ranges::sort(places);
        return;
    }
    constexpr unsigned kBits = 11;
    constexpr std::size_t kBuckets = std::size_t{1} << kBits;
    std::vector<std::uint32_t> other(places.size());
    for (unsigned shift = 0; shift < 32; shift += kBits) {
        std::array<std::size_t, kBuckets + 1> starts{};
        for (const std::uint32_t p : places)
            ++starts[((p >> shift) & (kBuckets - 1)) + 1];
        for (std::size_t b = 1; b <= kBuckets; ++b)
            starts[b] += starts[b - 1];
        for (const std::uint32_t p : places)
            other[starts[(p >> shift) & (kBuckets - 1)]++] = p;
        places.swap(other);
    }
}

}  // namespace cp
