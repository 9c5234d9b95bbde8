// One simulated window: its class, procedure, styles, place, properties and the state that
// its class procedure keeps.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/basApi.h"
#include "platform/sim/Surface.h"

namespace cp::sim {

// State that a window class keeps per window (a list box's rows, an edit field's text).
class ClassState {
public:
    // Which built-in class keeps the state, so that inspecting a window is a plain check.
    enum class Kind { Other, Edit, ListBox };

    explicit ClassState(Kind kind = Kind::Other) : kind_(kind) {}
    virtual ~ClassState() = default;
    Kind ClassKind() const { return kind_; }

private:
    Kind kind_;
};

// A part of a window waiting to be painted, as one rectangle of its client area (the bounding
// box of what was invalidated), and whether the paint erases it first.
struct PendingPaint {
    RECT rect{};         // empty: nothing waits
    bool erase = false;  // the background is erased before the paint

    bool Empty() const { return rect.left >= rect.right || rect.top >= rect.bottom; }
};

// Window property names compare without regard to case, as atoms do.
struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

struct Window {
    HWND handle = nullptr;   // the window's handle
    std::string className;   // its class
    WNDPROC proc = nullptr;  // the procedure in force (GWL_WNDPROC)
    LONG_PTR style = 0;      // GWL_STYLE, WS_VISIBLE and WS_DISABLED included
    LONG_PTR exStyle = 0;    // GWL_EXSTYLE
    HWND parent = nullptr;   // nullptr: the desktop
    HWND owner = nullptr;    // the parent at creation; receives notifications
    int id = 0;              // the child identifier (GWL_ID)
    RECT rect{};             // in pixels of the parent's client area (or the screen)
    int frameTop = 0;        // pixels of frame between the top border and the client area
    std::map<std::string, HANDLE, CaseInsensitiveLess> props;  // SetProp / GetProp
    std::string text;                   // the window text of classes that keep none themselves
    std::unique_ptr<ClassState> state;  // what the class procedure keeps
    void* host = nullptr;               // the form host serving the window, if any
    HDC ownDc = nullptr;                // the persistent context of an own-DC class
    Surface surface;                    // the client area's pixels
    PendingPaint update;                // what waits for the next WM_PAINT
    PendingPaint painting;              // what the WM_PAINT being handled now paints

    bool Visible() const { return (style & WS_VISIBLE) != 0; }
    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }
};

}  // namespace cp::sim
