// Item strings and width strings: fields separated by ";" with no quoting, escaping or
// trimming. An empty field between two semicolons is a field, and a trailing semicolon adds an
// empty field at the end.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace cp {

inline constexpr char kFieldSeparator = ';';

std::vector<std::string_view> SplitFields(std::string_view text);

// The number of fields of a text, without splitting it.
std::size_t CountFields(std::string_view text);

// Calls visit(field) for each field in order, without building a list of them.
template <class Visit>
void ForEachField(std::string_view text, Visit&& visit) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(kFieldSeparator, start);
        if (end == std::string_view::npos) {
            visit(text.substr(start));
            return;
        }
        visit(text.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace cp
