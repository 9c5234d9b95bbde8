#include "table/FoldedRows.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "runtime/RuntimeError.h"
#include "table/RowSearch.h"

namespace cp {
namespace {

// Room that the buffer gains beyond the rows expected: a table that grows row by row between
// searches copies its buffer once in so many rows, not at each row.
constexpr std::size_t kSpareShare = 16;
constexpr std::size_t kSpareBytes = 4096;

}  // namespace

void FoldedRows::Fold(const CaseFold& fold, const CellTable& table,
                      const std::vector<std::int16_t>& columns, std::int32_t rows,
                      std::int32_t expectedRows) {
    if (rows <= Rows()) return;
    expectedRows = std::max(rows, expectedRows);
    rowEnds_.reserve(static_cast<std::size_t>(expectedRows));
    const std::int32_t tableColumns = table.Extent(0);
    for (auto r = Rows(); r < rows; ++r) {
        for (const std::int16_t c : columns) {
            entry_.clear();
            if (c < tableColumns) AppendFoldedEntry(fold, table.ViewAt(c, r), entry_);
            std::replace(entry_.begin(), entry_.end(), kEntryEnd, kHeldZero);
            entry_ += kEntryEnd;
            MakeRoom(entry_.size(), expectedRows);
            text_.insert(text_.end(), entry_.begin(), entry_.end());
            for (const char b : entry_)
                ++counts_[static_cast<unsigned char>(b)];
        }
        if (text_.size() > std::numeric_limits<std::uint32_t>::max()) Raise(vberr::OutOfMemory);
        rowEnds_.push_back(static_cast<std::uint32_t>(text_.size()));
    }
}

// The buffer is sized for the rows expected at the bytes per row folded so far.
void FoldedRows::MakeRoom(std::size_t bytes, std::int32_t expectedRows) {
    if (text_.capacity() - text_.size() >= bytes) return;
    const std::size_t folded = rowEnds_.size() + 1;
    const std::size_t expected =
        (text_.size() + bytes) / folded * static_cast<std::size_t>(expectedRows);
    const std::size_t wanted = std::max(text_.size() + bytes, expected);
    text_.reserve(wanted + wanted / kSpareShare + kSpareBytes);
}

void FoldedRows::Truncate(std::int32_t rows) {
    if (rows >= Rows()) return;
    text_.resize(RowStart(rows));
    rowEnds_.resize(static_cast<std::size_t>(rows));
}

void FoldedRows::Clear() {
    text_ = {};
    rowEnds_ = {};
    counts_ = {};
}

std::int32_t FoldedRows::RowAt(std::size_t position, std::int32_t from) const {
    // Galloping from `from`: the next position mostly lies in the same row or a near one.
    auto low = static_cast<std::size_t>(from);
    std::size_t step = 1;
    while (low + step < rowEnds_.size() && rowEnds_[low + step] <= position) {
        low += step;
        step *= 2;
    }
    const auto end = std::upper_bound(
        rowEnds_.begin() + static_cast<std::ptrdiff_t>(low),
        rowEnds_.begin() + static_cast<std::ptrdiff_t>(std::min(low + step + 1, rowEnds_.size())),
        position);
    return static_cast<std::int32_t>(end - rowEnds_.begin());
}

std::size_t FoldedRows::RarestByte(std::string_view needle) const {
    std::size_t rarest = 0;
    for (std::size_t i = 1; i < needle.size(); ++i) {
        if (counts_[static_cast<unsigned char>(needle[i])] <
            counts_[static_cast<unsigned char>(needle[rarest])]) {
            rarest = i;
        }
    }
    return rarest;
}

std::size_t FoldedRows::MemoryBytes() const {
    return text_.capacity() + rowEnds_.capacity() * sizeof(std::uint32_t) + entry_.capacity();
}

namespace {

// Sixteen bytes at once, compared lane by lane: the compiler makes one instruction of each
// operation where the processor has vector registers, and a loop where it has none.
using Lanes = unsigned char __attribute__((vector_size(16)));
constexpr std::size_t kLanes = sizeof(Lanes);

// Vectors go in and out by reference: where the processor has no vector registers, a vector
// passed by value would be passed otherwise than where it has them.
void LoadLanes(Lanes& lanes, const char* from) {
    std::memcpy(&lanes, from, kLanes);
}

void Splat(Lanes& lanes, char b) {
    std::memset(&lanes, b, kLanes);
}

bool AnyLane(const Lanes& lanes) {
    std::uint64_t halves[2];
    std::memcpy(halves, &lanes, kLanes);
    return (halves[0] | halves[1]) != 0;
}

// The offset of needle's byte, other than the one at `rarest`, that is least like it: the two
// are compared at each place before the needle is, so the pair should seldom both match.
std::size_t PartnerOf(std::string_view needle, std::size_t rarest) {
    const std::size_t partner = rarest == needle.size() - 1 ? 0 : needle.size() - 1;
    if (needle[partner] != needle[rarest]) return partner;
    for (std::size_t i = 0; i < needle.size(); ++i)
        if (needle[i] != needle[rarest]) return i;
    return partner;
}

}  // namespace

std::size_t FindBytes(std::string_view bytes, std::string_view needle, std::size_t rarest,
                      std::size_t from) {
    if (needle.empty()) return from <= bytes.size() ? from : std::string_view::npos;
    if (bytes.size() < needle.size()) return std::string_view::npos;
    const std::size_t last = bytes.size() - needle.size();  // the last place needle fits
    const char* data = bytes.data();
    std::size_t at = from;
    if (needle.size() > 1) {
        // Sixteen places at a time: only where two of needle's bytes both stand is it compared.
        const std::size_t partner = PartnerOf(needle, rarest);
        Lanes first;
        Lanes second;
        Splat(first, needle[rarest]);
        Splat(second, needle[partner]);
        Lanes atRarest;
        Lanes atPartner;
        const std::size_t reach = std::max(rarest, partner) + kLanes;
        for (; at + reach <= bytes.size(); at += kLanes) {
            LoadLanes(atRarest, data + at + rarest);
            LoadLanes(atPartner, data + at + partner);
            const Lanes both = (atRarest == first) & (atPartner == second);
            if (!AnyLane(both)) continue;
            for (std::size_t lane = 0; lane < kLanes; ++lane) {
                const std::size_t place = at + lane;
                if (both[lane] && place <= last &&
                    std::memcmp(data + place, needle.data(), needle.size()) == 0) {
                    return place;
                }
            }
        }
    }
    // The last places, and needles of one byte, by the library's memory search.
    const char wanted = needle[rarest];
    while (at <= last) {
        const void* hit = std::memchr(data + at + rarest, wanted, last - at + 1);
        if (!hit) return std::string_view::npos;
        const std::size_t place =
            static_cast<std::size_t>(static_cast<const char*>(hit) - data) - rarest;
        if (std::memcmp(data + place, needle.data(), needle.size()) == 0) return place;
        at = place + 1;
    }
    return std::string_view::npos;
}

}  // namespace cp
