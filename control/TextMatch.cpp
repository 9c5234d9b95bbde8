#include "control/TextMatch.h"

#include <limits>

#include "platform/Host.h"
#include "platform/RuntimeError.h"
#include "platform/Utf8.h"

namespace cp {

PrefixMatcher::PrefixMatcher(std::string_view text) {
    for (std::size_t offset = 0; offset < text.size();) {
        upper_ += host::UpperCaseChar(utf8::Next(text, offset));
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
        if (host::UpperCaseChar(utf8::Next(entry, offset)) != wanted) return false;
    }
    return true;
}

}  // namespace cp
