// UTF-8 text measured in characters (Unicode code points), and the UTF-16 conversions that the
// Win32 edges need.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace cp::utf8 {

// The number of characters of a UTF-8 text. A malformed byte counts as one character.
std::size_t Length(std::string_view text);

// The byte offset at which character `index` starts (the text's size when it lies beyond).
std::size_t OffsetOf(std::string_view text, std::size_t index);

// The first `count` characters of a text (all of it when it is shorter).
std::string_view Left(std::string_view text, std::size_t count);

// Decodes the character at `offset`, advancing it; a malformed byte (a stray or lone byte, an
// overlong form, a surrogate, a value beyond U+10FFFF) decodes as U+FFFD.
char32_t Next(std::string_view text, std::size_t& offset);

void Append(std::string& out, char32_t c);

std::u16string ToUtf16(std::string_view text);
std::string FromUtf16(std::u16string_view text);

}  // namespace cp::utf8
