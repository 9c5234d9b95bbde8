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
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), kFieldSeparator)) + 1;
}

}  // namespace cp
