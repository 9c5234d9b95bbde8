// The scenario driver on the real window system: the controls are hosted on a form of the
// Win32 host runtime, and the user is played with real window messages sent to the real
// windows (Win32User). Pending messages are processed after every action, as the message loop
// would between two inputs.
#include <map>

#include "control/Startup.h"
#include "platform/win32/Form.h"
#include "platform/win32/PropertyStore.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"
#include "tests/scenarios/Driver.h"
#include "tests/scenarios/win32/Win32User.h"
#include "tests/support/win32/MessageBoxWatch.h"

namespace cp::test {
namespace {

// Where the other top-level window stands: the upper right of the screen, clear of the form.
constexpr int kOtherWidth = 200;
constexpr int kOtherHeight = 120;

class Win32Driver final : public Driver {
public:
    Win32Driver() {
        static thread_local const bool started = [] {
            ComponentStart();
            return true;
        }();
        (void)started;
        // The real pointer waits in a corner, away from every window of the scene, so that
        // the window system synthesises no movement over them.
        ::SetCursorPos(ScreenWidthPixels() - 1, ScreenHeightPixels() - 1);
    }

    ~Win32Driver() override {
        if (other_ != nullptr) ::DestroyWindow(other_);
    }

    ColumnPick& AddControl(const ControlSetup& setup, EventRecorder& events) override {
        ColumnPick* made = nullptr;
        auto factory = [&](const ControlSite& site) {
            auto control = std::make_unique<ColumnPick>(site);
            made = control.get();
            return std::unique_ptr<HostedControl>(std::move(control));
        };
        // Placed at run time: the properties are read from the form's (empty) store.
        stores_.push_back(std::make_unique<win32::PropertyStore>());
        auto& host = form_.AddControl(factory, {setup.left, setup.top, setup.width, setup.height},
                                      stores_.back().get());
        // The host connects its event handlers once the control is on the form.
        made->SetEventSink(&events);
        hosts_[made] = &host;
        Pump();
        return *made;
    }

    void FocusControl(ColumnPick& control) override {
        HWND edit = Host(control).TextBox().hWnd();
        if (!::IsWindowVisible(edit) || !::IsWindowEnabled(edit)) return;
        ::SetForegroundWindow(form_.hWnd());
        ::SetFocus(edit);
        Pump();
    }

    void TypeText(std::string_view text) override { user_.TypeText(text); }
    void PressKey(std::int16_t keyCode, std::int16_t shift) override {
        user_.PressKey(keyCode, shift);
    }
    void SelectText(int start, int length) override { user_.SelectText(start, length); }

    void MoveFocusAway() override {
        ::SetFocus(form_.TextField());
        Pump();
    }

    void MouseDownOnControl(ColumnPick& control, float x, float y, std::int16_t button) override {
        user_.MouseDown(Host(control).UserControl().hWnd(), x, y, button);
    }
    void MouseMoveOnControl(ColumnPick& control, float x, float y) override {
        user_.MouseMove(Host(control).UserControl().hWnd(), x, y);
    }
    void MouseUpOnControl(ColumnPick& control, float x, float y, std::int16_t button) override {
        user_.MouseUp(Host(control).UserControl().hWnd(), x, y, button);
    }
    void MouseMoveOnList(ColumnPick& control, float x, float y) override {
        user_.MouseMove(Host(control).ListBox().hWnd(), x, y);
    }
    void MouseDownOnList(ColumnPick& control, float x, float y) override {
        user_.MouseDown(Host(control).ListBox().hWnd(), x, y, kLeftButton);
    }
    void MouseUpOnList(ColumnPick& control, float x, float y) override {
        user_.MouseUp(Host(control).ListBox().hWnd(), x, y, kLeftButton);
    }
    void ClickOnForm(float x, float y, std::int16_t button) override {
        user_.MouseDown(form_.hWnd(), x, y, button);
        user_.MouseUp(form_.hWnd(), x, y, button);
    }

