#include "platform/sim/TextMetrics.h"

#include <algorithm>

#include "runtime/Utf8.h"

namespace cp::sim {
namespace {

constexpr std::u32string_view kNarrow = U"ilIj.,:;!'| ";
constexpr std::u32string_view kWide = U"MWmw@";

}  // namespace

int CharWidth(char32_t c) {
    if (kNarrow.find(c) != std::u32string_view::npos) return kNarrowCharWidth;
    if (kWide.find(c) != std::u32string_view::npos) return kWideCharWidth;
    return kCharWidth;
}

std::vector<int> TextExtents(std::string_view utf8) {
    std::vector<int> extents;
    int total = 0;
    for (std::size_t offset = 0; offset < utf8.size();) {
        total += CharWidth(utf8::Next(utf8, offset));
        extents.push_back(total);
    }
    return extents;
}

int TextWidth(std::string_view utf8) {
    const std::vector<int> extents = TextExtents(utf8);
    return extents.empty() ? 0 : extents.back();
}

int TextFit(std::string_view utf8, int maxExtent) {
    const std::vector<int> extents = TextExtents(utf8);
    // A negative maximum is no limit at all, as the window system takes it.
    if (maxExtent < 0) return static_cast<int>(extents.size());
    return static_cast<int>(
        std::count_if(extents.begin(), extents.end(), [&](int e) { return e <= maxExtent; }));
}

}  // namespace cp::sim
