// The cut that keeps a cell's text within what one measuring call may handle.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cp {

// Most characters of one cell that are measured and drawn.
inline constexpr std::size_t kMaxCellChars = 500;

// The first 500 characters of a longer text; a shorter text unchanged.
std::string TruncateText(std::string_view strText);

}  // namespace cp
