#include "data/odbc/OdbcConnectionString.h"

#include <algorithm>
#include <array>

namespace cp::odbc {
namespace {

constexpr std::array<std::string_view, 2> kPasswordWords = {"pwd", "passw"};
constexpr std::string_view kBlanks = " \t\r\n";

struct Extent {
    std::size_t end;  // the semicolon after the attribute, or the end of the text
    bool unclosed;    // a braced value never closes, and so runs to the end of the text
};

Extent AttributeExtent(std::string_view text, std::size_t begin) {
    const std::size_t semicolon = std::min(text.find(';', begin), text.size());
    const std::size_t equals = text.find('=', begin);
    if (equals >= semicolon) return {semicolon, false};
    std::size_t i = text.find_first_not_of(kBlanks, equals + 1);
    if (i == std::string_view::npos || text[i] != '{') return {semicolon, false};
    for (++i; i < text.size(); ++i) {
        if (text[i] != '}') continue;
        if (i + 1 < text.size() && text[i + 1] == '}') {
            ++i;
            continue;
        }
        return {std::min(text.find(';', i), text.size()), false};
    }
    return {text.size(), true};
}

bool IsKeyChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// True when a password key with an "=" after it appears anywhere in the attribute, blanks and
// case aside.
bool MentionsPassword(std::string_view attribute) {
    std::string folded;
    for (char c : attribute) {
        if (kBlanks.find(c) != std::string_view::npos) continue;
        folded += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    for (std::string_view word : kPasswordWords) {
        for (std::size_t at = folded.find(word); at != std::string::npos;
             at = folded.find(word, at + 1)) {
            std::size_t end = at + word.size();
            while (end < folded.size() && IsKeyChar(folded[end]))
                ++end;
            if (end < folded.size() && folded[end] == '=') return true;
        }
    }
    return false;
}

}  // namespace

std::string WithoutPassword(std::string_view connectionString) {
    std::string kept;
    for (std::size_t begin = 0; begin < connectionString.size();) {
        const Extent extent = AttributeExtent(connectionString, begin);
        const std::string_view attribute = connectionString.substr(begin, extent.end - begin);
        const bool shown = !extent.unclosed && attribute.find('=') != std::string_view::npos &&
                           !MentionsPassword(attribute);
        if (shown) {
            if (!kept.empty()) kept += ';';
            kept += attribute;
        }
        begin = extent.end + 1;
    }
    return kept;
}

}  // namespace cp::odbc
