#include "control/TextMatch.h"

#include <limits>

#include "runtime/Locale.h"
#include "runtime/RuntimeError.h"
#include "runtime/Utf8.h"

namespace cp {

PrefixMatcher::PrefixMatcher(std::string_view text) {
    // The host's case mapping of the ASCII characters, asked once per search rather than once
    // per character of every row.
    for (char32_t c = 0; c < ascii_.size(); ++c)
        ascii_[c] = UpperCaseChar(c);
    for (std::size_t offset = 0; offset < text.size();) {
        upper_ += Upper(utf8::Next(text, offset));
    }
    if (upper_.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
        Raise(vberr::Overflow);
    }
}

bool PrefixMatcher::Matches(const Variant& entry) const {
    if (entry.IsNull()) return false;
    // Strings, the usual entries, are compared in place without building new text.
    if (entry.IsString()) return MatchesText(entry.String());
    return MatchesText(CStr(entry));
}

bool PrefixMatcher::MatchesText(std::string_view entry) const {
    std::size_t offset = 0;
    for (char32_t wanted : upper_) {
        if (offset >= entry.size()) return false;
        if (Upper(utf8::Next(entry, offset)) != wanted) return false;
    }
    return true;
}

char32_t PrefixMatcher::Upper(char32_t c) const {
    return c < ascii_.size() ? ascii_[c] : UpperCaseChar(c);
}

}  // namespace cp
