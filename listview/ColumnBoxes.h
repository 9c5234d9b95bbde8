// Where each column's cells lie across a row of the list (and across its header): the column
// lines divide the row, a line after every visible column but the last.
#pragma once

#include <cstdint>
#include <vector>

namespace cp {

struct ColumnBox {
    int left = 0;          // the first pixel of the cell
    int right = 0;         // the pixel after it: the column's line, or its width's end
    bool visible = false;  // a column of width 0 is hidden and has no cell
    int lineX = -1;        // the line drawn after the column; -1 for none
};

// One box per column, 0 to columnCount - 1; a column without a width is hidden.
std::vector<ColumnBox> ColumnBoxes(const std::vector<std::int32_t>& widths, int columnCount);

// A place across the row, held where drawing still takes it: widths that ColumnWidths accepts
// add up to more than an int holds, and the window system draws nothing that far out anyway.
int RowPlace(std::int64_t x);

}  // namespace cp
