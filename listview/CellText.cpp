#include "listview/CellText.h"

namespace cp {
namespace {

RECT Inner(const RECT& rect) {
    return {rect.left + kCellTextInset, rect.top, rect.right - kCellTextInset, rect.bottom};
}

}  // namespace

void DrawCellText(HDC hDC, const std::string& text, RECT& rect, ColumnAlignment alignment) {
    if (text.empty()) return;
    if (alignment == ColumnAlignment::Left) {
        DrawText(hDC, text, &rect, kCellTextFormat);
        return;
    }
    RECT inner = Inner(rect);
    DrawText(hDC, text, &inner,
             kCellTextFormat | (alignment == ColumnAlignment::Right ? DT_RIGHT : DT_CENTER));
}

LONG AlignedTextLeft(const RECT& rect, ColumnAlignment alignment, int textWidth) {
    if (alignment == ColumnAlignment::Left) return rect.left;
    const RECT inner = Inner(rect);
    if (alignment == ColumnAlignment::Right) return inner.right - textWidth;
    return inner.left + (inner.right - inner.left - textWidth) / 2;
}

}  // namespace cp
