#include "frame/GdiScope.h"

namespace cp {

SolidBrush::~SolidBrush() {
    try {
        Delete();
    } catch (...) {
        // Already on the way out of a failed drawing call; that failure is the one reported.
    }
}

void SolidBrush::Delete() {
    const HBRUSH hBrush = hBrush_;
    hBrush_ = nullptr;
    if (hBrush) DeleteObject(hBrush);
}

MemoryDc::~MemoryDc() {
    try {
        Delete();
    } catch (...) {
        // Already on the way out of a failed drawing call; that failure is the one reported.
    }
}

void MemoryDc::SelectBitmap(HBITMAP hBitmap) {
    if (!hDC_) return;
    const HGDIOBJ hPrevious = SelectObject(hDC_, hBitmap);
    if (!hPrevious_) hPrevious_ = hPrevious;
}

void MemoryDc::Delete() {
    const HDC hDC = hDC_;
    const HGDIOBJ hPrevious = hPrevious_;
    hDC_ = nullptr;
    hPrevious_ = nullptr;
    if (!hDC) return;
    // A context must not be deleted with the caller's bitmap still in it.
    if (hPrevious) {
        try {
            SelectObject(hDC, hPrevious);
        } catch (...) {
            DeleteDC(hDC);
            throw;
        }
    }
    DeleteDC(hDC);
}

}  // namespace cp
