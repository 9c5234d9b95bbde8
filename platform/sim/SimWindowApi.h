// Window operations that the simulator offers its tests beyond basApi.h, on the current world:
// creating, destroying, showing, placing and enabling windows, the focus, and painting.
#pragma once

#include <string>
#include <string_view>

#include "platform/basApi.h"
#include "platform/sim/WindowManager.h"

namespace cp::sim {

void RegisterClass(std::string name, WNDPROC proc, ClassDc dc = ClassDc::Common);
// Builds a CREATESTRUCT and sends WM_CREATE (the thread's WH_CALLWNDPROC hooks see it before the
// window procedure does), then WM_SIZE. rect is in pixels of the parent's client area (of the
// screen when parent is nullptr). nullptr when the class is unknown or creation fails.
HWND CreateWindow(std::string_view className, LONG_PTR style, LONG_PTR exStyle, HWND parent,
                  const RECT& rect, int id = 0);
// WM_DESTROY to the window and its children, then they are gone.
void DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
// Showing a window paints it (WM_PAINT) when it becomes visible on the screen.
void ShowWindow(HWND hwnd, bool visible);
bool IsWindowVisible(HWND hwnd);
void MoveWindow(HWND hwnd, const RECT& rect);
RECT GetClientRect(HWND hwnd);
void EnableWindow(HWND hwnd, bool enabled);
bool IsWindowEnabled(HWND hwnd);
// The window that receives the window's notifications: its parent at creation.
HWND GetOwner(HWND hwnd);
void SetFocus(HWND hwnd);
HWND GetFocus();
// Sends WM_PAINT when the window is visible; false (and nothing sent) when it is not.
bool PaintWindow(HWND hwnd);
// Adds `rect` (nullptr: the whole client area) to what waits to be painted.
void InvalidateRect(HWND hwnd, const RECT* rect, Erase erase);
// Sends WM_PAINT when the window is visible and something of it waits to be painted.
void UpdateWindow(HWND hwnd);
// The colour of a pixel of the window's client area as drawing left it; Surface::kUnpainted
// where nothing has painted.
COLORREF GetPixel(HWND hwnd, int x, int y);

}  // namespace cp::sim
