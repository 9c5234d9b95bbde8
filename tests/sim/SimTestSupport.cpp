#include "tests/sim/SimTestSupport.h"

#include "platform/sim/BuiltInClasses.h"
#include "platform/sim/EditClass.h"
#include "platform/sim/SimWindowApi.h"
#include "platform/sim/World.h"

namespace cp::sim::test {
namespace {

thread_local std::vector<OwnerEvent> ownerLog;
thread_local HHOOK creationHook = nullptr;
thread_local WNDPROC listProc = nullptr;

LRESULT OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        OwnerEvent e{.message = message, .item = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam)};
        if (DeviceContext* dc = World::Current().Graphics().Dc(e.item.hDC))
            e.font = static_cast<HFONT>(dc->font);
        ownerLog.push_back(e);
        return 1;
    }
    if (message == WM_COMMAND) {
        const HWND from = reinterpret_cast<HWND>(lParam);
        ownerLog.push_back(OwnerEvent{.message = message,
                                      .code = static_cast<UINT>(wParam >> 16),
                                      .from = from,
                                      .text = EditText(from)});
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

LRESULT ConvertingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        cs->style |= LBS_NODATA | LBS_OWNERDRAWFIXED;
        SetWindowLong(hwnd, GWL_STYLE, cs->style);
        SetWindowLong(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(listProc));
    }
    return CallWindowProc(listProc, hwnd, message, wParam, lParam);
}

LRESULT CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (cwp->message == WM_CREATE && GetClassName(cwp->hwnd).find("ListBox") != std::string::npos) {
        listProc = reinterpret_cast<WNDPROC>(
            SetWindowLong(cwp->hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(ConvertingProc)));
        UnhookWindowsHookEx(creationHook);
    }
    return CallNextHookEx(creationHook, code, wParam, lParam);
}

}  // namespace

HWND CreateRecordingOwner(const RECT& rect) {
    ownerLog.clear();
    RegisterClass("RecordingOwner", OwnerProc);
    return CreateWindow("RecordingOwner", WS_VISIBLE, 0, nullptr, rect);
}

std::vector<OwnerEvent>& OwnerLog() {
    return ownerLog;
}

HWND CreateVirtualList(HWND parent, const RECT& rect, LONG_PTR style) {
    World& world = World::Current();
    creationHook =
        SetWindowsHookEx(WH_CALLWNDPROC, CreationHook, world.AppInstance(), world.ThreadId());
    return CreateWindow("ThunderRT6ListBox", WS_CHILD | WS_BORDER | LBS_NOTIFY | style, 0, parent,
                        rect, 7);
}

}  // namespace cp::sim::test
