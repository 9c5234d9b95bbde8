// One control on a form, hosted as the runtime hosts a user control: the control's own window,
// its edit field, its list window (created after UserControl_Initialize, so that a creation
// hook installed there sees it), its eight line objects, the site that hands them to the
// control, and the control itself. Notifications reach the control one at a time, on the
// thread that owns the windows.
#pragma once

#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/CallFrames.h"
#include "platform/Host.h"
#include "platform/HostForm.h"
#include "platform/win32/Container.h"
#include "platform/win32/EditField.h"
#include "platform/win32/LineShape.h"
#include "platform/win32/ListWindow.h"
#include "platform/win32/ReaderObjects.h"
#include "platform/win32/UserControlWindow.h"

namespace cp::win32 {

// Where a control stands, in twips of the form's client area.
struct Placement {
    float left = form::kControlLeft;
    float top = form::kControlTop;
    float width = form::kControlWidth;
    float height = form::kControlHeight;
};

using ControlFactory = std::function<std::unique_ptr<HostedControl>(const ControlSite&)>;

// The eight line objects, in the order of the site.
using Line = design::FrameLine;

class ControlHost {
public:
    // Creates the control's window (hidden) and its edit field on the form.
    ControlHost(HWND form, const Placement& at);
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    // The start-up, in the host's order: the control is made by `factory`, initialised, its
    // list window created, its properties initialised (no store: a new instance) or read from
    // `saved`; then it is sized (resize notification), shown and painted.
    void Load(const ControlFactory& factory, PropertyBag* saved);
    // Moves the control's window into `parent`, the window of a container that now holds it.
    void Reparent(HWND parent);
    // The form is going away: from now on requests for the focus are ignored.
    void BeginUnload() { unloading_ = true; }
    // The control is shown again after a close (OLE lets a container run a closed object
    // again): it takes the focus and commits on its loss as before.
    void EndUnload() { unloading_ = false; }
    // While the control leaves the screen (a container deactivating it), the focus leaving it
    // still commits, but what the commit's handlers ask for the focus is not done: it would
    // land on a window about to be hidden.
    class Leaving {
    public:
        explicit Leaving(ControlHost& host) : host_(host) { ++host_.leaving_; }
        ~Leaving() { --host_.leaving_; }
        Leaving(const Leaving&) = delete;
        Leaving& operator=(const Leaving&) = delete;

    private:
        ControlHost& host_;
    };
    // Also true while the top-level window around a container that holds the control is
    // hidden on its way out: the form watcher closes the list then and asks for the focus.
    bool Unloading() const;
    // Requests of the control for the focus are ignored now.
    bool FocusRequestsIgnored() const { return leaving_ > 0 || Unloading(); }
    // UserControl_Terminate, once; no notification reaches the control afterwards.
    void Terminate();
    // The edit field and the list show their text in `font` from now on (nullptr: the
    // system's), and the list's rows grow to fit it. The caller keeps the font alive while
    // the control's windows use it.
    void SetFont(HFONT font);
    // UserControl_WriteProperties into `bag`.
    void WriteProperties(PropertyBag& bag);

    // The OLE container that holds the control, when one does (nullptr: a form of the host's
    // own); the container outlives the control's start-up and end.
    void SetHolder(Container* holder) { holder_ = holder; }
    Container* Holder() const { return holder_; }
    // The user's keys and mouse go nowhere while the container holds its user interface dead.
    bool RefusesInput(UINT uMsg) const;

    HostedControl* Control() { return control_.get(); }
    // The frames of the calls into the control now under way (see CallFrames.h).
    CallFrames& Frames() { return frames_; }
    // What the control tells assistive technology; nullptr once it has ended.
    AccessibleControl* Accessibility();
    // The control's accessible objects.
    ReaderObjects& Readers() { return readers_; }
    HWND Form() const { return form_; }
    UserControlWindow& UserControl() { return userControl_; }
    EditField& TextBox() { return textBox_; }
    ListWindow& ListBox() { return listBox_; }
    LineShape& LineObject(Line line) { return lines_[static_cast<std::size_t>(line)]; }
    std::array<LineShape, design::kFrameLineCount>& Lines() { return lines_; }

    // Runs a notification of the control. A run-time error that it lets go belongs to the host
    // operation that caused it (see Put), or, when the user caused it, is reported as the
    // runtime reports an unhandled error.
    void Deliver(const std::function<void(HostedControl&)>& notify);
    // Runs a window-system call on behalf of a host operation that the control called; an error
    // of a notification that the call caused is raised to the control when the call returns.
    void Put(const std::function<void()>& call);

    // Whether a window is part of the control: its own window, its children, or its list
    // window wherever that stands.
    bool Contains(HWND window);
    // The keyboard focus is going from a part of the control to `newFocus`: when that is
    // elsewhere on the same form, the control is told (UserControl_ExitFocus).
    void FocusLeaving(HWND newFocus);

private:
    void ReportUnhandledError();

    // Takes the screen's units for the thread before the members below convert twips.
    struct ScreenUnitsTaken {
        ScreenUnitsTaken();
    };

    ScreenUnitsTaken screen_;          // first: the screen's units for what follows
    CallFrames frames_;                // the calls into the control under way
    HWND form_;                        // the window that holds the control
    Container* holder_ = nullptr;      // the OLE container around it, if any
    bool unloading_ = false;           // the form is being destroyed
    int leaving_ = 0;                  // Leaving scopes open
    bool terminated_ = false;          // Terminate has run
    int putDepth_ = 0;                 // host operations under way
    std::exception_ptr pendingError_;  // raised by a notification during a Put
    HFONT font_ = nullptr;             // the font of the edit field and the list, if not ours
    UserControlWindow userControl_;    // the control's own window (host object)
    EditField textBox_;                // txtTextBox
    ListWindow listBox_;               // lstListBox
    std::array<LineShape, design::kFrameLineCount> lines_;  // the frame's lines, by Line
    ControlSite site_;                                      // what the control is given
    ReaderObjects readers_{*this};            // its accessible objects, made on request
    std::unique_ptr<HostedControl> control_;  // the control; goes before what it refers to
};

}  // namespace cp::win32
