#include "listview/ColumnBoxes.h"

#include <algorithm>
#include <cstddef>

namespace cp {

std::vector<ColumnBox> ColumnBoxes(const std::vector<std::int32_t>& widths, int columnCount) {
    std::vector<ColumnBox> boxes(static_cast<std::size_t>(columnCount > 0 ? columnCount : 0));
    // The rows' lines stand after the sum of the visible widths so far, one pixel further for
    // every column passed, hidden ones included.
    std::int64_t x = 0;
    int left = 0;
    for (int c = 0; c < columnCount; ++c) {
        const auto i = static_cast<std::size_t>(c);
        const std::int32_t width = i < widths.size() ? widths[i] : 0;
        if (width <= 0) continue;
        x += width;
        ColumnBox& box = boxes[i];
        box.visible = true;
        box.left = left;
        if (c < columnCount - 1) {
            box.lineX = RowPlace(x + 1 + c);
            box.right = box.lineX;
            left = RowPlace(std::int64_t{box.lineX} + 1);
        } else {
            box.right = RowPlace(std::int64_t{left} + width);
        }
    }
    return boxes;
}

int RowPlace(std::int64_t x) {
    constexpr std::int64_t kFarthest = std::int64_t{1} << 27;
    return static_cast<int>(std::clamp(x, -kFarthest, kFarthest));
}

}  // namespace cp
