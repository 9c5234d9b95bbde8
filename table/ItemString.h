// Item strings and width strings: fields separated by ";" with no quoting, escaping or
// trimming. An empty field between two semicolons is a field, and a trailing semicolon adds an
// empty field at the end.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace cp {

inline constexpr char kFieldSeparator = ';';

std::vector<std::string_view> SplitFields(std::string_view text);

// The number of fields of a text, without splitting it.
std::size_t CountFields(std::string_view text);

namespace fields {

// Item strings are mostly short fields, a few bytes apart: the separators are looked for eight
// bytes at a time within a word, which costs less than a call of memchr per field.
inline constexpr std::uint64_t kOnes = 0x0101'0101'0101'0101;
inline constexpr std::uint64_t kLow = 0x7F7F'7F7F'7F7F'7F7F;

// 0x80 in each byte of the eight from p that is a separator, 0 in every other byte.
inline std::uint64_t SeparatorBytes(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(kFieldSeparator));
    // Exact for every byte: no carry crosses from one byte into the next.
    return ~(((x & kLow) + kLow) | x | kLow);
}

// The index of the first byte that marks holds, in memory order.
inline std::size_t FirstMarked(std::uint64_t marks) {
    if constexpr (std::endian::native == std::endian::little) {
        return static_cast<std::size_t>(std::countr_zero(marks)) / 8;
    } else {
        return static_cast<std::size_t>(std::countl_zero(marks)) / 8;
    }
}

}  // namespace fields

// The first separator at or after start, or npos.
inline std::size_t FindSeparator(std::string_view text, std::size_t start) {
    std::size_t i = start;
    for (; i + sizeof(std::uint64_t) <= text.size(); i += sizeof(std::uint64_t)) {
        if (const std::uint64_t marks = fields::SeparatorBytes(text.data() + i))
            return i + fields::FirstMarked(marks);
    }
    for (; i < text.size(); ++i)
        if (text[i] == kFieldSeparator) return i;
    return std::string_view::npos;
}

// Calls visit(field) for each field in order, without building a list of them.
template <class Visit>
void ForEachField(std::string_view text, Visit&& visit) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = FindSeparator(text, start);
        if (end == std::string_view::npos) {
            visit(text.substr(start));
            return;
        }
        visit(text.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace cp
