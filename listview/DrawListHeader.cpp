// The header band of the open list: each visible column's caption over its cells, in the
// system's colours of a header (button face and button text), the rows' column lines, and a
// line under the band in the column lines' colour.
#include "control/ColumnPick.h"
#include "listview/CellText.h"
#include "listview/ColumnBoxes.h"
#include "listview/DrawLine.h"
#include "listview/RowPaint.h"
#include "listview/TruncateText.h"
#include "platform/OleColor.h"

namespace cp {
namespace {

constexpr OLE_COLOR kHeaderBack = static_cast<OLE_COLOR>(0x8000000F);  // COLOR_BTNFACE
constexpr OLE_COLOR kHeaderText = static_cast<OLE_COLOR>(0x80000012);  // COLOR_BTNTEXT
constexpr int kHeaderRulePixels = 1;                                   // the line under it

}  // namespace

int ColumnPick::HeaderPixels() const {
    return columns.blnColumnHeads ? lstListBox.RowHeight() + kHeaderRulePixels : 0;
}

std::vector<ColumnHeading> ColumnPick::ColumnHeadings() {
    std::vector<ColumnHeading> headings;
    const int band = HeaderPixels();
    if (band == 0) return headings;
    const std::vector<ColumnBox> boxes =
        ColumnBoxes(columns.lngColumnWidths, settings.intColumnCount);
    for (std::size_t c = 0; c < boxes.size(); ++c) {
        if (!boxes[c].visible) continue;
        const RECT cell{boxes[c].left, -band, boxes[c].right, -kHeaderRulePixels};
        headings.push_back({TruncateText(CaptionOf(static_cast<int>(c))), cell});
    }
    return headings;
}

void ColumnPick::lstListBox_PaintHeader(HDC hdc, int width, int height) {
    // The band is the one the list opened with, even if ColumnHeads changed since.
    if (width <= 0 || height <= 0) return;
    const RECT band{0, 0, width, height};
    const RECT textBand{0, 0, width, height - kHeaderRulePixels};
    const std::vector<ColumnBox> boxes =
        ColumnBoxes(columns.lngColumnWidths, settings.intColumnCount);
    RowPaint paint(hdc, TranslateColor(kHeaderBack), TranslateColor(kHeaderText));
    paint.FillBackground(band);
    for (std::size_t c = 0; c < boxes.size(); ++c) {
        if (!boxes[c].visible) continue;
        const int column = static_cast<int>(c);
        const ColumnAlignment alignment = AlignmentOf(column);
        RECT cell = textBand;
        cell.left = boxes[c].left + (alignment == ColumnAlignment::Left ? kFirstColumnMargin : 0);
        cell.right = boxes[c].right;
        DrawCellText(hdc, TruncateText(CaptionOf(column)), cell, alignment);
    }
    paint.Restore();
    const COLORREF lineColor = TranslateColor(settings.lngColumnLineForeColor);
    for (const ColumnBox& box : boxes)
        if (box.lineX >= 0) DrawLine(hdc, box.lineX, 0, box.lineX, height, lineColor);
    DrawLine(hdc, 0, height - kHeaderRulePixels, width, height - kHeaderRulePixels, lineColor);
}

}  // namespace cp
