// The creation hook that turns a control's list box into a data-less, owner-drawn list, and
// the drawing subclass of the control's window that draws its rows. Module state is kept once
// per user-interface thread.
#pragma once

#include "platform/basApi.h"

namespace cp {

// The control behind the drawing subclass of its window, as the subclass sees it: all the
// subclass asks of it is to paint the rows of its list.
class RowPainter {
public:
    virtual ~RowPainter() = default;
    // Draws the item that dis asks for when it is a row of the control's list; false when it is
    // another window's item, which the window's own procedure draws.
    virtual bool PaintRow(const DRAWITEMSTRUCT& dis) = 0;
};

// The drawing subclass of one control's window: the list asks its owner, the control's window,
// to draw each row, and the subclass hands those requests to the control; every other message
// goes on to the procedure that the subclass replaced.
class DrawingSubclass {
public:
    // Puts the subclass on hWnd for painter, unless the window is served already.
    void Install(HWND hWnd, RowPainter& painter);
    // Takes it off hWnd again; under another subclass it stays in the chain and passes every
    // message on.
    void Remove(HWND hWnd);
    // The procedure that the subclass replaced; nullptr while it is not installed.
    WNDPROC Replaced() const { return lngOldWindowProc; }
    RowPainter* Painter() const { return painter_; }
    // A message to the subclassed window.
    LRESULT Handle(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

private:
    RowPainter* painter_ = nullptr;      // the control it draws for; nullptr while not installed
    WNDPROC lngOldWindowProc = nullptr;  // procedure the subclass replaced; none: nullptr
};

// Asks for the conversion of the list box that is about to be created inside the control
// window hWndOwner, and installs the thread's creation hook while any such request is pending;
// the hook converts that list box and no other. A control without a window asks for nothing.
void HookListBoxCreation(HWND hWndOwner);
LRESULT CP_CALLBACK ListBoxCreateHookProc(int nCode, WPARAM wParam, LPARAM lParam);
LRESULT CP_CALLBACK ListBoxCreateWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
LRESULT CP_CALLBACK VirtualListWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
// The control whose window carries the property "nvVirtualList"; nullptr when none does.
RowPainter* ControlFromWindow(HWND hWnd);

// The window property that leads from a control's window to its drawing subclass.
inline constexpr const char* kVirtualListProp = "nvVirtualList";

}  // namespace cp
