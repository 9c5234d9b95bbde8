// The row's colours and background brush on the list's device context: the previous colours
// are kept and the brush is created here, and both are undone when the row is done (or when
// drawing it fails half-way).
#pragma once

#include "platform/basApi.h"

namespace cp {

class RowPaint {
public:
    RowPaint(HDC hDC, COLORREF backColor, COLORREF foreColor);
    ~RowPaint();
    RowPaint(const RowPaint&) = delete;
    RowPaint& operator=(const RowPaint&) = delete;

    // Fills rect with the background colour.
    void FillBackground(const RECT& rect) const;

    // Deletes the brush and puts the previous colours back; later calls do nothing.
    void Restore();

private:
    HDC hDC_;                // the row's device context
    COLORREF previousBack_;  // background colour before the row
    COLORREF previousFore_;  // text colour before the row
    HBRUSH hBrush_;          // the background brush; nullptr once deleted
    bool restored_ = false;  // Restore has run
};

}  // namespace cp
