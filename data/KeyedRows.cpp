#include "data/KeyedRows.h"

#include <algorithm>

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

std::optional<KeyedRow> KeyedRows::FirstMatching(const FieldSearch& search,
                                                 std::string_view /*text*/) {
    CheckSearch(search);
    return std::nullopt;
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

std::int64_t EstimatedPlace(const RowsEstimate& estimate, const Variant& completion) {
    if (completion.IsNull() || estimate.entries.empty()) return 0;
    const std::string folded = FoldedPrefix(CStr(completion));
    const auto below =
        std::ranges::lower_bound(estimate.entries, folded) - estimate.entries.begin();
    return estimate.rows * below / static_cast<std::int64_t>(estimate.entries.size());
}

std::string EstimatedEntry(const RowsEstimate& estimate, std::int64_t place) {
    if (estimate.entries.empty() || estimate.rows <= 0) return {};
    const auto sampled = static_cast<std::int64_t>(estimate.entries.size());
    const std::int64_t at =
        std::clamp<std::int64_t>(place * sampled / estimate.rows, 0, sampled - 1);
    return estimate.entries[static_cast<std::size_t>(at)];
}

}  // namespace cp

namespace cp {

std::shared_ptr<KeyedRows> Database::OpenKeyedRows(const std::string& /*Source*/,
                                                   const std::string& /*keyField*/) {
    Raise(rows::kErrNotSupported, "This database cannot serve its rows a page at a time.");
}

}  // namespace cp
