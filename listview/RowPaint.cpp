#include "listview/RowPaint.h"

namespace cp {

RowPaint::RowPaint(HDC hDC, COLORREF backColor, COLORREF foreColor)
    : hDC_(hDC),
      previousBack_(SetBkColor(hDC, backColor)),
      previousFore_(SetTextColor(hDC, foreColor)),
      hBrush_(CreateSolidBrush(backColor)) {}

RowPaint::~RowPaint() {
    try {
        Restore();
    } catch (...) {
        // Cleaning up after a failed row: the failure being reported is the one that counts.
    }
}

void RowPaint::FillBackground(const RECT& rect) const {
    FillRect(hDC_, &rect, hBrush_);
}

void RowPaint::Restore() {
    if (restored_) return;
    restored_ = true;
    // The brush was never selected, so it goes whatever happens to the colours.
    DeleteObject(hBrush_);
    SetBkColor(hDC_, previousBack_);
    SetTextColor(hDC_, previousFore_);
}

}  // namespace cp
