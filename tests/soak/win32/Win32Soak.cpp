// The soak on Win32 under Wine: 1,000 rounds; the drawing objects are counted by asking the
// system (GetObjectType) about every pen, brush and memory context that the control has made,
// and memory as the bytes of the blocks in use on the process's heaps.
#include <algorithm>
#include <vector>

#include "platform/win32/GdiAccounting.h"
#include "platform/win32/WindowsApi.h"
#include "tests/soak/SoakPlatform.h"
#include "tests/support/win32/HeapInUse.h"

namespace cp::test {
namespace {

// The control's drawing objects that the system still knew at the last look. A handle that
// the system has let go of is dropped at once, before the system can hand it out again.
std::vector<HGDIOBJ>& Alive() {
    static std::vector<HGDIOBJ> alive = [] {
        win32::StartRecordingGdiObjectsMade();
        return std::vector<HGDIOBJ>{};
    }();
    return alive;
}

void LookAtDrawingObjects() {
    std::vector<HGDIOBJ>& alive = Alive();
    const std::vector<HGDIOBJ> made = win32::TakeGdiObjectsMade();
    alive.insert(alive.end(), made.begin(), made.end());
    std::sort(alive.begin(), alive.end());
    alive.erase(std::unique(alive.begin(), alive.end()), alive.end());
    std::erase_if(alive, [](HGDIOBJ object) { return ::GetObjectType(object) == 0; });
}

}  // namespace

const SoakPlan kSoakPlan{.settledRound = 100, .lastRound = 1'000, .memoryComparable = true};

SoakFigures MeasureSoak() {
    LookAtDrawingObjects();
    return SoakFigures{static_cast<int>(Alive().size()), HeapBytesInUse()};
}

void ForgetRecords() {
    LookAtDrawingObjects();
}

}  // namespace cp::test
