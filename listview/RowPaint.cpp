#include "listview/RowPaint.h"

namespace cp {

RowPaint::RowPaint(HDC hDC, COLORREF lngBackColor, COLORREF lngForeColor)
    : hDC_(hDC),
      lngPreviousBack_(SetBkColor(hDC, lngBackColor)),
      lngPreviousFore_(SetTextColor(hDC, lngForeColor)),
      hBrush_(CreateSolidBrush(lngBackColor)) {}

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
    if (blnRestored_) return;
    blnRestored_ = true;
    // The brush was never selected, so it goes whatever happens to the colours.
    DeleteObject(hBrush_);
    SetBkColor(hDC_, lngPreviousBack_);
    SetTextColor(hDC_, lngPreviousFore_);
}

}  // namespace cp
