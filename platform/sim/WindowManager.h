// The simulated windows of one world: classes, creation and destruction, synchronous message
// delivery through the thread's hooks, geometry, visibility, enabling and the focus.
//
// Rectangles are kept in pixels of the parent's client area (of the screen for a window whose
// parent is the desktop, nullptr), so a window given a new parent keeps its numbers. A window
// with WS_BORDER has a one-pixel border; one with WS_VSCROLL loses kScrollBarWidth pixels of
// client width to its vertical scroll bar.
//
// Painting: each window keeps the pixels of its client area (Surface) and the part that waits
// to be painted. A new window waits whole, to be erased; a window that grows waits for its new
// part, erased; Invalidate adds to what waits. Nothing is painted by itself: Update and
// UpdateAll send WM_PAINT to the windows that wait, when a test (or a host standing for the
// message loop) asks, so that the drawing happens where the test can see it. A WM_PAINT takes
// what waits (a WM_PAINT sent when nothing waits paints the whole client area without erasing);
// while it is handled, drawing on the window reaches only that part, and the window's
// procedure learns from BeginPaint what to paint and whether to erase it first.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Repaint.h"
#include "platform/sim/Gdi.h"
#include "platform/sim/HandleAllocator.h"
#include "platform/sim/HookChain.h"
#include "platform/sim/Window.h"

namespace cp::sim {

inline constexpr int kBorderWidth = 1;
inline constexpr int kScrollBarWidth = 16;

// Whether the windows of a class share the thread's common contexts or keep one of their own.
enum class ClassDc { Common, Own };

// One accessibility event as a hook in the process would receive it.
struct WinEventRecord {
    DWORD event = 0;
    HWND hwnd = nullptr;
    LONG idObject = 0;
    LONG idChild = 0;
    friend bool operator==(const WinEventRecord&, const WinEventRecord&) = default;
};

class WindowManager {
public:
    WindowManager(HandleAllocator& handles, Gdi& gdi, HookChain& hooks);
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    void RegisterClass(std::string name, WNDPROC proc, ClassDc dc = ClassDc::Common);
    // Creates a window and sends it WM_CREATE (after the hooks), then WM_SIZE. nullptr when the
    // class is unknown, the parent is not a window or the procedure answers WM_CREATE with -1.
    HWND Create(std::string_view className, LONG_PTR style, LONG_PTR exStyle, HWND parent,
                const RECT& rect, int id);
    // Sends WM_DESTROY to the window and then to its children, and removes them all.
    void Destroy(HWND hwnd);
    Window* Find(HWND hwnd);
    const Window* Find(HWND hwnd) const;
    std::size_t Count() const { return windows_.size(); }

    // Delivers a message: the hooks see it first, then the window's procedure in force.
    LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<HWND> Children(HWND parent) const;
    // True when window lies inside ancestor (ancestor itself excluded).
    bool IsDescendant(HWND ancestor, HWND window) const;
    RECT ScreenRect(HWND hwnd) const;
    POINT ClientOrigin(HWND hwnd) const;  // in screen pixels
    // Gives the window a frame of `pixels` above its client area, which loses as much height;
    // the client area is then painted afresh.
    void SetFrameTop(HWND hwnd, int pixels);
    RECT ClientRect(HWND hwnd) const;  // from (0, 0)
    // Places the window in its parent's client area; WM_SIZE follows when the size changed.
    void Move(HWND hwnd, const RECT& rect);
    // The window keeps its numbers; returns the previous parent.
    HWND SetParent(HWND hwnd, HWND parent);
    // Showing a window invalidates it, erased, and paints it and its visible children. As on
    // Wine, nothing of it is announced to assistive technology.
    void Show(HWND hwnd, bool visible);

    // Accessibility events announced by NotifyWinEvent, in order. The in-context hook, when
    // there is one, hears each before NotifyWinEvent returns, as a hook inside the process
    // does, and may read the control's answers there.
    void RecordWinEvent(const WinEventRecord& record) {
        winEvents_.push_back(record);
        if (winEventHook_) winEventHook_(record);
    }
    void HookWinEvents(std::function<void(const WinEventRecord&)> hook) {
        winEventHook_ = std::move(hook);
    }
    const std::vector<WinEventRecord>& WinEvents() const { return winEvents_; }
    void ClearWinEvents() { winEvents_.clear(); }

    // Adds `rect` (nullptr: the whole client area) to what waits to be painted.
    void Invalidate(HWND hwnd, const RECT* rect, Erase erase);
    // For the procedure handling WM_PAINT: what it paints, and whether to erase that first.
    PendingPaint BeginPaint(HWND hwnd);
    // WM_PAINT to the window when it is visible and something of it waits.
    void Update(HWND hwnd);
    // Update for every window, oldest first (a parent before its children).
    void UpdateAll();
    bool IsVisible(HWND hwnd) const;  // itself and every ancestor
    bool IsEnabled(HWND hwnd) const;  // itself and every ancestor
    // Disabling the window that holds the focus (or a parent of it) removes the focus.
    void Enable(HWND hwnd, bool enabled);
    HWND Focus() const { return focus_; }
    // WM_KILLFOCUS to the window losing the focus, then WM_SETFOCUS to the one gaining it,
    // unless the first handler moved the focus elsewhere. A child window whose parent is the
    // desktop is refused and the focus stays where it is.
    void SetFocus(HWND hwnd);

private:
    struct WindowClass {
        WNDPROC proc;  // the class procedure
        ClassDc dc;    // common or own device context
    };
    void Paint(HWND hwnd);
    LRESULT DeliverPaint(Window& window, WPARAM wParam, LPARAM lParam);
    void Remove(HWND hwnd);

    HandleAllocator& handles_;                         // the world's handle source
    Gdi& gdi_;                                         // for own contexts
    HookChain& hooks_;                                 // the thread's hooks
    std::map<std::string, WindowClass> classes_;       // registered classes
    std::map<HWND, std::unique_ptr<Window>> windows_;  // live windows, oldest first
    // The window found last: one message asks for the same window many times over.
    mutable HWND lastHandle_ = nullptr;
    mutable Window* lastWindow_ = nullptr;
    HWND focus_ = nullptr;                   // the window with the focus
    std::vector<WinEventRecord> winEvents_;  // accessibility events announced so far
    std::function<void(const WinEventRecord&)> winEventHook_;  // the in-context hook, if any
};

}  // namespace cp::sim
