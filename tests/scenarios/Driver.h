// The scene and the user of the scenario suite. A scenario places controls on a form, plays a
// user (keys, mouse, focus) and reads what the user would see. It is written once against this
// interface and runs unchanged on the simulated platform (scenarios/sim) and on Win32 under
// Wine (scenarios/win32), each of which supplies MakeDriver().
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/ColumnPick.h"
#include "tests/support/EventRecorder.h"

namespace cp::test {

struct MessageBoxRecord {
    std::string prompt;
    int buttons = 0;
    std::optional<std::string> title;
};

// Mouse buttons as the runtime numbers them.
inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;
inline constexpr std::int16_t kMiddleButton = 4;

class Driver {
public:
    virtual ~Driver() = default;

    // --- The scene -----------------------------------------------------------------------------
    // Places a new control at the form's default place at run time and runs its start-up as a
    // host does (creation, properties, first layout and paint); its events go to `events`. The
    // form also holds a plain text field that takes the focus when it leaves a control.
    virtual ColumnPick& AddControl(EventRecorder& events) = 0;
    // Places any control that a host holds, at the default place, and runs its start-up: a new
    // instance, or with its properties read from `saved`. The host's own rules are checked
    // with such a control.
    using Factory = std::function<std::unique_ptr<HostedControl>(const ControlSite&)>;
    virtual HostedControl& AddHosted(const Factory& factory, PropertyBag* saved = nullptr) = 0;

    // --- The keyboard (to whatever holds the focus) --------------------------------------------
    // Gives the focus to the control's edit field, as a click into it would.
    virtual void FocusControl(HostedControl& control) = 0;
    // Types each character: key down, character, key up.
    virtual void TypeText(std::string_view text) = 0;
    // Presses and releases one key with the given shift state (vbShiftMask, vbCtrlMask,
    // vbAltMask); a key that makes a character (Enter, Escape, Backspace) makes it too.
    virtual void PressKey(std::int16_t keyCode, std::int16_t shift = 0) = 0;
    // Selects characters [start, start + length) of the focused edit field, the caret at the
    // end of the selection, as a user does with Shift and the arrow keys.
    virtual void SelectText(int start, int length) = 0;
    // Moves the focus to the form's other field (Tab).
    virtual void MoveFocusAway() = 0;
    // The same keys sent straight to the control's edit field, whether or not it holds the
    // focus, as another program sends them: the way to type into the forms of two threads at
    // once, which take the foreground (and with it the focus) from each other.
    virtual void TypeTextTo(HostedControl& control, std::string_view text) = 0;
    virtual void PressKeyTo(HostedControl& control, std::int16_t keyCode,
                            std::int16_t shift = 0) = 0;

    // --- The mouse -----------------------------------------------------------------------------
    // On the control's own surface (the button), in twips of its client area.
    virtual void MouseDownOnControl(HostedControl& control, float x, float y,
                                    std::int16_t button = kLeftButton) = 0;
    virtual void MouseMoveOnControl(HostedControl& control, float x, float y) = 0;
    virtual void MouseUpOnControl(HostedControl& control, float x, float y,
                                  std::int16_t button = kLeftButton) = 0;
    // Over the open list, in twips of the list's client area.
    virtual void MouseMoveOnList(HostedControl& control, float x, float y) = 0;
    virtual void MouseDownOnList(HostedControl& control, float x, float y) = 0;
    virtual void MouseUpOnList(HostedControl& control, float x, float y) = 0;
    // A press and release on the middle of the open list's header band, above its rows, as
    // the window system delivers them there (to the list's frame).
    virtual void ClickOnListHeader(HostedControl& control) = 0;
    // On the open list's scroll bar, as the scroll bar tells the list (WM_VSCROLL): a press on
    // an arrow or on the trough above or below the thumb; a drag of the thumb from where it
    // is to position (the top row it stands for, from 0 to the rows less a page) in a few
    // moves, let go there. Nothing happens while the list shows no scroll bar.
    // Each press is the request the scroll bar sends for it.
    enum class ScrollPress {
        UpArrow = SB_LINEUP,
        DownArrow = SB_LINEDOWN,
        PageAbove = SB_PAGEUP,
        PageBelow = SB_PAGEDOWN
    };
    virtual void PressListScrollBar(HostedControl& control, ScrollPress where) = 0;
    virtual void DragListThumb(HostedControl& control, int position) = 0;
    // Elsewhere: the form's client area, its caption, another window or application.
    virtual void ClickOnForm(float x, float y, std::int16_t button = kLeftButton) = 0;
    virtual void ClickOnCaption() = 0;
    virtual void ActivateOtherWindow() = 0;

    // --- The thread's idle time -----------------------------------------------------------------
    // While held, the work the control does between messages waits, as for a user who types
    // faster than the thread gets idle; the scenario then lets it run until the control's
    // filtered list is whole.
    virtual void HoldIdleSteps(bool held) = 0;
    virtual void RunIdleSteps(ColumnPick& control) = 0;

    // --- What the user sees --------------------------------------------------------------------
    virtual std::string EditText(HostedControl& control) = 0;
    virtual int SelStart(HostedControl& control) = 0;
    virtual int SelLength(HostedControl& control) = 0;
    virtual bool EditHasFocus(HostedControl& control) = 0;
    virtual bool ListVisible(HostedControl& control) = 0;
    // The open list's window rectangle on the screen, in pixels.
    virtual RECT ListScreenRect(HostedControl& control) = 0;
    virtual int ListSelection(HostedControl& control) = 0;
    virtual int ListTopIndex(HostedControl& control) = 0;
    // The control's window rectangle on the screen, in pixels.
    virtual RECT ControlScreenRect(HostedControl& control) = 0;
    // The colour of a pixel of the control's own surface (its window, beside the edit field),
    // in pixels of its client area, once the window system has repainted what waits for it,
    // as it does whenever the program waits for input.
    virtual COLORREF ControlPixel(HostedControl& control, int x, int y) = 0;
    // The number of rows the list window itself counts.
    virtual int ListWindowCount(HostedControl& control) = 0;
    // Message boxes shown so far (each answered with OK at once).
    virtual std::vector<MessageBoxRecord> MessageBoxes() = 0;
};

std::unique_ptr<Driver> MakeDriver();

// True where the window system's own edit field cannot serve two threads at once. Under Wine 8
// two threads that do nothing but set the text of plain edit fields crash or hang in the edit
// field's text layout (usp10, from EDIT_UpdateUniscribeData; a thread left waiting in its
// cache's lock after the holder has ended), with no control of ours in the process.
bool EditFieldsHangAcrossThreads();

}  // namespace cp::test
