// The searches of the item table row by row, as the control made them before it kept indexes:
// the reference that the indexes must agree with, result for result and failure for failure,
// and the baseline that the benchmarks hold them against.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>

#include "runtime/Locale.h"
#include "runtime/RuntimeError.h"
#include "runtime/Utf8.h"
#include "runtime/Variant.h"

namespace cp::test {

// The prefix rule: an entry matches when its first n characters, upper-cased, equal the
// searched text of n characters, upper-cased. Null never matches; other entries are compared
// through their text form.
class ScannedPrefix {
public:
    explicit ScannedPrefix(std::string_view text) {
        for (char32_t c = 0; c < ascii_.size(); ++c)
            ascii_[c] = UpperCaseChar(c);
        for (std::size_t offset = 0; offset < text.size();)
            upper_ += Upper(utf8::Next(text, offset));
        if (upper_.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
            Raise(vberr::Overflow);
    }

    bool Matches(const Variant& entry) const {
        if (entry.IsNull()) return false;
        if (entry.IsString()) return MatchesText(entry.String());
        return MatchesText(CStr(entry));
    }

private:
    bool MatchesText(std::string_view entry) const {
        std::size_t offset = 0;
        for (char32_t wanted : upper_) {
            if (offset >= entry.size()) return false;
            if (Upper(utf8::Next(entry, offset)) != wanted) return false;
        }
        return true;
    }
    char32_t Upper(char32_t c) const { return c < ascii_.size() ? ascii_[c] : UpperCaseChar(c); }

    std::u32string upper_;
    std::array<char32_t, 128> ascii_{};
};

// The first of the rows 0 to count - 1 whose first column begins with text; -1 for none.
inline std::int32_t ScanFirstColumn(const VariantArray& table, std::int32_t count,
                                    std::string_view text) {
    const ScannedPrefix prefix(text);
    for (std::int32_t r = 0; r < count; ++r)
        if (prefix.Matches(table.At(0, r))) return r;
    return -1;
}

// The first of the rows 0 to count - 1 whose entry in column equals key; -1 for none.
inline std::int32_t ScanColumn(const VariantArray& table, std::int32_t count, std::int32_t column,
                               const Variant& key) {
    for (std::int32_t r = 0; r < count; ++r)
        if (VariantEquals(table.At(column, r), key)) return r;
    return -1;
}

// A search's answer: its row, or the number of the error it failed with. The indexes and the
// scans are compared on this, failures included.
struct SearchOutcome {
    std::int32_t row = -1;
    std::int32_t error = 0;
    friend bool operator==(const SearchOutcome&, const SearchOutcome&) = default;
    std::string Describe() const {
        return error ? "error " + std::to_string(error) : "row " + std::to_string(row);
    }
};

inline std::ostream& operator<<(std::ostream& out, const SearchOutcome& o) {
    return out << o.Describe();
}

template <class Search>
SearchOutcome OutcomeOf(Search&& search) {
    try {
        return {search(), 0};
    } catch (const RuntimeError& e) {
        return {-1, e.Number()};
    }
}

}  // namespace cp::test
