#include "listview/ColumnBoxes.h"

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
            box.lineX = static_cast<int>(x + 1 + c);
            box.right = box.lineX;
            left = box.lineX + 1;
        } else {
            box.right = left + width;
        }
    }
    return boxes;
}

}  // namespace cp
