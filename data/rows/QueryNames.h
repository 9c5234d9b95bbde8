// What OpenRecordset makes of a query text that is no SQL: the name of a table or stored query,
// which every engine reads whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cp::rows {

struct QueryName {
    std::string name;  // the name without its brackets or quotes
    bool quoted;       // it came in brackets or quotes, so its spelling is exact
};

// The name that a query text stands for when it is not SQL: a plain identifier, or any text in
// square brackets, double quotes or back quotes.
std::optional<QueryName> BareName(std::string_view text);

// name between two quote characters, a quote inside it doubled.
std::string QuotedName(const std::string& name, char quote);

}  // namespace cp::rows
