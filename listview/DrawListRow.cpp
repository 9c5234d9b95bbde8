#include "control/ColumnPick.h"
#include "listview/CellText.h"
#include "listview/ColumnBoxes.h"
#include "listview/DrawLine.h"
#include "listview/MeasuringContext.h"
#include "listview/RowPaint.h"
#include "listview/TruncateText.h"
#include "platform/OleColor.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

namespace cp {
namespace {

constexpr UINT kNoItem = static_cast<UINT>(-1);
constexpr LONG kColumnGap = 1;  // the pixel between two cells that the line takes

// The cells of one row of the item table and the widths of their columns.
class RowCells {
public:
    RowCells(const VariantArray& items, const std::vector<std::int32_t>& widths, UINT itemID)
        : items_(items), widths_(widths), row_(static_cast<std::int32_t>(itemID)) {}

    // A column's width in pixels; a width array shorter than the columns is error 9.
    std::int32_t Width(int c) const {
        if (c < 0 || static_cast<std::size_t>(c) >= widths_.size()) {
            Raise(vberr::SubscriptOutOfRange);
        }
        return widths_[static_cast<std::size_t>(c)];
    }

    // A cell's text: "" for Null, cut to the characters one measuring call handles.
    std::string Text(int c) const { return TruncateText(DisplayText(items_.At(c, row_))); }

private:
    const VariantArray& items_;
    const std::vector<std::int32_t>& widths_;
    std::int32_t row_;
};

// How the cells of one row stand: each column's box and alignment.
struct CellPlaces {
    std::vector<ColumnBox> boxes;
    std::vector<ColumnAlignment> alignments;

    // A left-aligned text starts where the running rectangle stands; another one keeps to its
    // column's box.
    void Draw(HDC hDC, int c, const std::string& text, RECT& rect) const {
        const auto i = static_cast<std::size_t>(c);
        const ColumnAlignment alignment =
            i < alignments.size() ? alignments[i] : ColumnAlignment::Left;
        if (alignment == ColumnAlignment::Left || i >= boxes.size()) {
            DrawCellText(hDC, text, rect, ColumnAlignment::Left);
            return;
        }
        RECT box{boxes[i].left, rect.top, boxes[i].right, rect.bottom};
        DrawCellText(hDC, text, box, alignment);
    }
};

// Columns 1 and later, left to right: a zero-width column is hidden and takes no gap; the last
// column is not fitted, so only the row's right edge clips it.
void DrawLaterCells(HDC hDC, const RowCells& cells, const MeasuringContext& measure,
                    std::int16_t intColumnCount, const CellPlaces& places, RECT& rect) {
    const int last = intColumnCount - 1;
    for (int c = 1; c < last; ++c) {
        if (cells.Width(c) == 0) {
            rect.left += cells.Width(c - 1);
            continue;
        }
        const std::string text = measure.Fit(cells.Text(c), cells.Width(c) - kCellTextInset);
        rect.left += cells.Width(c - 1) + kColumnGap;
        places.Draw(hDC, c, text, rect);
    }
    if (last < 1 || cells.Width(last) == 0) return;
    const std::string text = cells.Text(last);
    if (text.empty()) return;
    rect.left += cells.Width(last - 1) + kColumnGap;
    places.Draw(hDC, last, text, rect);
}

// A line after every visible column but the last; hidden columns add nothing to the position.
void DrawColumnLines(HDC hDC, const RECT& rcItem, const RowCells& cells,
                     std::int16_t intColumnCount, COLORREF lineColor) {
    std::int16_t x = 0;
    for (int c = 0; c < intColumnCount - 1; ++c) {
        if (cells.Width(c) == 0) continue;
        x = CInt(static_cast<double>(x) + cells.Width(c));
        const int lineX = x + 1 + c;
        DrawLine(hDC, lineX, rcItem.top, lineX, rcItem.bottom, lineColor);
    }
}

}  // namespace

bool ColumnPick::PaintRow(const DRAWITEMSTRUCT& dis) {
    if (dis.hwndItem != lstListBox.hWnd()) return false;
    DrawListRow(dis);
    return true;
}

void ColumnPick::DrawListRow(DRAWITEMSTRUCT dis) {
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    const COLORREF back =
        TranslateColor(selected ? settings.lngBackColorSelected : settings.lngBackColorNormal);
    const COLORREF fore =
        TranslateColor(selected ? settings.lngForeColorSelected : settings.lngForeColorNormal);
    if (dis.itemID == kNoItem) return;

    // A column count above the table's would read past it; the lower count stays for good.
    const std::int32_t tableColumns = rows.Items().Extent(0);
    if (settings.intColumnCount > tableColumns)
        settings.intColumnCount = static_cast<std::int16_t>(tableColumns);

    const RowCells cells(rows.Items(), columns.lngColumnWidths, dis.itemID);
    const HFONT font = lstListBox.Font();
    MeasuringContext measure(lstListBox.hWnd(), font);
    const std::string first = measure.Fit(cells.Text(0), cells.Width(0) - kCellTextInset);

    CellPlaces places{ColumnBoxes(columns.lngColumnWidths, settings.intColumnCount),
                      columns.alignments};
    RowPaint paint(dis.hDC, back, fore);
    paint.FillBackground(dis.rcItem);
    RECT rect = dis.rcItem;
    rect.left += kFirstColumnMargin;
    places.Draw(dis.hDC, 0, first, rect);
    DrawLaterCells(dis.hDC, cells, measure, settings.intColumnCount, places, rect);
    paint.Restore();
    measure.Release();

    DrawColumnLines(dis.hDC, dis.rcItem, cells, settings.intColumnCount,
                    TranslateColor(settings.lngColumnLineForeColor));
}

}  // namespace cp
