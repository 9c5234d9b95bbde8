#include "table/ItemString.h"

#include <algorithm>

namespace cp {

std::vector<std::string_view> SplitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    fields.reserve(CountFields(text));
    ForEachField(text, [&](std::string_view field) { fields.push_back(field); });
    return fields;
}

std::size_t CountFields(std::string_view text) {
    std::size_t separators = 0;
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= text.size(); i += sizeof(std::uint64_t)) {
        // One bit a separator, at the bottom of its byte, summed across the word.
        const std::uint64_t ones = fields::SeparatorBytes(text.data() + i) >> 7;
        separators += static_cast<std::size_t>((ones * fields::kOnes) >> 56);
    }
    separators += static_cast<std::size_t>(
        std::count(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(), kFieldSeparator));
    return separators + 1;
}

}  // namespace cp
