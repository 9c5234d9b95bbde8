// The soak on Win32 under Wine: 1,000 rounds; the drawing objects are counted by asking the
// system (GetObjectType) about every pen, brush and memory context that the control has made,
// and memory as the bytes of the blocks in use on the process's heaps.
#include <vector>

#include "platform/win32/GdiAccounting.h"
#include "platform/win32/WindowsApi.h"
#include "tests/soak/SoakPlatform.h"

namespace cp::test {
namespace {

std::int64_t HeapBytesInUse() {
    std::vector<HANDLE> heaps(::GetProcessHeaps(0, nullptr));
    heaps.resize(::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    std::int64_t bytes = 0;
    for (HANDLE heap : heaps) {
        if (!::HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heap, &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData;
        }
        ::HeapUnlock(heap);
    }
    return bytes;
}

}  // namespace

int SettledRound() {
    return 100;
}

int LastRound() {
    return 1'000;
}

bool MemoryComparable() {
    // Wine's own caches share the process heaps; the figure is reported, not compared.
    return false;
}

SoakFigures MeasureSoak() {
    int alive = 0;
    for (HGDIOBJ object : win32::EveryGdiObjectMade())
        if (::GetObjectType(object) != 0) ++alive;
    return SoakFigures{alive, HeapBytesInUse()};
}

void ForgetRecords() {}

}  // namespace cp::test
