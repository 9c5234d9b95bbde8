// The creation hook that turns a control's list box into a data-less, owner-drawn list, and
// the drawing subclass of the control's window that draws its rows. Module state is kept once
// per user-interface thread.
#pragma once

#include "platform/basApi.h"

namespace cp {

class ColumnPick;

// Asks for the conversion of the list box that is about to be created inside the control
// window hWndOwner, and installs the thread's creation hook while any such request is pending;
// the hook converts that list box and no other. A control without a window asks for nothing.
void HookListBoxCreation(HWND hWndOwner);
LRESULT ListBoxCreateHookProc(int nCode, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxCreateWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
LRESULT VirtualListWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
// The control whose window carries the property "nvVirtualList"; nullptr when none does.
ColumnPick* ControlFromWindow(HWND hWnd);

// The window property that leads from a control's window back to the control.
inline constexpr const char* kVirtualListProp = "nvVirtualList";

}  // namespace cp
