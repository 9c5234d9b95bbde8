#include "table/RowSearch.h"

#include <algorithm>
#include <charconv>

#include "runtime/Locale.h"
#include "runtime/RuntimeError.h"
#include "runtime/Utf8.h"

namespace cp {
namespace {

constexpr char32_t kOneByte = 0x80;

bool IsContinuation(char b) {
    return (static_cast<unsigned char>(b) & 0xC0) == 0x80;
}

// The folded character that ends just before `at` (folded bytes are UTF-8 forms).
char32_t CharacterBefore(std::string_view entry, std::size_t at) {
    std::size_t start = at - 1;
    while (start > 0 && IsContinuation(entry[start]))
        --start;
    std::size_t offset = start;
    return utf8::Next(entry.substr(0, at), offset);
}

}  // namespace

bool OnlySeparators(std::string_view folded) {
    for (std::size_t offset = 0; offset < folded.size();) {
        if (!IsWordSeparator(utf8::Next(folded, offset))) return false;
    }
    return true;
}

std::vector<std::int16_t> SearchRule::ReadColumns() const {
    if (mode == MatchMode::Prefix) return {0};
    return columns;
}

std::optional<std::vector<std::int16_t>> ParseSearchColumns(std::string_view text,
                                                            std::int16_t columnCount) {
    std::vector<std::int16_t> columns;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        const std::string_view field = text.substr(start, end - start);
        int column = -1;
        const auto [last, error] =
            std::from_chars(field.data(), field.data() + field.size(), column);
        if (field.empty() || error != std::errc{} || last != field.data() + field.size() ||
            column < 0 || column >= columnCount ||
            std::ranges::find(columns, column) != columns.end()) {
            return std::nullopt;
        }
        columns.push_back(static_cast<std::int16_t>(column));
        start = end + 1;
    }
    return columns;
}

std::string SearchColumnsText(const std::vector<std::int16_t>& columns) {
    std::string text;
    for (const std::int16_t column : columns) {
        if (!text.empty()) text += ';';
        text += std::to_string(column);
    }
    return text;
}

bool IsWordSeparator(char32_t c) {
    if (c < kOneByte) {
        const bool letterOrDigit =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        return !letterOrDigit;
    }
    // Latin-1's spaces, signs and punctuation (not its ordinal and micro signs, which are
    // letters, nor its superscript digits).
    if (c >= 0xA0 && c <= 0xBF)
        return c != 0xAA && c != 0xB5 && c != 0xBA && c != 0xB2 && c != 0xB3 && c != 0xB9;
    if (c == 0xD7 || c == 0xF7) return true;
    // General punctuation, CJK symbols and punctuation, the full-width ASCII signs.
    if (c >= 0x2000 && c <= 0x206F) return true;
    if (c >= 0x3000 && c <= 0x303F) return true;
    if (c >= 0xFF01 && c <= 0xFF0F) return true;
    return c >= 0xFF1A && c <= 0xFF20;
}

void AppendFoldedEntry(const CaseFold& fold, const Variant& entry, std::string& out) {
    if (entry.IsNull()) return;
    if (entry.IsString()) {
        fold.Append(entry.String(), out);
        return;
    }
    try {
        fold.Append(CStr(entry), out);
    } catch (const RuntimeError&) {
        // An object or an array has no text to find.
    }
}

void AppendFoldedEntry(const CaseFold& fold, const CellView& entry, std::string& out) {
    if (entry.IsNull()) return;
    if (entry.IsString()) {
        fold.Append(entry.String(), out);
        return;
    }
    AppendFoldedEntry(fold, entry.ToVariant(), out);
}

bool StandsAt(std::string_view entry, std::size_t at, std::string_view needle, MatchMode mode) {
    switch (mode) {
        case MatchMode::Prefix:
            return at == 0;
        case MatchMode::WordStart:
            if (OnlySeparators(needle)) return false;
            return at == 0 || IsWordSeparator(CharacterBefore(entry, at));
        case MatchMode::Contains:
            return true;
    }
    return false;
}

std::size_t FindInEntry(std::string_view entry, std::string_view needle, MatchMode mode,
                        std::size_t from) {
    for (std::size_t at = entry.find(needle, from); at != std::string_view::npos;
         at = entry.find(needle, at + 1)) {
        // A place inside a character is no place of a character.
        if (at > 0 && at < entry.size() && IsContinuation(entry[at])) continue;
        if (StandsAt(entry, at, needle, mode)) return at;
        if (mode == MatchMode::Prefix) break;
    }
    return std::string_view::npos;
}

}  // namespace cp

namespace cp {
namespace {

// Folded characters are whole UTF-8 forms: the characters before a place are its lead bytes.
std::size_t CharactersBefore(std::string_view folded, std::size_t at) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < at; ++i)
        if (!IsContinuation(folded[i])) ++n;
    return n;
}

// The host's upper case, taken again when the locale changes.
const CaseFold& CurrentFold() {
    thread_local std::uint64_t generation = LocaleGeneration();
    thread_local CaseFold fold;
    if (generation != LocaleGeneration()) {
        fold = CaseFold();
        generation = LocaleGeneration();
    }
    return fold;
}

}  // namespace

std::optional<MatchedCharacters> FindMatchedCharacters(std::string_view text,
                                                       std::string_view typed, MatchMode mode) {
    if (typed.empty()) return std::nullopt;
    const CaseFold& fold = CurrentFold();
    std::string entry;
    std::string needle;
    fold.Append(text, entry);
    fold.Append(typed, needle);
    const std::size_t at = FindInEntry(entry, needle, mode);
    if (at == std::string_view::npos) return std::nullopt;
    return MatchedCharacters{CharactersBefore(entry, at), utf8::Length(typed)};
}

}  // namespace cp
