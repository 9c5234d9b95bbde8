// The scenario driver on the real window system: the controls are hosted on a form of the
// Win32 host runtime, and the user is played with real window messages sent to the real
// windows. Pending messages are processed after every action, as the message loop would
// between two inputs.
//
// - A typed character comes as key down (the layout's key, with the shift state that the key
//   needs held while it goes down), the character, and key up; a character that no key makes
//   comes with VK_PACKET.
// - A pressed key makes the character that the keyboard makes of it with the shift state held,
//   none with Alt, which sends system keys (WM_SYSKEYDOWN with the context bit).
// - Keys go to the window that holds the focus, the mouse to any window that is shown and
//   enabled; mouse positions are in twips of the window's client area (rounded to the pixel),
//   and the buttons held go with every move, to whichever window.
#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "platform/Twips.h"
#include "platform/win32/Form.h"
#include "platform/win32/IdleStepWindow.h"
#include "platform/win32/PropertyStore.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"
#include "reports/Startup.h"
#include "runtime/Utf8.h"
#include "tests/scenarios/Driver.h"
#include "tests/support/ColumnPickProbe.h"
#include "tests/support/win32/MessageBoxWatch.h"

namespace cp::test {
namespace {

constexpr LPARAM kContextBit = LPARAM{1} << 29;
constexpr LPARAM kKeyUpBits = (LPARAM{1} << 30) | (LPARAM{1} << 31);
constexpr BYTE kKeyDown = 0x80;

// Key messages: a repeat count of 1 and the key's scan code.
LPARAM KeyLParam(std::int16_t keyCode) {
    return 1 | (static_cast<LPARAM>(::MapVirtualKeyW(static_cast<UINT>(keyCode), MAPVK_VK_TO_VSC))
                << 16);
}

LPARAM PointLParam(float x, float y) {
    return static_cast<LPARAM>(
        MAKELPARAM(static_cast<WORD>(PixelsFromTwips(x)), static_cast<WORD>(PixelsFromTwips(y))));
}

using KeyboardState = std::array<BYTE, 256>;

// The thread's keyboard state with Shift, Ctrl and Alt as `shift` has them.
KeyboardState StateWith(std::int16_t shift) {
    KeyboardState state{};
    ::GetKeyboardState(state.data());
    state[VK_SHIFT] = (shift & vbShiftMask) ? kKeyDown : 0;
    state[VK_CONTROL] = (shift & vbCtrlMask) ? kKeyDown : 0;
    state[VK_MENU] = (shift & vbAltMask) ? kKeyDown : 0;
    return state;
}

// Holds Shift, Ctrl and Alt in the thread's keyboard state while a key goes down and up.
class HeldModifiers {
public:
    explicit HeldModifiers(std::int16_t shift) {
        ::GetKeyboardState(saved_.data());
        ::SetKeyboardState(StateWith(shift).data());
    }
    ~HeldModifiers() { ::SetKeyboardState(saved_.data()); }
    HeldModifiers(const HeldModifiers&) = delete;
    HeldModifiers& operator=(const HeldModifiers&) = delete;

private:
    KeyboardState saved_{};  // the state put back afterwards
};

// The character that the keyboard makes of a key with the shift state; empty for none.
std::u16string CharacterOf(std::int16_t keyCode, std::int16_t shift) {
    const KeyboardState state = StateWith(shift);
    std::array<wchar_t, 4> out{};
    const auto key = static_cast<UINT>(keyCode);
    const int n = ::ToUnicode(key, ::MapVirtualKeyW(key, MAPVK_VK_TO_VSC), state.data(), out.data(),
                              static_cast<int>(out.size()), 0);
    return n > 0 ? std::u16string(out.begin(), out.begin() + n) : std::u16string();
}

struct KeyForCharacter {
    std::int16_t keyCode;
    std::int16_t shift;
};

KeyForCharacter KeyOf(char32_t c) {
    const SHORT scan = c < 0x10000 ? ::VkKeyScanW(static_cast<wchar_t>(c)) : SHORT{-1};
    if (scan == -1) return {VK_PACKET, 0};
    // The high byte holds the shift state that the key needs: 1 Shift, 2 Ctrl, 4 Alt.
    return {static_cast<std::int16_t>(scan & 0xFF), static_cast<std::int16_t>((scan >> 8) & 7)};
}

bool Reaches(HWND hWnd) {
    return ::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd);
}

// Each button's up message follows its down message.
UINT ButtonMessage(std::int16_t button, bool up) {
    return (button == 2 ? WM_RBUTTONDOWN : button == 4 ? WM_MBUTTONDOWN : WM_LBUTTONDOWN) + up;
}

WPARAM HeldFlags(std::int16_t buttons) {
    return (buttons & 1 ? MK_LBUTTON : 0) | (buttons & 2 ? MK_RBUTTON : 0) |
           (buttons & 4 ? MK_MBUTTON : 0);
}

// The steps in which a drag moves the thumb.
constexpr int kThumbSteps = 4;

bool gIdleStepsHeld = false;  // the timers of the idle steps are not dispatched

bool IsIdleStepTimer(const ::MSG& msg) {
    wchar_t name[64] = {};
    return msg.message == WM_TIMER && ::GetClassNameW(msg.hwnd, name, 64) > 0 &&
           std::wstring_view(name) == win32::kIdleStepClass;
}

// Processes the messages waiting now, as the message loop does between two inputs; while the
// idle steps are held, their timers pass unhandled (the window system brings them again).
void Pump() {
    if (!gIdleStepsHeld) {
        host::DoEvents();
        return;
    }
    ::MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (IsIdleStepTimer(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Where the other top-level window stands: the upper right of the screen, clear of the form.
constexpr int kOtherWidth = 200;
constexpr int kOtherHeight = 120;

class Win32Driver final : public Driver {
public:
    Win32Driver() {
        static thread_local const bool started = (ComponentStart(), true);
        (void)started;
        // The real pointer waits in a corner, away from every window of the scene, so that
        // the window system synthesises no movement over them.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }

    ~Win32Driver() override {
        if (other_ != nullptr) ::DestroyWindow(other_);
    }

    ColumnPick& AddControl(EventRecorder& events) override {
        // Placed at run time: the properties are read from the form's (empty) store.
        stores_.push_back(std::make_unique<win32::PropertyStore>());
        auto& control = static_cast<ColumnPick&>(
            Place([](const ControlSite& site) { return std::make_unique<ColumnPick>(site); }, {},
                  stores_.back().get()));
        // The host connects its event handlers once the control is on the form.
        control.SetEventSink(&events);
        Pump();
        return control;
    }
    HostedControl& AddHosted(const Factory& factory, PropertyBag* saved) override {
        HostedControl& control = Place(factory, {}, saved);
        Pump();
        return control;
    }

    void FocusControl(HostedControl& control) override {
        HWND edit = Host(control).TextBox().hWnd();
        if (!Reaches(edit)) return;
        ::SetForegroundWindow(form_.hWnd());
        ::SetFocus(edit);
        Pump();
    }

    void TypeText(std::string_view utf8) override { Type(nullptr, utf8); }
    void PressKey(std::int16_t keyCode, std::int16_t shift) override {
        Press(nullptr, keyCode, shift);
    }
    void TypeTextTo(HostedControl& control, std::string_view utf8) override {
        Type(Host(control).TextBox().hWnd(), utf8);
    }
    void PressKeyTo(HostedControl& control, std::int16_t keyCode, std::int16_t shift) override {
        Press(Host(control).TextBox().hWnd(), keyCode, shift);
    }
    // EM_SETSEL to the focused edit field.
    void SelectText(int start, int length) override {
        if (HWND focus = ::GetFocus()) {
            cp::SendMessage(focus, EM_SETSEL, static_cast<WPARAM>(start), start + length);
        }
        Pump();
    }

    void MoveFocusAway() override {
        ::SetFocus(form_.TextField());
        Pump();
    }

    void MouseDownOnControl(HostedControl& control, float x, float y,
                            std::int16_t button) override {
        MouseDown(Host(control).UserControl().hWnd(), x, y, button);
    }
    void MouseMoveOnControl(HostedControl& control, float x, float y) override {
        MouseMove(Host(control).UserControl().hWnd(), x, y);
    }
    void MouseUpOnControl(HostedControl& control, float x, float y, std::int16_t button) override {
        MouseUp(Host(control).UserControl().hWnd(), x, y, button);
    }
    void MouseMoveOnList(HostedControl& control, float x, float y) override {
        MouseMove(Host(control).ListBox().hWnd(), x, y);
    }
    void MouseDownOnList(HostedControl& control, float x, float y) override {
        MouseDown(Host(control).ListBox().hWnd(), x, y, kLeftButton);
    }
    void MouseUpOnList(HostedControl& control, float x, float y) override {
        MouseUp(Host(control).ListBox().hWnd(), x, y, kLeftButton);
    }
    // What the scroll bar sends its window while the mouse presses it, and when it lets go.
    void PressListScrollBar(HostedControl& control, ScrollPress where) override {
        const HWND list = Host(control).ListBox().hWnd();
        if (!ShowsScrollBar(list)) return;
        Scroll(list, static_cast<int>(where), 0);
        Scroll(list, SB_ENDSCROLL, 0);
    }
    // The thumb's moves, then its release, each with the position in 16 bits as the scroll bar
    // sends it. The scroll bar's tracking position, which the list reads whole, is the thumb's
    // position set on the real scroll bar: with no drag on, the tracking position is the
    // position. (The scroll bar's own drag loop is not run.) The moves come in one go, as in a
    // quick drag: what the window posts meanwhile runs after the release.
    void DragListThumb(HostedControl& control, int position) override {
        const HWND list = Host(control).ListBox().hWnd();
        if (!ShowsScrollBar(list)) return;
        const auto from = static_cast<int>(::SendMessageW(list, LB_GETTOPINDEX, 0, 0));
        for (int step = 1; step <= kThumbSteps; ++step) {
            const int at =
                from + static_cast<int>(std::int64_t{position - from} * step / kThumbSteps);
            MoveThumb(list, at);
            Send(list, SB_THUMBTRACK, at);
        }
        MoveThumb(list, position);
        Send(list, SB_THUMBPOSITION, position);
        Scroll(list, SB_ENDSCROLL, 0);
    }
    void ClickOnForm(float x, float y, std::int16_t button) override {
        MouseDown(form_.hWnd(), x, y, button);
        MouseUp(form_.hWnd(), x, y, button);
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

    void ClickOnListHeader(HostedControl& control) override {
        const HWND list = Host(control).ListBox().hWnd();
        ::RECT frame{};
        ::GetWindowRect(list, &frame);
        ::POINT client{0, 0};
        ::ClientToScreen(list, &client);
        // The band ends where the client area starts; its middle is a few pixels above that.
        const ::POINT at{(frame.left + frame.right) / 2, (frame.top + client.y) / 2};
        const LPARAM point = MAKELPARAM(at.x, at.y);
        const auto hit = static_cast<WPARAM>(::SendMessageW(list, WM_NCHITTEST, 0, point));
        ::SendMessageW(list, WM_NCLBUTTONDOWN, hit, point);
        ::SendMessageW(list, WM_NCLBUTTONUP, hit, point);
        Pump();
    }

    void ActivateOtherWindow() override {
        if (other_ == nullptr) {
            other_ = ::CreateWindowExW(
                0, L"STATIC", L"Another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                ::GetSystemMetrics(SM_CXSCREEN) - kOtherWidth, 0, kOtherWidth, kOtherHeight,
                nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        }
        ::SetForegroundWindow(other_);
        ::SetActiveWindow(other_);
        Pump();
    }

    std::string EditText(HostedControl& control) override {
        return win32::Narrow(win32::WindowText(Host(control).TextBox().hWnd()));
    }
    int SelStart(HostedControl& control) override { return Selection(control).first; }
    int SelLength(HostedControl& control) override {
        const auto [start, end] = Selection(control);
        return end - start;
    }
    // The form's focus: while another window is active, where it returns to.
    bool EditHasFocus(HostedControl& control) override {
        return form_.FocusedWindow() == Host(control).TextBox().hWnd();
    }
    bool ListVisible(HostedControl& control) override {
        return ::IsWindowVisible(Host(control).ListBox().hWnd()) != FALSE;
    }
    RECT ListScreenRect(HostedControl& control) override {
        return WindowRect(Host(control).ListBox().hWnd());
    }
    int ListSelection(HostedControl& control) override { return Ask(control, LB_GETCURSEL); }
    int ListTopIndex(HostedControl& control) override { return Ask(control, LB_GETTOPINDEX); }
    RECT ControlScreenRect(HostedControl& control) override {
        return WindowRect(Host(control).UserControl().hWnd());
    }
    COLORREF ControlPixel(HostedControl& control, int x, int y) override {
        Pump();
        HWND window = Host(control).UserControl().hWnd();
        HDC dc = ::GetDC(window);
        const COLORREF pixel = ::GetPixel(dc, x, y);
        ::ReleaseDC(window, dc);
        return pixel;
    }

    int ListWindowCount(HostedControl& control) override { return Ask(control, LB_GETCOUNT); }
    void HoldIdleSteps(bool held) override { gIdleStepsHeld = held; }
    void RunIdleSteps(ColumnPick& control) override {
        const bool held = std::exchange(gIdleStepsHeld, false);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (ColumnPickProbe(control).ListGrowing() && std::chrono::steady_clock::now() < end) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            Pump();
        }
        gIdleStepsHeld = held;
    }
    std::vector<MessageBoxRecord> MessageBoxes() override {
        std::vector<MessageBoxRecord> boxes;
        for (const auto& call : boxes_.Calls())
            boxes.push_back({call.prompt, call.style, call.caption});
        return boxes;
    }

private:
    HostedControl& Place(const Factory& factory, const win32::Placement& at, PropertyBag* saved) {
        HostedControl* made = nullptr;
        auto& host = form_.AddControl(
            [&](const ControlSite& site) {
                std::unique_ptr<HostedControl> control = factory(site);
                made = control.get();
                return control;
            },
            at, saved);
        hosts_[made] = &host;
        return *made;
    }
    win32::ControlHost& Host(HostedControl& control) { return *hosts_.at(&control); }
    // The list window's answer to a question without arguments.
    int Ask(HostedControl& control, UINT question) {
        return static_cast<int>(::SendMessageW(Host(control).ListBox().hWnd(), question, 0, 0));
    }

    static RECT WindowRect(HWND hWnd) {
        RECT r;
        cp::GetWindowRect(hWnd, &r);
        return r;
    }

    // Keys to `to`, or to the focus when it is null.
    void Type(HWND to, std::string_view utf8) {
        for (std::size_t offset = 0; offset < utf8.size();) {
            const std::size_t start = offset;
            const char32_t c = utf8::Next(utf8, offset);
            const KeyForCharacter key = KeyOf(c);
            const std::wstring units = win32::Widen(utf8.substr(start, offset - start));
            Stroke(to, key.keyCode, key.shift, std::u16string(units.begin(), units.end()));
        }
    }
    void Press(HWND to, std::int16_t keyCode, std::int16_t shift) {
        const bool alt = (shift & vbAltMask) != 0;
        Stroke(to, keyCode, shift, alt ? std::u16string() : CharacterOf(keyCode, shift));
    }

    // Key down, the character's UTF-16 units, key up: to `to`, which it goes up at too, or to
    // the focus when it is null.
    void Stroke(HWND to, std::int16_t keyCode, std::int16_t shift, std::u16string_view character) {
        HWND target = to != nullptr ? to : ::GetFocus();
        if (target == nullptr) return;
        const HeldModifiers held(shift);
        const bool alt = (shift & vbAltMask) != 0;
        const LPARAM lParam = KeyLParam(keyCode) | (alt ? kContextBit : 0);
        const auto key = static_cast<WPARAM>(static_cast<std::uint16_t>(keyCode));
        ::SendMessageW(target, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, lParam);
        // The character was made when the key went down, for the window that it went to.
        for (char16_t unit : character)
            ::SendMessageW(target, WM_CHAR, unit, lParam);
        if (HWND now = to != nullptr ? to : ::GetFocus()) {
            ::SendMessageW(now, alt ? WM_SYSKEYUP : WM_KEYUP, key, lParam | kKeyUpBits);
        }
        Pump();
    }

    void MouseDown(HWND hWnd, float x, float y, std::int16_t button) {
        if (!Reaches(hWnd)) return;
        buttons_ |= button;
        ::SendMessageW(hWnd, ButtonMessage(button, false), HeldFlags(buttons_), PointLParam(x, y));
        Pump();
    }
    void MouseMove(HWND hWnd, float x, float y) {
        if (!Reaches(hWnd)) return;
        ::SendMessageW(hWnd, WM_MOUSEMOVE, HeldFlags(buttons_), PointLParam(x, y));
        Pump();
    }
    void MouseUp(HWND hWnd, float x, float y, std::int16_t button) {
        buttons_ &= static_cast<std::int16_t>(~button);
        if (!Reaches(hWnd)) return;
        ::SendMessageW(hWnd, ButtonMessage(button, true), HeldFlags(buttons_), PointLParam(x, y));
        Pump();
    }

    static bool ShowsScrollBar(HWND list) {
        return Reaches(list) && (::GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL) != 0;
    }
    static void MoveThumb(HWND list, int position) {
        ::SCROLLINFO info{sizeof(::SCROLLINFO), SIF_POS, 0, 0, 0, position, 0};
        ::SetScrollInfo(list, SB_VERT, &info, FALSE);
    }
    static void Send(HWND list, int request, int position) {
        ::SendMessageW(list, WM_VSCROLL,
                       MAKEWPARAM(static_cast<WORD>(request), static_cast<WORD>(position)), 0);
    }
    static void Scroll(HWND list, int request, int position) {
        Send(list, request, position);
        Pump();
    }

    std::pair<int, int> Selection(HostedControl& control) {
        ::DWORD start = 0, end = 0;
        cp::SendMessage(Host(control).TextBox().hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }

    MessageBoxWatch boxes_;                                      // answers every box with OK
    std::vector<std::unique_ptr<win32::PropertyStore>> stores_;  // one per control
    win32::Form form_;                                           // the scene
    std::map<HostedControl*, win32::ControlHost*> hosts_;        // each control's host
    std::int16_t buttons_ = 0;  // mouse buttons held (1 left, 2 right, 4 middle)
    HWND other_ = nullptr;      // another top-level window
};

}  // namespace

bool EditFieldsHangAcrossThreads() {
    // Wine's own loader answers to this name; Windows' does not.
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<Win32Driver>();
}

}  // namespace cp::test
