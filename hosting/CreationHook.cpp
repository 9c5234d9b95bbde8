// The creation hook: a control's list box becomes a data-less, owner-drawn list at the moment
// it is created, so that it holds only a row count and asks for each visible row to be drawn.
//
// Each control asks for its own list box (a host list box created as a child of the control's
// window) and no other window is touched. One hook per thread serves all pending requests and
// goes away when none is left.
#include <algorithm>
#include <utility>
#include <vector>

#include "hosting/MVirtualList.h"
#include "reports/ErrorReport.h"

namespace cp {
namespace {

constexpr LONG kVirtualListStyles = static_cast<LONG>(LBS_NODATA | LBS_OWNERDRAWFIXED);

// The thread's creation hook; nullptr while no conversion is pending.
thread_local HHOOK glngCreateHook = nullptr;
// Control windows whose list box has not been created yet.
thread_local std::vector<HWND> gPendingOwners;
// List boxes under the creation subclass, each with its own procedure, until their WM_CREATE.
thread_local std::vector<std::pair<HWND, WNDPROC>> gCreatingLists;

bool IsHostListBoxClass(const std::string& name) {
    return name == "ThunderListBox" || name == "ThunderRT6ListBox";
}

void RemoveHookWhenIdle() {
    if (!gPendingOwners.empty() || glngCreateHook == nullptr) return;
    UnhookWindowsHookEx(glngCreateHook);
    glngCreateHook = nullptr;
}

// A control window that goes before its list box was created asks for nothing any more.
void ForgetOwner(HWND hWnd) {
    const auto found = std::find(gPendingOwners.begin(), gPendingOwners.end(), hWnd);
    if (found == gPendingOwners.end()) return;
    gPendingOwners.erase(found);
    RemoveHookWhenIdle();
}

void ConvertIfRequested(HWND hWnd, LPARAM createParams) {
    if (!IsHostListBoxClass(GetClassName(hWnd))) return;
    const auto& cs = *reinterpret_cast<const CREATESTRUCT*>(createParams);
    const auto owner = std::find(gPendingOwners.begin(), gPendingOwners.end(), cs.hwndParent);
    if (owner == gPendingOwners.end()) return;
    gPendingOwners.erase(owner);
    const WNDPROC previous = SubclassWindow(hWnd, &ListBoxCreateWindowProc);
    if (previous != nullptr) gCreatingLists.emplace_back(hWnd, previous);
    RemoveHookWhenIdle();
}

void ForgetCreatingList(HWND hWnd) {
    std::erase_if(gCreatingLists, [&](const auto& entry) { return entry.first == hWnd; });
}

WNDPROC CreatingListProc(HWND hWnd) {
    for (const auto& [list, previous] : gCreatingLists) {
        if (list == hWnd) return previous;
    }
    return nullptr;
}

}  // namespace

void HookListBoxCreation(HWND hWndOwner) {
    Trapped(titles::kCreationRequest, [&] {
        if (hWndOwner == nullptr) return;
        if (std::find(gPendingOwners.begin(), gPendingOwners.end(), hWndOwner) ==
            gPendingOwners.end()) {
            gPendingOwners.push_back(hWndOwner);
        }
        if (glngCreateHook != nullptr) return;
        glngCreateHook = SetWindowsHookEx(WH_CALLWNDPROC, &ListBoxCreateHookProc,
                                          host::AppHInstance(), host::AppThreadID());
    });
}

LRESULT CP_CALLBACK ListBoxCreateHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    const bool done = Trapped(titles::kCreationHook, [&] {
        const HHOOK hook = glngCreateHook;
        if (nCode >= HC_ACTION) {
            const auto& cwp = *reinterpret_cast<const CWPSTRUCT*>(lParam);
            if (cwp.message == WM_CREATE) ConvertIfRequested(cwp.hwnd, cwp.lParam);
            if (cwp.message == WM_DESTROY) ForgetOwner(cwp.hwnd);
        }
        result = CallNextHookEx(hook, nCode, wParam, lParam);
    });
    return done ? result : 0;
}

LRESULT CP_CALLBACK ListBoxCreateWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    const bool done = Trapped(titles::kListCreation, [&] {
        const WNDPROC previous = CreatingListProc(hWnd);
        if (previous == nullptr) return;
        if (uMsg == WM_CREATE) {
            // The list box's own creation code reads the style from the creation record.
            auto& cs = *reinterpret_cast<CREATESTRUCT*>(lParam);
            cs.style |= kVirtualListStyles;
            SetWindowLong(hWnd, GWL_STYLE, cs.style);
            ForgetCreatingList(hWnd);
            SubclassWindow(hWnd, previous);
        }
        result = CallWindowProc(previous, hWnd, uMsg, wParam, lParam);
    });
    return done ? result : 0;
}

}  // namespace cp
