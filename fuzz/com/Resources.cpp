#include "fuzz/com/Resources.h"

#include "platform/win32/WindowsApi.h"
#include "tests/support/win32/HeapInUse.h"

namespace cp::fuzz {
namespace {

// Drawing-object handles carry their table index in the low word; Wine answers for an index
// whatever the high word says when that is 0, and does not implement GetGuiResources.
constexpr ULONG_PTR kGdiHandleIndices = 0x10000;

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTree(HWND top, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    ::EnumChildWindows(top, &CountChild, count);
    return TRUE;
}

int GdiObjects() {
    const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) return static_cast<int>(reported);
    int count = 0;
    for (ULONG_PTR index = 1; index < kGdiHandleIndices; ++index)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
    return count;
}

}  // namespace

Resources Measure() {
    Resources r;
    r.heapBytes = test::HeapBytesInUse();
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountTree, reinterpret_cast<LPARAM>(&r.windows));
    r.gdiObjects = GdiObjects();
    return r;
}

std::string Describe(const Resources& r) {
    return std::to_string(r.heapBytes) + " heap bytes, " + std::to_string(r.windows) +
           " windows, " + std::to_string(r.gdiObjects) + " drawing objects";
}

}  // namespace cp::fuzz
