// The scenario driver on the real window system: the control is hosted on a form of the Win32
// host runtime, and the user is played with real window messages sent to the real windows.
// Pending messages are processed after every action, as the message loop would between two
// inputs.
#include <map>

#include "control/Startup.h"
#include "platform/Utf8.h"
#include "platform/win32/Form.h"
#include "platform/win32/MessageBoxes.h"
#include "platform/win32/PropertyStore.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"
#include "tests/scenarios/Driver.h"

namespace cp::test {
namespace {

using win32::PixelsFromTwips;

// Key messages: repeat count 1, the scan code, Alt held (context bit), key going up.
LPARAM KeyLParam(UINT virtualKey, bool alt, bool up) {
    LPARAM lParam = 1 | (static_cast<LPARAM>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16);
    if (alt) lParam |= LPARAM{1} << 29;
    if (up) lParam |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    return lParam;
}

LPARAM PointLParam(int x, int y) {
    return static_cast<LPARAM>(MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

// The key that types a character; VK_PACKET for characters that no key of the layout makes.
UINT KeyOfCharacter(wchar_t c) {
    const SHORT scan = ::VkKeyScanW(c);
    return scan == -1 ? VK_PACKET : static_cast<UINT>(scan & 0xFF);
}

// The character that a key makes by itself, 0 for none.
wchar_t CharacterOfKey(std::int16_t keyCode) {
    switch (keyCode) {
        case vbKeyReturn:
            return L'\r';
        case vbKeyEscape:
            return 0x1B;
        case vbKeyBack:
            return L'\b';
        default:
            return 0;
    }
}

// Holds Shift, Ctrl and Alt in the thread's keyboard state for one key press.
class HeldModifiers {
public:
    explicit HeldModifiers(std::int16_t shift) {
        ::GetKeyboardState(saved_);
        BYTE state[256];
        ::GetKeyboardState(state);
        Hold(state, VK_SHIFT, shift & vbShiftMask);
        Hold(state, VK_CONTROL, shift & vbCtrlMask);
        Hold(state, VK_MENU, shift & vbAltMask);
        ::SetKeyboardState(state);
    }
    ~HeldModifiers() { ::SetKeyboardState(saved_); }

private:
    static void Hold(BYTE* state, int key, bool held) { state[key] = held ? 0x80 : 0; }
    BYTE saved_[256];  // the state put back afterwards
};

UINT ButtonDownMessage(std::int16_t button) {
    return button == kRightButton    ? WM_RBUTTONDOWN
           : button == kMiddleButton ? WM_MBUTTONDOWN
                                     : WM_LBUTTONDOWN;
}

UINT ButtonUpMessage(std::int16_t button) {
    return button == kRightButton    ? WM_RBUTTONUP
           : button == kMiddleButton ? WM_MBUTTONUP
                                     : WM_LBUTTONUP;
}

WPARAM ButtonFlags(std::int16_t buttons) {
    WPARAM flags = 0;
    if (buttons & kLeftButton) flags |= MK_LBUTTON;
    if (buttons & kRightButton) flags |= MK_RBUTTON;
    if (buttons & kMiddleButton) flags |= MK_MBUTTON;
    return flags;
}

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
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }

    ~Win32Driver() override {
        if (other_ != nullptr) ::DestroyWindow(other_);
    }

    ColumnPick& AddControl(const ControlSpec& spec, EventRecorder& events) override {
        ColumnPick* made = nullptr;
        auto factory = [&](const ControlSite& site) {
            auto control = std::make_unique<ColumnPick>(site);
            control->SetEventSink(&events);
            made = control.get();
            return std::unique_ptr<HostedControl>(std::move(control));
        };
        // Placed at run time: the properties are read from the form's (empty) store.
        stores_.push_back(std::make_unique<win32::PropertyStore>());
        auto& host = form_.AddControl(factory, {spec.left, spec.top, spec.width, spec.height},
                                      stores_.back().get());
        hosts_[made] = &host;
        Pump();
        return *made;
    }

    void FocusControl(ColumnPick& control) override {
        ::SetForegroundWindow(form_.hWnd());
        ::SetFocus(Host(control).TextBox().hWnd());
        Pump();
    }

    void TypeText(std::string_view text) override {
        const std::string utf8(text);
        for (std::size_t offset = 0; offset < utf8.size();) {
            const std::size_t start = offset;
            utf8::Next(utf8, offset);
            const std::wstring units =
                win32::Widen(std::string_view(utf8).substr(start, offset - start));
            TypeCharacter(units);
        }
    }

    void PressKey(std::int16_t keyCode, std::int16_t shift) override {
        HeldModifiers held(shift);
        const bool alt = (shift & vbAltMask) != 0;
        const auto key = static_cast<UINT>(keyCode);
        Send(::GetFocus(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, KeyLParam(key, alt, false));
        const wchar_t c = CharacterOfKey(keyCode);
        if (c != 0 && (shift & (vbCtrlMask | vbAltMask)) == 0) {
            Send(::GetFocus(), WM_CHAR, c, KeyLParam(key, false, false));
        }
        Send(::GetFocus(), alt ? WM_SYSKEYUP : WM_KEYUP, key, KeyLParam(key, alt, true));
        Pump();
    }

    void SelectText(int start, int length) override {
        cp::SendMessage(::GetFocus(), EM_SETSEL, static_cast<WPARAM>(start), start + length);
        Pump();
    }

    void MoveFocusAway() override {
        ::SetFocus(form_.TextField());
        Pump();
    }

    void MouseDownOnControl(ColumnPick& control, float x, float y, std::int16_t button) override {
        controlButtons_ |= button;
        Send(Host(control).UserControl().hWnd(), ButtonDownMessage(button),
             ButtonFlags(controlButtons_), PointLParam(PixelsFromTwips(x), PixelsFromTwips(y)));
        Pump();
    }

    void MouseMoveOnControl(ColumnPick& control, float x, float y) override {
        Send(Host(control).UserControl().hWnd(), WM_MOUSEMOVE, ButtonFlags(controlButtons_),
             PointLParam(PixelsFromTwips(x), PixelsFromTwips(y)));
        Pump();
    }

    void MouseUpOnControl(ColumnPick& control, float x, float y, std::int16_t button) override {
        controlButtons_ &= static_cast<std::int16_t>(~button);
        Send(Host(control).UserControl().hWnd(), ButtonUpMessage(button),
             ButtonFlags(controlButtons_), PointLParam(PixelsFromTwips(x), PixelsFromTwips(y)));
        Pump();
    }

    void MouseMoveOnList(ColumnPick& control, float x, float y) override {
        Send(Host(control).ListBox().hWnd(), WM_MOUSEMOVE, listPressed_ ? MK_LBUTTON : 0,
             PointLParam(PixelsFromTwips(x), PixelsFromTwips(y)));
        Pump();
    }

    void MouseDownOnList(ColumnPick& control, float x, float y) override {
        listPressed_ = true;
        Send(Host(control).ListBox().hWnd(), WM_LBUTTONDOWN, MK_LBUTTON,
             PointLParam(PixelsFromTwips(x), PixelsFromTwips(y)));
        Pump();
    }

    void MouseUpOnList(ColumnPick& control, float x, float y) override {
        listPressed_ = false;
        Send(Host(control).ListBox().hWnd(), WM_LBUTTONUP, 0,
             PointLParam(PixelsFromTwips(x), PixelsFromTwips(y)));
        Pump();
    }

    void ClickOnForm(float x, float y, std::int16_t button) override {
        const LPARAM at = PointLParam(PixelsFromTwips(x), PixelsFromTwips(y));
        Send(form_.hWnd(), ButtonDownMessage(button), ButtonFlags(button), at);
        Send(form_.hWnd(), ButtonUpMessage(button), 0, at);
        Pump();
    }

    void ClickOnCaption() override {
        ::RECT frame{};
        ::GetWindowRect(form_.hWnd(), &frame);
        const int captionMiddle =
            ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2;
        Send(form_.hWnd(), WM_NCLBUTTONDOWN, HTCAPTION,
             PointLParam((frame.left + frame.right) / 2, frame.top + captionMiddle));
        Pump();
    }

    void ActivateOtherWindow() override {
        if (other_ == nullptr) {
            other_ =
                ::CreateWindowExW(0, L"STATIC", L"Other window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  ::GetSystemMetrics(SM_CXSCREEN) / 2, 0, 200, 120, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
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

    bool EditHasFocus(ColumnPick& control) override {
        return ::GetFocus() == Host(control).TextBox().hWnd();
    }

    bool ListVisible(ColumnPick& control) override {
        return ::IsWindowVisible(Host(control).ListBox().hWnd()) != FALSE;
    }

    RECT ListScreenRect(ColumnPick& control) override {
        RECT r;
        cp::GetWindowRect(Host(control).ListBox().hWnd(), &r);
        return r;
    }

    int ListSelection(ColumnPick& control) override {
        return static_cast<int>(::SendMessageW(Host(control).ListBox().hWnd(), LB_GETCURSEL, 0, 0));
    }

    int ListTopIndex(ColumnPick& control) override {
        return static_cast<int>(
            ::SendMessageW(Host(control).ListBox().hWnd(), LB_GETTOPINDEX, 0, 0));
    }

    RECT ControlScreenRect(ColumnPick& control) override {
        RECT r;
        cp::GetWindowRect(Host(control).UserControl().hWnd(), &r);
        return r;
    }

    int ScreenWidthPixels() override { return ::GetSystemMetrics(SM_CXSCREEN); }
    int ScreenHeightPixels() override { return ::GetSystemMetrics(SM_CYSCREEN); }

    std::vector<MessageBoxRecord> MessageBoxes() override {
        std::vector<MessageBoxRecord> boxes;
        for (const auto& call : boxes_.Calls())
            boxes.push_back({call.prompt, call.buttons, call.title});
        return boxes;
    }

private:
    win32::ControlHost& Host(ColumnPick& control) { return *hosts_.at(&control); }

    // Key down, the character's units, key up, to whatever holds the focus.
    void TypeCharacter(const std::wstring& units) {
        const UINT key = KeyOfCharacter(units.front());
        Send(::GetFocus(), WM_KEYDOWN, key, KeyLParam(key, false, false));
        for (wchar_t unit : units)
            Send(::GetFocus(), WM_CHAR, unit, KeyLParam(key, false, false));
        Send(::GetFocus(), WM_KEYUP, key, KeyLParam(key, false, true));
        Pump();
    }

    std::pair<int, int> Selection(ColumnPick& control) {
        ::DWORD start = 0;
        ::DWORD end = 0;
        cp::SendMessage(Host(control).TextBox().hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }

    static void Send(HWND target, UINT uMsg, WPARAM wParam, LPARAM lParam) {
        if (target != nullptr) ::SendMessageW(target, uMsg, wParam, lParam);
    }

    static void Pump() { host::DoEvents(); }

    win32::MessageBoxRecorder boxes_;                            // answers every box with OK
    std::vector<std::unique_ptr<win32::PropertyStore>> stores_;  // one per control
    win32::Form form_;                                           // the scene
    std::map<ColumnPick*, win32::ControlHost*> hosts_;           // each control's host
    HWND other_ = nullptr;                                       // another top-level window
    std::int16_t controlButtons_ = 0;                            // held on the control
    bool listPressed_ = false;                                   // left button held in the list
};

}  // namespace

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<Win32Driver>();
}

}  // namespace cp::test
