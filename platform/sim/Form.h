// A simulated form with controls on it, driven as a form host drives them.
//
// The form window (class "ThunderRT6FormDC") stands with its client area at (left, top) on the
// screen; it has no frame of its own, so its window and client rectangles coincide. It holds a
// plain text field that can take the focus, and the controls added to it.
//
// AddControl runs a control's start-up in the host's order: the control window (class
// "ThunderRT6UserControlDC", a child of the form, with its own recording context as hDC) and
// its edit field (Left 45, Top 45, Height 240 twips inside it); the control, built by the
// factory with its ControlSite; UserControl_Initialize; the list box (hidden, a child of the
// control window, WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, class "ThunderRT6ListBox"), so
// that a creation hook installed by Initialize sees it created; UserControl_InitProperties, or
// UserControl_ReadProperties when the placement gives a property bag; then WM_SIZE (the resize
// notification) and WM_PAINT (the first paint) to the control window.
//
// Destroy (also run by the destructor) sends WM_DESTROY to the form and its children, then runs
// UserControl_Terminate of each control and removes their windows.
#pragma once

#include <memory>
#include <vector>

#include "platform/HostForm.h"
#include "platform/sim/ControlHost.h"

namespace cp::sim {

class World;

// What the form answers to Ambient.UserMode.
enum class AmbientMode {
    RunTime,      // True
    Design,       // False
    Unavailable,  // the form offers no ambient properties: the read raises an error
};

struct FormOptions {
    int left = 0;  // screen pixels of the client area's top-left corner
    int top = 0;
    int width = 640;  // client size in pixels
    int height = 480;
    AmbientMode ambient = AmbientMode::RunTime;
};

// How the control's host object keeps the size put on it.
enum class Sizing {
    WholePixels,  // as the form host does: rounded to the control window's whole pixels
    Exact,        // the twips as put; a put of another size resizes even within one pixel
};

struct ControlPlacement {
    float left = form::kControlLeft;  // twips of the form's client area
    float top = form::kControlTop;
    float width = form::kControlWidth;
    float height = form::kControlHeight;
    cp::PropertyBag* properties = nullptr;  // a saved form: loaded with ReadProperties
    Sizing sizing = Sizing::WholePixels;
};

class Form {
public:
    using Factory = ControlHost::Factory;

    explicit Form(World& world, FormOptions options = {});
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    ControlHost& AddControl(const Factory& factory, const ControlPlacement& placement = {});

    HWND Hwnd() const { return window_; }
    HWND TextFieldHwnd() const { return textField_; }
    AmbientMode Ambient() const { return ambient_; }
    void SetAmbient(AmbientMode mode) { ambient_ = mode; }
    std::size_t ControlCount() const { return controls_.size(); }
    ControlHost& ControlAt(std::size_t index) { return *controls_.at(index); }
    // The host of a control on this form; nullptr when it is not one of them.
    ControlHost* HostOf(const HostedControl& control);

    // Destroys the form's windows and ends every control as RemoveControl does.
    void Destroy();
    // Takes one control off the living form, as a host unloads it: UserControl_Terminate, then
    // its windows and the control go. Asked inside one of the control's own calls (a handler of
    // its event), this happens once that call has returned.
    void RemoveControl(ControlHost& host);
    bool Destroyed() const { return destroyed_; }

private:
    void EndControl(ControlHost& host);

    World& world_;                                        // the world the form lives in
    HWND window_ = nullptr;                               // the form window
    HWND textField_ = nullptr;                            // the plain text field
    AmbientMode ambient_;                                 // Ambient.UserMode's answer
    std::vector<std::unique_ptr<ControlHost>> controls_;  // the controls, in order placed
    bool destroyed_ = false;                              // Destroy has run
};

}  // namespace cp::sim
