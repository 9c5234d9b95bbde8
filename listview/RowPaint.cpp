#include "listview/RowPaint.h"

namespace cp {

RowPaint::RowPaint(HDC hDC, COLORREF lngBackColor, COLORREF lngForeColor)
    : hDC_(hDC),
      lngPreviousBack_(SetBkColor(hDC, lngBackColor)),
      lngPreviousFore_(SetTextColor(hDC, lngForeColor)),
      hBrush_(CreateSolidBrush(lngBackColor)) {}

RowPaint::~RowPaint() {
    Restore();
}

void RowPaint::FillBackground(const RECT& rect) const {
    FillRect(hDC_, &rect, hBrush_);
}

void RowPaint::Restore() {
    if (blnRestored_) return;
    blnRestored_ = true;
    DeleteObject(hBrush_);
    SetBkColor(hDC_, lngPreviousBack_);
    SetTextColor(hDC_, lngPreviousFore_);
}

}  // namespace cp
