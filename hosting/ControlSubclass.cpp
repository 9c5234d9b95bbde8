// The drawing subclass of the control's own window: the list asks its owner, the control's
// window, to draw each row, and the subclass hands those requests to the control.
#include <map>

#include "control/ColumnPick.h"
#include "hosting/MVirtualList.h"
#include "hosting/WindowMessages.h"
#include "reports/ErrorReport.h"

namespace cp {
namespace {

constexpr LRESULT kRowDrawn = 1;

// Windows whose control has gone while another subclass still sat on top of the drawing
// subclass: the chain is left whole, and their messages go on to the procedure the drawing
// subclass had replaced.
thread_local std::map<HWND, WNDPROC> gOrphanedProcs;

LONG_PTR AsLong(WNDPROC proc) {
    return reinterpret_cast<LONG_PTR>(proc);
}

LRESULT PassToOrphanedProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const auto found = gOrphanedProcs.find(hWnd);
    if (found == gOrphanedProcs.end()) return 0;
    const WNDPROC previous = found->second;
    if (uMsg == WM_NCDESTROY) gOrphanedProcs.erase(found);
    return CallWindowProc(previous, hWnd, uMsg, wParam, lParam);
}

}  // namespace

ColumnPick* ControlFromWindow(HWND hWnd) {
    ColumnPick* control = nullptr;
    Trapped("basfile - function3", "Unable to execute function3!",
            [&] { control = static_cast<ColumnPick*>(GetProp(hWnd, kVirtualListProp)); });
    return control;
}

LRESULT VirtualListWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    const bool done = Trapped("basfile - function2", "Unable to execute function2!", [&] {
        ColumnPick* control = ControlFromWindow(hWnd);
        if (control == nullptr) {
            result = PassToOrphanedProc(hWnd, uMsg, wParam, lParam);
        } else {
            control->WindowProc(hWnd, uMsg, wParam, lParam, result);
        }
    });
    return done ? result : 0;
}

void ColumnPick::WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                            LRESULT& lngResult) {
    if (uMsg == WM_DRAWITEM && lParam != 0) {
        const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (dis.hwndItem == lstListBox.hWnd()) {
            DrawListRow(dis);
            lngResult = kRowDrawn;
            return;
        }
    }
    lngResult = hosting.lngOldWindowProc
                    ? CallWindowProc(hosting.lngOldWindowProc, hWnd, uMsg, wParam, lParam)
                    : 0;
}

void ColumnPick::SubclassControl() {
    const HWND hWnd = UserControl.hWnd();
    UnsubclassControl();
    if (GetProp(hWnd, kVirtualListProp) != nullptr) return;  // the window is already served
    if (!SetProp(hWnd, kVirtualListProp, this)) return;
    gOrphanedProcs.erase(hWnd);
    hosting.lngOldWindowProc =
        reinterpret_cast<WNDPROC>(SetWindowLong(hWnd, GWL_WNDPROC, AsLong(&VirtualListWindowProc)));
    // A window that refused the new procedure must not lead back to this control.
    if (hosting.lngOldWindowProc == nullptr) RemoveProp(hWnd, kVirtualListProp);
}

void ColumnPick::UnsubclassControl() {
    if (hosting.lngOldWindowProc == nullptr) return;
    const HWND hWnd = UserControl.hWnd();
    // Putting the old procedure back under another subclass would cut that one out too. A
    // window that is gone already (no procedure at all) needs neither.
    const LONG_PTR current = GetWindowLong(hWnd, GWL_WNDPROC);
    if (current == AsLong(&VirtualListWindowProc)) {
        SetWindowLong(hWnd, GWL_WNDPROC, AsLong(hosting.lngOldWindowProc));
    } else if (current != 0) {
        gOrphanedProcs[hWnd] = hosting.lngOldWindowProc;
    }
    RemoveProp(hWnd, kVirtualListProp);
    hosting.lngOldWindowProc = nullptr;
}

}  // namespace cp
