#include "platform/sim/SimWindowApi.h"

#include "platform/sim/World.h"

namespace cp::sim {
namespace {

WindowManager& Windows() {
    return World::Current().Windows();
}

}  // namespace

void RegisterClass(std::string name, WNDPROC proc, ClassDc dc) {
    Windows().RegisterClass(std::move(name), proc, dc);
}

HWND CreateWindow(std::string_view className, LONG_PTR style, LONG_PTR exStyle, HWND parent,
                  const RECT& rect, int id) {
    return Windows().Create(className, style, exStyle, parent, rect, id);
}

void DestroyWindow(HWND hwnd) {
    Windows().Destroy(hwnd);
}
bool IsWindow(HWND hwnd) {
    return Windows().Find(hwnd) != nullptr;
}
void ShowWindow(HWND hwnd, bool visible) {
    Windows().Show(hwnd, visible);
}
bool IsWindowVisible(HWND hwnd) {
    return Windows().IsVisible(hwnd);
}
void MoveWindow(HWND hwnd, const RECT& rect) {
    Windows().Move(hwnd, rect);
}
RECT GetClientRect(HWND hwnd) {
    return Windows().ClientRect(hwnd);
}
void EnableWindow(HWND hwnd, bool enabled) {
    Windows().Enable(hwnd, enabled);
}
bool IsWindowEnabled(HWND hwnd) {
    return Windows().IsEnabled(hwnd);
}

HWND GetOwner(HWND hwnd) {
    const Window* w = Windows().Find(hwnd);
    return w ? w->owner : nullptr;
}

void SetFocus(HWND hwnd) {
    Windows().SetFocus(hwnd);
}
HWND GetFocus() {
    return Windows().Focus();
}

bool PaintWindow(HWND hwnd) {
    if (!Windows().IsVisible(hwnd)) return false;
    Windows().Send(hwnd, WM_PAINT, 0, 0);
    return true;
}

void InvalidateRect(HWND hwnd, const RECT* rect, Erase erase) {
    Windows().Invalidate(hwnd, rect, erase);
}

void UpdateWindow(HWND hwnd) {
    Windows().Update(hwnd);
}

COLORREF GetPixel(HWND hwnd, int x, int y) {
    const Window* w = Windows().Find(hwnd);
    return w ? w->surface.At(x, y) : Surface::kUnpainted;
}

}  // namespace cp::sim
