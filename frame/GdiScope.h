// Drawing objects that live for one drawing procedure: each is created, used and deleted there,
// and deleted on the way out even when a drawing call in between fails.
#pragma once

#include "platform/basApi.h"

namespace cp {

// A solid brush of one colour.
class SolidBrush {
public:
    explicit SolidBrush(COLORREF color) : hBrush_(CreateSolidBrush(color)) {}
    ~SolidBrush();
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;

    HBRUSH Handle() const { return hBrush_; }
    // Deletes the brush now; later calls and the destructor do nothing.
    void Delete();

private:
    HBRUSH hBrush_;  // the brush; nullptr once deleted
};

// A memory device context compatible with another one, with a bitmap selected into it. The
// bitmap that the context held before is put back before the context is deleted.
class MemoryDc {
public:
    explicit MemoryDc(HDC hdcCompatible) : hDC_(CreateCompatibleDC(hdcCompatible)) {}
    ~MemoryDc();
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC Handle() const { return hDC_; }
    void SelectBitmap(HBITMAP hBitmap);
    // Puts the previous bitmap back and deletes the context; later calls do nothing.
    void Delete();

private:
    HDC hDC_;                      // the memory context; nullptr once deleted
    HGDIOBJ hPrevious_ = nullptr;  // the bitmap it held before SelectBitmap
};

}  // namespace cp
