// The simulator's fixed text-measuring model, the same for every font, so that fits are
// predictable. Text is UTF-8 and is measured per character (Unicode code point):
// - "i", "l", "I", "j", ".", ",", ":", ";", "!", "'", "|" and the space are 3 pixels wide;
// - "M", "W", "m", "w" and "@" are 9 pixels wide;
// - every other character is 6 pixels wide;
// - a line of text is 13 pixels high.
#pragma once

#include <string_view>
#include <vector>

namespace cp::sim {

inline constexpr int kNarrowCharWidth = 3;
inline constexpr int kWideCharWidth = 9;
inline constexpr int kCharWidth = 6;
inline constexpr int kTextHeight = 13;

int CharWidth(char32_t c);
// The width of the whole text.
int TextWidth(std::string_view utf8);
// The extent after each character of the text, in order.
std::vector<int> TextExtents(std::string_view utf8);
// The number of leading characters whose total width is at most maxExtent (all of them when
// maxExtent is negative).
int TextFit(std::string_view utf8, int maxExtent);

}  // namespace cp::sim
