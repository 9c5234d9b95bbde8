#include "platform/win32/ControlHost.h"

#include <string>
#include <utility>

#include "platform/FocusRule.h"
#include "platform/StartUp.h"
#include "platform/win32/ScreenDensity.h"
#include "platform/win32/WindowsApi.h"
#include "runtime/RuntimeError.h"
#include "runtime/ScreenUnits.h"

namespace cp::win32 {
namespace {

// The list window's border, around its rows.
constexpr int kListBorderPixels = 2;

}  // namespace

ControlHost::ScreenUnitsTaken::ScreenUnitsTaken() {
    TakeScreenUnits();
}

ControlHost::ControlHost(HWND form, const Placement& at)
    : form_(form),
      userControl_(*this),
      textBox_(*this),
      listBox_(*this),
      lines_(design::MakeFrameLines<LineShape>()),
      site_(design::SiteOf(userControl_, textBox_, listBox_, lines_)) {
    userControl_.Create(form, at);
    textBox_.Create(userControl_.hWnd());
    for (auto& line : lines_) {
        line.OnChange([this](Erase erase) {
            ::InvalidateRect(userControl_.hWnd(), nullptr, erase == Erase::Background);
        });
    }
}

ControlHost::~ControlHost() {
    // A reader may hold the accessible objects longer than the control lives.
    readers_.Disconnect();
    // The control may refer to its child objects until it is gone.
    control_.reset();
    // The edit window is a child of the control's window and goes with it. It goes now, while
    // the edit field whose procedure its last messages reach is still alive.
    userControl_.Destroy();
}

AccessibleControl* ControlHost::Accessibility() {
    return control_ && !terminated_ ? control_->Accessibility() : nullptr;
}

void ControlHost::Load(const ControlFactory& factory, PropertyBag* saved) {
    ::RECT client{};
    ::GetClientRect(userControl_.hWnd(), &client);
    control_ = factory(site_);
    // A start-up handler's error is reported as the form's and the start-up goes on, so that
    // the control still takes its size and shows.
    HostStartUp steps;
    steps.deliver = [this](std::string_view, const Notification& notify) { Deliver(notify); };
    steps.createList = [this, &client] {
        listBox_.Create(
            userControl_.hWnd(), client.right,
            design::kInitialListRows * CurrentScreenUnits().rowPixels + kListBorderPixels);
        if (font_ != nullptr) listBox_.SetFont(font_, RowPixelsFor(font_));
    };
    steps.sizeShowAndPaint = [this] {
        userControl_.StartResizing();
        Deliver([](HostedControl& c) { c.UserControl_Resize(); });
        ::ShowWindow(userControl_.hWnd(), SW_SHOWNA);
        ::UpdateWindow(userControl_.hWnd());
    };
    StartControl(steps, saved);
}

void ControlHost::SetFont(HFONT font) {
    font_ = font;
    const HFONT shown = font != nullptr ? font : ControlFont();
    textBox_.SetFont(shown);
    if (listBox_.hWnd() != nullptr) listBox_.SetFont(shown, RowPixelsFor(shown));
}

void ControlHost::Reparent(HWND parent) {
    form_ = parent;
    ::SetParent(userControl_.hWnd(), parent);
}

bool ControlHost::Unloading() const {
    if (unloading_) return true;
    return holder_ != nullptr && !::IsWindowVisible(::GetAncestor(form_, GA_ROOT));
}

bool ControlHost::RefusesInput(UINT uMsg) const {
    const bool key = uMsg >= WM_KEYFIRST && uMsg <= WM_KEYLAST;
    const bool mouse = (uMsg >= WM_MOUSEFIRST && uMsg <= WM_MOUSELAST) ||
                       (uMsg >= WM_NCLBUTTONDOWN && uMsg <= WM_NCXBUTTONDBLCLK);
    return (key || mouse) && holder_ != nullptr && holder_->AmbientUIDead();
}

void ControlHost::Terminate() {
    if (terminated_ || !control_) return;
    terminated_ = true;
    readers_.Disconnect();
    control_->UserControl_Terminate();
}

void ControlHost::WriteProperties(PropertyBag& bag) {
    if (control_ && !terminated_) control_->UserControl_WriteProperties(bag);
}

void ControlHost::Deliver(const std::function<void(HostedControl&)>& notify) {
    if (!control_ || terminated_) return;
    try {
        notify(*control_);
    } catch (...) {
        if (putDepth_ == 0) {
            ReportUnhandledError();
        } else if (!pendingError_) {
            pendingError_ = std::current_exception();
        }
    }
}

void ControlHost::Put(const std::function<void()>& call) {
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    };
    {
        Depth depth(putDepth_);
        call();
    }
    if (pendingError_) std::rethrow_exception(std::exchange(pendingError_, {}));
}

void ControlHost::ReportUnhandledError() {
    const RuntimeError error = CurrentError();
    host::MsgBox(
        "Run-time error '" + std::to_string(error.Number()) + "':\n\n" + error.Description(),
        vbCritical);
}

bool ControlHost::Contains(HWND window) {
    if (window == nullptr) return false;
    auto within = [window](HWND part) {
        return part != nullptr && (window == part || ::IsChild(part, window));
    };
    return within(userControl_.hWnd()) || within(listBox_.hWnd());
}

void ControlHost::FocusLeaving(HWND newFocus) {
    // A control held by a container compares the top-level windows: the container's own
    // window need not be the form.
    const FocusGoes where = newFocus == nullptr  ? FocusGoes::Nowhere
                            : Contains(newFocus) ? FocusGoes::IntoTheControl
                            : ::GetAncestor(newFocus, GA_ROOT) == ::GetAncestor(form_, GA_ROOT)
                                ? FocusGoes::ElsewhereOnTheForm
                                : FocusGoes::OffTheForm;
    if (!FocusLeavesControl(where, unloading_ ? FormState::Unloading : FormState::Loaded)) return;
    Deliver([](HostedControl& c) { c.UserControl_ExitFocus(); });
}

}  // namespace cp::win32
