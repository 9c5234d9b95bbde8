#include "data/rows/QueryNames.h"

#include <algorithm>

namespace cp::rows {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsNameChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || c == '_' ||
           c == '$' || u >= 0x80;
}

}  // namespace

std::optional<QueryName> BareName(std::string_view text) {
    text = Trim(text);
    if (text.size() >= 2) {
        const char open = text.front();
        const char close = open == '[' ? ']' : open;
        const std::string_view inner = text.substr(1, text.size() - 2);
        if ((open == '[' || open == '"' || open == '`') && text.back() == close &&
            inner.find(close) == std::string_view::npos) {
            return QueryName{std::string(inner), true};
        }
    }
    if (!text.empty() && std::all_of(text.begin(), text.end(), IsNameChar)) {
        return QueryName{std::string(text), false};
    }
    return std::nullopt;
}

std::string QuotedName(const std::string& name, char quote) {
    std::string quoted(1, quote);
    for (char c : name) {
        quoted += c;
        if (c == quote) quoted += c;
    }
    return quoted + quote;
}

}  // namespace cp::rows
