// The prefix rule of the searches on the first column: an entry matches when its first n
// characters, upper-cased, equal the searched text of n characters, upper-cased. A Null entry
// never matches; other entries are compared through their text form.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace cp {

class PrefixMatcher {
public:
    // Error 6 when the text is longer than a 16-bit count of characters.
    explicit PrefixMatcher(std::string_view text);
    bool Matches(const Variant& entry) const;

private:
    bool MatchesText(std::string_view entry) const;
    char32_t Upper(char32_t c) const;

    std::u32string upper_;  // the searched text, upper-cased, one element per character
    std::array<char32_t, 128> ascii_{};  // the host's upper case of each ASCII character
};

}  // namespace cp
