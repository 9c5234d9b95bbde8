// The drawing subclass of the control's own window: the list asks its owner, the control's
// window, to draw each row, and the subclass hands those requests to the control.
#include <map>

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

LRESULT PassToOrphanedProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const auto found = gOrphanedProcs.find(hWnd);
    if (found == gOrphanedProcs.end()) return 0;
    const WNDPROC previous = found->second;
    if (uMsg == WM_NCDESTROY) gOrphanedProcs.erase(found);
    return CallWindowProc(previous, hWnd, uMsg, wParam, lParam);
}

// The subclass whose window carries the property; nullptr when none does.
DrawingSubclass* SubclassOf(HWND hWnd) {
    DrawingSubclass* subclass = nullptr;
    Trapped(titles::kSubclassLookup,
            [&] { subclass = static_cast<DrawingSubclass*>(GetProp(hWnd, kVirtualListProp)); });
    return subclass;
}

}  // namespace

RowPainter* ControlFromWindow(HWND hWnd) {
    DrawingSubclass* subclass = SubclassOf(hWnd);
    return subclass ? subclass->Painter() : nullptr;
}

LRESULT CP_CALLBACK VirtualListWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    const bool done = Trapped(titles::kDrawingSubclass, [&] {
        DrawingSubclass* subclass = SubclassOf(hWnd);
        if (subclass == nullptr) {
            result = PassToOrphanedProc(hWnd, uMsg, wParam, lParam);
        } else {
            result = subclass->Handle(hWnd, uMsg, wParam, lParam);
        }
    });
    return done ? result : 0;
}

LRESULT DrawingSubclass::Handle(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_DRAWITEM && lParam != 0 &&
        painter_->PaintRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) {
        return kRowDrawn;
    }
    return lngOldWindowProc ? CallWindowProc(lngOldWindowProc, hWnd, uMsg, wParam, lParam) : 0;
}

void DrawingSubclass::Install(HWND hWnd, RowPainter& painter) {
    Remove(hWnd);
    if (GetProp(hWnd, kVirtualListProp) != nullptr) return;  // the window is already served
    if (!SetProp(hWnd, kVirtualListProp, this)) return;
    gOrphanedProcs.erase(hWnd);
    painter_ = &painter;
    lngOldWindowProc = SubclassWindow(hWnd, &VirtualListWindowProc);
    // A window that refused the new procedure must not lead back to this control.
    if (lngOldWindowProc == nullptr) RemoveProp(hWnd, kVirtualListProp);
}

void DrawingSubclass::Remove(HWND hWnd) {
    if (lngOldWindowProc == nullptr) return;
    // Putting the old procedure back under another subclass would cut that one out too. A
    // window that is gone already (no procedure at all) needs neither.
    const WNDPROC current = GetWindowProc(hWnd);
    if (current == &VirtualListWindowProc) {
        SubclassWindow(hWnd, lngOldWindowProc);
    } else if (current != nullptr) {
        gOrphanedProcs[hWnd] = lngOldWindowProc;
    }
    RemoveProp(hWnd, kVirtualListProp);
    lngOldWindowProc = nullptr;
}

}  // namespace cp
