#include "data/KeyedRows.h"

#include <algorithm>
#include <iterator>

#include "data/Database.h"
#include "data/rows/RowBlock.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

namespace cp {
namespace {

char FoldedByte(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

void KeyedRows::CheckSearch(const FieldSearch& /*search*/) {
    Raise(rows::kErrNotSupported,
          "This database cannot search inside the texts of the rows it serves a page at a time.");
}

std::optional<KeyedRow> KeyedRows::FirstMatching(const FieldSearch& search, std::string_view text) {
    auto rows = MatchingAfter({std::string(text), search}, std::nullopt, 1);
    if (rows.empty()) return std::nullopt;
    return std::move(rows.front());
}

std::vector<KeyedRow> KeyedRows::MatchingAfter(const TextMatch& match,
                                               const std::optional<RowKey>& /*after*/,
                                               int /*limit*/) {
    if (match.search) CheckSearch(*match.search);
    Raise(rows::kErrNotSupported, "This database cannot read the rows that a text finds.");
}

std::int64_t KeyedRows::CountMatching(const TextMatch& match) {
    return static_cast<std::int64_t>(MatchingAfter(match, std::nullopt, 0).size());
}

std::string FoldedPrefix(std::string_view prefix) {
    std::string folded(prefix);
    for (char& c : folded)
        c = FoldedByte(c);
    return folded;
}

std::string FoldedPrefixEnd(std::string_view prefix) {
    std::string end = FoldedPrefix(prefix);
    // Valid UTF-8 never holds 0xF5..0xFF, so raising the last byte cannot overflow it unless the
    // text is not UTF-8; then the range has no end but the table's.
    while (!end.empty() && static_cast<unsigned char>(end.back()) == 0xFF)
        end.pop_back();
    if (end.empty()) return end;
    auto last = static_cast<unsigned char>(end.back());
    ++last;
    // Folded entries hold no upper-case letter: the first byte after the range that one can
    // hold lies past 'Z'.
    if (last >= 'A' && last <= 'Z') last = '[';
    end.back() = static_cast<char>(last);
    return end;
}

RowsEstimate SampledEstimate(std::int64_t rows, std::vector<std::string> sampled) {
    std::ranges::sort(sampled);
    RowsEstimate estimate{rows, {}};
    const auto n = static_cast<double>(sampled.size());
    for (std::size_t i = 0; i < sampled.size(); ++i)
        estimate.entries.push_back({std::move(sampled[i]), static_cast<double>(i) / n});
    return estimate;
}

namespace {

// Bytes of the entries read as a fraction where two known entries differ: enough to tell
// apart the entries of any bucket a server keeps statistics for.
constexpr std::size_t kInterpolatedBytes = 6;

}  // namespace

// Text between low and high shares their common start.
double PlaceBetween(std::string_view low, std::string_view text, std::string_view high) {
    std::size_t common = 0;
    while (common < low.size() && common < high.size() && low[common] == high[common])
        ++common;
    const auto fraction = [common](std::string_view s) {
        double value = 0;
        double scale = 1;
        for (std::size_t i = common; i < s.size() && i < common + kInterpolatedBytes; ++i) {
            scale /= 256;
            value += scale * static_cast<unsigned char>(s[i]);
        }
        return value;
    };
    const double l = fraction(low);
    const double h = fraction(high);
    if (h <= l) return 1;
    return std::clamp((fraction(text) - l) / (h - l), 0.0, 1.0);
}

std::int64_t EstimatedPlace(const RowsEstimate& estimate, const Variant& completion) {
    if (completion.IsNull() || estimate.entries.empty()) return 0;
    const std::string folded = FoldedPrefix(CStr(completion));
    const auto& entries = estimate.entries;
    const auto above = std::ranges::lower_bound(entries, folded, {}, &EstimatedEntry::entry);
    double share = 1;
    if (above == entries.begin()) {
        share = above->before;
    } else {
        // Past the last known entry, the rows run on to the greatest entry there can be.
        static const EstimatedEntry kEnd{std::string(kInterpolatedBytes, '\xFF'), 1.0};
        const EstimatedEntry& high = above == entries.end() ? kEnd : *above;
        const EstimatedEntry& low = *std::prev(above);
        share =
            low.before + PlaceBetween(low.entry, folded, high.entry) * (high.before - low.before);
    }
    const auto place = static_cast<std::int64_t>(share * static_cast<double>(estimate.rows));
    return std::clamp<std::int64_t>(place, 0, estimate.rows);
}

std::string EntryAtPlace(const RowsEstimate& estimate, std::int64_t place) {
    if (estimate.entries.empty() || estimate.rows <= 0) return {};
    const double share = static_cast<double>(place) / static_cast<double>(estimate.rows);
    const auto above =
        std::ranges::upper_bound(estimate.entries, share, {}, &EstimatedEntry::before);
    if (above == estimate.entries.begin()) return {};
    return std::prev(above)->entry;
}

}  // namespace cp

namespace cp {

std::shared_ptr<KeyedRows> Database::OpenKeyedRows(const std::string& /*Source*/,
                                                   const std::string& /*keyField*/) {
    Raise(rows::kErrNotSupported, "This database cannot serve its rows a page at a time.");
}

}  // namespace cp
