#include <algorithm>

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
#include "runtime/Utf8.h"
#include "table/RowSearch.h"

namespace cp {
namespace {

constexpr UINT kNoItem = static_cast<UINT>(-1);
constexpr LONG kColumnGap = 1;  // the pixel between two cells that the line takes

// The cells of one row of the item table and the widths of their columns.
class RowCells {
public:
    RowCells(const RowCellsAt& at, const std::vector<std::int32_t>& widths)
        : at_(at), widths_(widths) {}

    // A column's width in pixels; a width array shorter than the columns is error 9.
    std::int32_t Width(int c) const {
        if (c < 0 || static_cast<std::size_t>(c) >= widths_.size()) {
            Raise(vberr::SubscriptOutOfRange);
        }
        return widths_[static_cast<std::size_t>(c)];
    }

    // A cell's text: "" for Null, cut to the characters one measuring call handles.
    std::string Text(int c) const { return TruncateText(at_.Text(c)); }

private:
    const RowCellsAt& at_;
    const std::vector<std::int32_t>& widths_;
};

// The typed text's matches in the cells of the searched columns, drawn again on a tint of the
// selection colour: a quiet mark that stays readable in the selected row as in the others.
class MatchMarks {
public:
    MatchMarks(const std::string& typed, const SearchRule& rule, COLORREF tint,
               const MeasuringContext& measure)
        : typed_(typed),
          rule_(rule),
          columns_(rule.ReadColumns()),
          tint_(tint),
          measure_(measure) {}

    // `textLeft` is where the cell's text begins, which its alignment decides.
    void Draw(HDC hDC, int column, const std::string& text, LONG textLeft, const RECT& rect) const {
        if (typed_.empty() || std::ranges::find(columns_, column) == columns_.end()) return;
        const auto matched = FindMatchedCharacters(text, typed_, rule_.mode);
        // A match that the column's width cut off shows nothing.
        if (!matched) return;
        const std::string_view before = utf8::Left(text, matched->first);
        const std::string_view part =
            utf8::Left(std::string_view(text).substr(before.size()), matched->count);
        RECT at = rect;
        at.left = textLeft + measure_.Width(before);
        const COLORREF previous = SetBkColor(hDC, tint_);
        DrawText(hDC, part, &at, kCellTextFormat);
        SetBkColor(hDC, previous);
    }

    int Width(const std::string& text) const { return measure_.Width(text); }

private:
    const std::string& typed_;
    const SearchRule& rule_;
    std::vector<std::int16_t> columns_;
    COLORREF tint_;
    const MeasuringContext& measure_;
};

// A quarter of the way from one colour to the other.
COLORREF Tint(COLORREF from, COLORREF to) {
    const auto mix = [&](int shift) {
        const int a = static_cast<int>((from >> shift) & 0xFF);
        const int b = static_cast<int>((to >> shift) & 0xFF);
        return static_cast<COLORREF>((a + (b - a) / 4) & 0xFF) << shift;
    };
    return mix(0) | mix(8) | mix(16);
}

// How the cells of one row stand: each column's box and alignment, and the typed text's marks.
struct CellPlaces {
    std::vector<ColumnBox> boxes;
    std::vector<ColumnAlignment> alignments;
    const MatchMarks& marks;

    // A left-aligned text starts where the running rectangle stands; another one keeps to its
    // column's box.
    void Draw(HDC hDC, int c, const std::string& text, RECT& rect) const {
        if (text.empty()) return;
        const auto i = static_cast<std::size_t>(c);
        const ColumnAlignment alignment =
            i < alignments.size() ? alignments[i] : ColumnAlignment::Left;
        if (alignment == ColumnAlignment::Left || i >= boxes.size()) {
            DrawCellText(hDC, text, rect, ColumnAlignment::Left);
            marks.Draw(hDC, c, text, rect.left, rect);
            return;
        }
        RECT box{boxes[i].left, rect.top, boxes[i].right, rect.bottom};
        DrawCellText(hDC, text, box, alignment);
        marks.Draw(hDC, c, text, AlignedTextLeft(box, alignment, marks.Width(text)), box);
    }
};

// Columns 1 and later, left to right: a zero-width column is hidden and takes no gap; the last
// column is not fitted, so only the row's right edge clips it.
void DrawLaterCells(HDC hDC, const RowCells& cells, const MeasuringContext& measure,
                    std::int16_t intColumnCount, const CellPlaces& places, RECT& rect) {
    const int last = intColumnCount - 1;
    for (int c = 1; c < last; ++c) {
        if (cells.Width(c) == 0) {
            rect.left = RowPlace(std::int64_t{rect.left} + cells.Width(c - 1));
            continue;
        }
        const std::string text = measure.Fit(cells.Text(c), cells.Width(c) - kCellTextInset);
        rect.left = RowPlace(std::int64_t{rect.left} + cells.Width(c - 1) + kColumnGap);
        places.Draw(hDC, c, text, rect);
    }
    if (last < 1 || cells.Width(last) == 0) return;
    const std::string text = cells.Text(last);
    if (text.empty()) return;
    rect.left = RowPlace(std::int64_t{rect.left} + cells.Width(last - 1) + kColumnGap);
    places.Draw(hDC, last, text, rect);
}

// A line after every visible column but the last; hidden columns add nothing to the position.
void DrawColumnLines(HDC hDC, const RECT& rcItem, const RowCells& cells,
                     std::int16_t intColumnCount, COLORREF lineColor) {
    std::int64_t x = 0;
    for (int c = 0; c < intColumnCount - 1; ++c) {
        if (cells.Width(c) == 0) continue;
        x += cells.Width(c);
        const int lineX = RowPlace(x + 1 + c);
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

    const auto listRow = static_cast<std::int32_t>(dis.itemID);
    const bool far = FarServerRow(listRow);
    const std::int32_t row = far ? -1 : TableRowOf(listRow);
    const RowCellsAt at = far ? RowCellsAt{} : CellsOf(row);
    if (!far) ReadServerAhead();
    FollowServerMoveAfterPaint();
    if (!at.Readable()) {
        // A row that the server could not deliver, or has yet to, is drawn empty.
        RowPaint blank(dis.hDC, back, fore);
        blank.FillBackground(dis.rcItem);
        blank.Restore();
        return;
    }
    // A column count above the table's would read past it; the lower count stays for good.
    const std::int32_t tableColumns = at.Columns();
    if (settings.intColumnCount > tableColumns)
        settings.intColumnCount = static_cast<std::int16_t>(tableColumns);

    if (row < 0) return;
    const RowCells cells(at, columns.lngColumnWidths);
    const HFONT font = lstListBox.Font();
    MeasuringContext measure(lstListBox.hWnd(), font);
    const std::string first = measure.Fit(cells.Text(0), cells.Width(0) - kCellTextInset);

    // The selected row marks its matches a quarter of the way to the normal background, the
    // others a quarter of the way to the selected one.
    const COLORREF tint = Tint(back, TranslateColor(selected ? settings.lngBackColorNormal
                                                             : settings.lngBackColorSelected));
    const MatchMarks marks(shown.Marked(), search.rule, tint, measure);
    CellPlaces places{ColumnBoxes(columns.lngColumnWidths, settings.intColumnCount),
                      columns.alignments, marks};
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
