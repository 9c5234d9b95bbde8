// The form host of one control placed on a sim::Form: the control window (class
// "ThunderRT6UserControlDC", whose class procedure is this host), the edit field and list box
// children, the host objects of the ControlSite, and the control itself.
//
// The control window's procedure turns messages into the control's notifications:
// - WM_SIZE -> UserControl_Resize; WM_PAINT -> the background erased in the control's
//   BackColor when the paint asks for it, UserControl_Paint, then the visible line objects
//   drawn over it (both end points included); a change of a line object invalidates the
//   control window;
// - EN_CHANGE of the edit field -> txtTextBox_Change; LBN_SELCHANGE of the list ->
//   lstListBox_Click when the user's press changed the list's selection (the list reports
//   every release, changed or not), before the release reaches lstListBox_MouseUp;
// - the edit field's keys -> txtTextBox_KeyDown / KeyPress / KeyUp, by-reference arguments read
//   back (a KeyCode or KeyAscii of 0 makes the field ignore the key; a changed value is the
//   one it handles); a double click -> txtTextBox_DblClick;
// - mouse messages on the control's surface -> UserControl_MouseDown / MouseMove / MouseUp;
//   those of the list, after the list's own processing -> lstListBox_MouseDown / MouseMove /
//   MouseUp (Button 1, 2 or 4, the shift state of the world, positions in twips of the client
//   area);
// - the focus leaving the control window, its children and its list for another window of
//   the same form -> UserControl_ExitFocus (focus going to another top-level window, or to
//   none, leaves the control the form's active control and tells it nothing).
// A run-time error that escapes a notification is recorded in World::HostErrors() and the
// host carries on, as a form host that reports the error would.
//
// Every message to the control window opens a frame of the control's calls (CallFrames.h): a
// host that takes the control off its form inside one of its events ends it once the message
// has been handled.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CallFrames.h"
#include "platform/Host.h"
#include "platform/MouseInput.h"
#include "platform/sim/LineShape.h"
#include "platform/sim/ListBoxObject.h"
#include "platform/sim/SimConstants.h"
#include "platform/sim/Surface.h"
#include "platform/sim/TextBoxObject.h"
#include "platform/sim/UserControlObject.h"

namespace cp::sim {

class Form;

class ControlHost {
public:
    using Factory = std::function<std::unique_ptr<HostedControl>(const ControlSite&)>;

    // The edit field's and the list's child identifiers.
    static constexpr int kEditId = 1;
    static constexpr int kListId = 2;

    ControlHost(Form& form, HWND window, HWND edit);
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    HostedControl& Control() { return *control_; }
    template <class T>
    T& ControlAs() {
        return dynamic_cast<T&>(*control_);
    }
    HWND Hwnd() const { return window_; }
    HWND EditHwnd() const { return edit_; }
    HWND ListHwnd() const { return list_; }
    Form& HostForm() { return form_; }
    const ControlSite& Site() const { return site_; }

    TextBoxObject& TextBox() { return textBox_; }
    ListBoxObject& ListBox() { return listBox_; }
    UserControlObject& UserControl() { return userControl_; }
    // The line objects in the order of ControlSite (linOuterTop ... linInnerBottom).
    LineShape& Line(std::size_t index) { return lines_.at(index); }
    const std::vector<std::string>& PropertyChangedKeys() const {
        return userControl_.PropertyChangedKeys();
    }

    // The calls into the control under way.
    CallFrames& Frames() { return frames_; }

    // The designer saving the control: UserControl_WriteProperties.
    void WriteProperties(cp::PropertyBag& bag);
    // The list box object's click notification.
    void RaiseListClick();

    // The host's start-up of the control (see StartUp.h): made by `factory`, its properties
    // read from `saved`, or initialised as a new instance without one.
    void StartUp(const Factory& factory, cp::PropertyBag* saved);
    // The end: UserControl_Terminate (once), then the windows and the control go.
    void Terminate();
    void Release();

    static LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    template <class Notification>
    void Deliver(std::string_view name, Notification&& notification);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Command(WPARAM wParam, LPARAM lParam);
    void Key(EditKeyEvent& event);
    void KeyPress(EditKeyEvent& event);
    void Mouse(UINT message, LPARAM lParam, MouseTarget target);
    void CreateList();
    void FirstLayoutAndPaint();
    void FocusLeft(HWND gaining);
    void Paint();
    void DrawLines(Surface& surface);
    bool PressChangedSelection() const;
    bool Inside(HWND hwnd) const;
    bool OnForm(HWND hwnd) const;

    CallFrames frames_;              // the calls into the control under way
    Form& form_;                     // the form that holds the control
    HWND window_;                    // the control window
    HWND edit_;                      // the edit field
    HWND list_ = nullptr;            // the list box, once created
    HFONT listFont_ = nullptr;       // the list's font
    UserControlObject userControl_;  // the host objects of the site
    TextBoxObject textBox_;
    ListBoxObject listBox_;
    std::array<LineShape, design::kFrameLineCount> lines_;
    ControlSite site_;                        // what the control is given
    std::unique_ptr<HostedControl> control_;  // the control
    bool terminated_ = false;                 // UserControl_Terminate has run
};

}  // namespace cp::sim