    void ClickOnCaption() override {
        ::RECT frame{};
        ::GetWindowRect(form_.hWnd(), &frame);
        const int captionMiddle =
            ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2;
        const POINT onCaption{(frame.left + frame.right) / 2, frame.top + captionMiddle};
        ::SendMessageW(form_.hWnd(), WM_NCLBUTTONDOWN, HTCAPTION,
                       MAKELPARAM(onCaption.x, onCaption.y));
        Pump();
    }

    void ActivateOtherWindow() override {
        if (other_ == nullptr) {
            other_ =
                ::CreateWindowExW(0, L"STATIC", L"Another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  ScreenWidthPixels() - kOtherWidth, 0, kOtherWidth, kOtherHeight,
                                  nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        }
        ::SetForegroundWindow(other_);
        ::SetActiveWindow(other_);
        Pump();
    }

    std::string EditText(ColumnPick& control) override {
        return win32::Narrow(win32::WindowText(Host(control).TextBox().hWnd()));
    }
    int SelStart(ColumnPick& control) override { return Selection(control).first; }
    int SelLength(ColumnPick& control) override {
        const auto [start, end] = Selection(control);
        return end - start;
    }
    // The form's focus: while another window is active, where it returns to.
    bool EditHasFocus(ColumnPick& control) override {
        return form_.FocusedWindow() == Host(control).TextBox().hWnd();
    }
    bool ListVisible(ColumnPick& control) override {
        return ::IsWindowVisible(Host(control).ListBox().hWnd()) != FALSE;
    }
    RECT ListScreenRect(ColumnPick& control) override {
        return WindowRect(Host(control).ListBox().hWnd());
    }
    int ListSelection(ColumnPick& control) override {
        return static_cast<int>(::SendMessageW(Host(control).ListBox().hWnd(), LB_GETCURSEL, 0, 0));
    }
    int ListTopIndex(ColumnPick& control) override {
        return static_cast<int>(
            ::SendMessageW(Host(control).ListBox().hWnd(), LB_GETTOPINDEX, 0, 0));
    }
    RECT ControlScreenRect(ColumnPick& control) override {
        return WindowRect(Host(control).UserControl().hWnd());
    }
    COLORREF ControlPixel(ColumnPick& control, int x, int y) override {
        Pump();
        HWND window = Host(control).UserControl().hWnd();
        HDC dc = ::GetDC(window);
        const COLORREF pixel = ::GetPixel(dc, x, y);
        ::ReleaseDC(window, dc);
        return pixel;
    }
    int ScreenWidthPixels() override { return ::GetSystemMetrics(SM_CXSCREEN); }
    int ScreenHeightPixels() override { return ::GetSystemMetrics(SM_CYSCREEN); }

    std::vector<MessageBoxRecord> MessageBoxes() override {
        std::vector<MessageBoxRecord> boxes;
        for (const auto& call : boxes_.Calls()) {
            boxes.push_back({call.prompt, call.style, call.caption});
        }
        return boxes;
    }

private:
    win32::ControlHost& Host(ColumnPick& control) { return *hosts_.at(&control); }

    static RECT WindowRect(HWND hWnd) {
        RECT r;
        cp::GetWindowRect(hWnd, &r);
        return r;
    }

    std::pair<int, int> Selection(ColumnPick& control) {
        ::DWORD start = 0;
        ::DWORD end = 0;
        cp::SendMessage(Host(control).TextBox().hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }

    MessageBoxWatch boxes_;                                      // answers every box with OK
    std::vector<std::unique_ptr<win32::PropertyStore>> stores_;  // one per control
    win32::Form form_;                                           // the scene
    std::map<ColumnPick*, win32::ControlHost*> hosts_;           // each control's host
    Win32User user_;                                             // keyboard and mouse
    HWND other_ = nullptr;                                       // another top-level window
};

}  // namespace

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<Win32Driver>();
}

}  // namespace cp::test
