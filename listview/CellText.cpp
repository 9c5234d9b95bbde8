#include "listview/CellText.h"

namespace cp {
namespace {

constexpr UINT kCellTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

}  // namespace

void DrawCellText(HDC hDC, const std::string& text, RECT& rect, ColumnAlignment alignment) {
    if (text.empty()) return;
    if (alignment == ColumnAlignment::Left) {
        DrawText(hDC, text, &rect, kCellTextFormat);
        return;
    }
    RECT inner{rect.left + kCellTextInset, rect.top, rect.right - kCellTextInset, rect.bottom};
    DrawText(hDC, text, &inner,
             kCellTextFormat | (alignment == ColumnAlignment::Right ? DT_RIGHT : DT_CENTER));
}

}  // namespace cp
