// The window functions of basApi.h on the current world.
#include <string>
#include <utility>

#include "platform/basApi.h"
#include "platform/sim/ListBoxClass.h"
#include "platform/sim/SimConstants.h"
#include "platform/sim/World.h"

namespace cp {
namespace {

constexpr std::size_t kClassNameChars = 127;  // a 128-character buffer with its terminator

sim::World& Checked(sim::Operation operation) {
    sim::World& world = sim::World::Current();
    world.CheckFailure(operation);
    return world;
}

sim::Window* Find(sim::World& world, HWND hWnd) {
    return world.Windows().Find(hWnd);
}

}  // namespace

LRESULT SendMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    sim::World& world = Checked("SendMessage");
    world.CheckMessageFailure(uMsg);
    return world.Windows().Send(hWnd, uMsg, wParam, lParam);
}

HWND GetParent(HWND hWnd) {
    const sim::Window* w = Find(Checked("GetParent"), hWnd);
    return w ? w->parent : nullptr;
}

HWND SetParent(HWND hWnd, HWND hWndNewParent) {
    return Checked("SetParent").Windows().SetParent(hWnd, hWndNewParent);
}

BOOL GetWindowRect(HWND hWnd, RECT* lpRect) {
    sim::World& world = Checked("GetWindowRect");
    if (!Find(world, hWnd) || !lpRect) return 0;
    *lpRect = world.Windows().ScreenRect(hWnd);
    return 1;
}

LONG_PTR GetWindowLong(HWND hWnd, int nIndex) {
    const sim::Window* w = Find(Checked("GetWindowLong"), hWnd);
    if (!w) return 0;
    switch (nIndex) {
        case GWL_WNDPROC:
            return reinterpret_cast<LONG_PTR>(w->proc);
        case GWL_STYLE:
            return w->style;
        case GWL_EXSTYLE:
            return w->exStyle;
        case sim::GWL_ID:
            return w->id;
        default:
            return 0;
    }
}

LONG_PTR SetWindowLong(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    sim::Window* w = Find(Checked("SetWindowLong"), hWnd);
    if (!w) return 0;
    LONG_PTR previous = 0;
    switch (nIndex) {
        case GWL_WNDPROC:
            previous = reinterpret_cast<LONG_PTR>(w->proc);
            w->proc = reinterpret_cast<WNDPROC>(dwNewLong);
            break;
        case GWL_STYLE:
            previous = std::exchange(w->style, dwNewLong);
            break;
        case GWL_EXSTYLE:
            previous = std::exchange(w->exStyle, dwNewLong);
            break;
        case sim::GWL_ID:
            previous = std::exchange(w->id, static_cast<int>(dwNewLong));
            break;
        default:
            break;
    }
    return previous;
}

// The typed forms of GetWindowLong and SetWindowLong with GWL_WNDPROC, and the same operations.
WNDPROC GetWindowProc(HWND hWnd) {
    const sim::Window* w = Find(Checked("GetWindowLong"), hWnd);
    return w ? w->proc : nullptr;
}

WNDPROC SubclassWindow(HWND hWnd, WNDPROC lpfnWndProc) {
    sim::Window* w = Find(Checked("SetWindowLong"), hWnd);
    return w ? std::exchange(w->proc, lpfnWndProc) : nullptr;
}

LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    Checked("CallWindowProc");
    return lpPrevWndFunc ? lpPrevWndFunc(hWnd, uMsg, wParam, lParam) : 0;
}

BOOL GetScrollInfo(HWND hWnd, int nBar, SCROLLINFO* lpsi) {
    Checked("GetScrollInfo");
    return nBar == SB_VERT && lpsi != nullptr && sim::ListScrollInfo(hWnd, *lpsi);
}

std::string GetClassName(HWND hWnd) {
    const sim::Window* w = Find(Checked("GetClassName"), hWnd);
    return w ? w->className.substr(0, kClassNameChars) : std::string();
}

void NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild) {
    sim::World::Current().Windows().RecordWinEvent({event, hWnd, idObject, idChild});
}

BOOL SetProp(HWND hWnd, const char* lpString, HANDLE hData) {
    sim::Window* w = Find(Checked("SetProp"), hWnd);
    if (!w || !lpString) return 0;
    w->props[lpString] = hData;
    return 1;
}

HANDLE GetProp(HWND hWnd, const char* lpString) {
    const sim::Window* w = Find(Checked("GetProp"), hWnd);
    if (!w || !lpString) return nullptr;
    const auto it = w->props.find(lpString);
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND hWnd, const char* lpString) {
    sim::Window* w = Find(Checked("RemoveProp"), hWnd);
    if (!w || !lpString) return nullptr;
    const auto it = w->props.find(lpString);
    if (it == w->props.end()) return nullptr;
    HANDLE data = it->second;
    w->props.erase(it);
    return data;
}

HHOOK SetWindowsHookEx(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD dwThreadId) {
    sim::World& world = Checked("SetWindowsHookEx");
    // Only the thread's own message hooks are simulated.
    if (idHook != WH_CALLWNDPROC || !lpfn || dwThreadId != world.ThreadId()) return nullptr;
    const HHOOK handle = world.Handles().New<HHOOK>();
    world.Hooks().Install(handle, lpfn);
    return handle;
}

LRESULT CallNextHookEx(HHOOK, int nCode, WPARAM wParam, LPARAM lParam) {
    return Checked("CallNextHookEx").Hooks().CallNext(nCode, wParam, lParam);
}

BOOL UnhookWindowsHookEx(HHOOK hhk) {
    return Checked("UnhookWindowsHookEx").Hooks().Remove(hhk) ? 1 : 0;
}

}  // namespace cp
