// Accounting of the drawing objects that the control creates through the platform's drawing
// operations. Wine does not implement GetGuiResources, so the mapping counts for itself: every
// brush, pen and memory device context created and not yet deleted, and every window device
// context obtained and not yet released. Objects that the host creates for itself are not
// counted.
#pragma once

#include <vector>

#include "platform/basApi.h"

namespace cp::win32 {

struct GdiCounts {
    int brushes = 0;    // CreateSolidBrush without DeleteObject
    int pens = 0;       // CreatePen without DeleteObject
    int memoryDCs = 0;  // CreateCompatibleDC without DeleteDC
    int windowDCs = 0;  // GetDC without ReleaseDC
    friend bool operator==(const GdiCounts&, const GdiCounts&) = default;
};

// What is alive now, counted since the program started.
GdiCounts LiveGdiObjects();

// For a test that asks the system itself which of the control's drawing objects still live:
// once recording has started, every pen, brush and memory device context handle that the
// drawing operations make is kept until the test takes it.
void StartRecordingGdiObjectsMade();
std::vector<HGDIOBJ> TakeGdiObjectsMade();

// Called by the drawing operations.
void CountCreated(HGDIOBJ object, int GdiCounts::*kind);
void CountMade(HGDIOBJ object);
void CountDeleted(HGDIOBJ object);
void CountDC(int GdiCounts::*kind, int delta);

}  // namespace cp::win32
