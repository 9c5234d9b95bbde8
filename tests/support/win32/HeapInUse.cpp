#include "tests/support/win32/HeapInUse.h"

#include <vector>

#include "platform/win32/WindowsApi.h"

namespace cp::test {
namespace {

// Wine's heap checks (WINEDEBUG=warn+heap, under which the leak checks run) keep the last 1024
// blocks freed on a heap from being handed out again, to catch a use after the free: each is
// filled with 0xFEEEFEEE and still walks as a block in use. Which blocks those are depends on
// the latest frees, not on what the process holds, so that the same work could seem to hold
// tens of kilobytes more or less from one look to the next. A block in use is filled otherwise
// (Wine fills a new one with 0x55), unless its owner wrote that pattern over all of it.
bool HeldBackAfterItsFree(const PROCESS_HEAP_ENTRY& entry) {
    static const unsigned char kFreedFill[] = {0xEE, 0xFE, 0xEE, 0xFE};
    if (entry.cbData < sizeof(kFreedFill)) return false;
    const auto* bytes = static_cast<const unsigned char*>(entry.lpData);
    for (DWORD i = 0; i < entry.cbData; ++i) {
        if (bytes[i] != kFreedFill[i % sizeof(kFreedFill)]) return false;
    }
    return true;
}

}  // namespace

std::int64_t HeapBytesInUse() {
    std::vector<HANDLE> heaps(::GetProcessHeaps(0, nullptr));
    heaps.resize(::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    std::int64_t bytes = 0;
    for (HANDLE heap : heaps) {
        if (!::HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heap, &entry)) {
            if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) && !HeldBackAfterItsFree(entry)) {
                bytes += entry.cbData;
            }
        }
        ::HeapUnlock(heap);
    }
    return bytes;
}

}  // namespace cp::test
