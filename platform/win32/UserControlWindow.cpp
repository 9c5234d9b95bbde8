#include "platform/win32/UserControlWindow.h"

#include <algorithm>

#include "platform/win32/ControlHost.h"
#include "platform/win32/HostRuntime.h"
#include "platform/win32/InputArgs.h"
#include "platform/win32/ModuleInstance.h"
#include "platform/win32/WindowSize.h"
#include "platform/win32/WindowsApi.h"
#include "runtime/ScreenUnits.h"

namespace cp::win32 {
namespace {

void RegisterWindowClass(::WNDPROC proc) {
    static const bool registered = [proc] {
        ::WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        // One device context for the window's life: the control draws through hDC at any time.
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = proc;
        wc.hInstance = ModuleInstance();
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kUserControlClass;
        return ::RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

UserControlWindow::~UserControlWindow() {
    Destroy();
}

void UserControlWindow::Destroy() {
    if (hWnd_ != nullptr && ::IsWindow(hWnd_)) ::DestroyWindow(hWnd_);
    hWnd_ = nullptr;
}

void UserControlWindow::Create(HWND form, const Placement& at) {
    RegisterWindowClass(&UserControlWindow::Proc);
    hWnd_ = ::CreateWindowExW(
        0, kUserControlClass, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
        PixelsFromTwips(at.left), PixelsFromTwips(at.top), PixelsFromTwips(at.width),
        PixelsFromTwips(at.height), form, nullptr, ModuleInstance(), this);
    // No window, no device context: the screen's is not the control's to keep.
    hDC_ = hWnd_ != nullptr ? ::GetDC(hWnd_) : nullptr;
}

float UserControlWindow::Width() {
    return WindowWidth(hWnd_);
}

void UserControlWindow::SetWidth(float twips) {
    host_.Put([&] { SetWindowWidth(hWnd_, twips); });
}

float UserControlWindow::Height() {
    return WindowHeight(hWnd_);
}

void UserControlWindow::SetHeight(float twips) {
    host_.Put([&] { SetWindowHeight(hWnd_, twips); });
}

bool UserControlWindow::Enabled() {
    return ::IsWindowEnabled(hWnd_) != FALSE;
}

void UserControlWindow::SetEnabled(bool enabled) {
    host_.Put([&] { ::EnableWindow(hWnd_, enabled ? TRUE : FALSE); });
}

void UserControlWindow::SetBackColor(OLE_COLOR color) {
    backColor_ = color;
    ::InvalidateRect(hWnd_, nullptr, TRUE);
}

HWND UserControlWindow::ParentHwnd() {
    // The form is the top-level window around the control, also when a container holds it in
    // a window of its own.
    return ::GetAncestor(host_.Form(), GA_ROOT);
}

void UserControlWindow::PropertyChanged(std::string_view key) {
    if (host_.Holder() != nullptr) host_.Holder()->PropertyChanged(key);
}

std::unique_ptr<ThreadPost> UserControlWindow::MakeThreadPost(std::function<void()> deliver) {
    // A delivery is one more way into the control: a host that lets go of it meanwhile ends it
    // once the delivery is over.
    return host::MakeThreadPost([this, deliver = std::move(deliver)] {
        const CallFrames::Frame frame(host_.Frames());
        deliver();
    });
}

std::unique_ptr<IdleStep> UserControlWindow::MakeIdleStep(std::function<void()> step) {
    // A step is one more way into the control, kept whole as a delivery is.
    return host::MakeIdleStep([this, step = std::move(step)] {
        const CallFrames::Frame frame(host_.Frames());
        step();
    });
}

bool UserControlWindow::AmbientUserMode() {
    return host_.Holder() == nullptr || host_.Holder()->AmbientUserMode();
}

LRESULT CALLBACK UserControlWindow::Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const ::CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<UserControlWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (self == nullptr || self->hWnd_ != hWnd) return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    const CallFrames::Frame frame(self->host_.Frames());
    return self->Handle(uMsg, wParam, lParam);
}

LRESULT UserControlWindow::Handle(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (host_.RefusesInput(uMsg)) return 0;
    switch (uMsg) {
        case WM_SIZE:
            if (resizing_) host_.Deliver([](HostedControl& c) { c.UserControl_Resize(); });
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            EraseBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_COMMAND:
            Command(wParam, lParam);
            return 0;
        case WM_MEASUREITEM:
            reinterpret_cast<::MEASUREITEMSTRUCT*>(lParam)->itemHeight =
                static_cast<::UINT>(CurrentScreenUnits().rowPixels);
            return TRUE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == host_.TextBox().hWnd()) {
                return reinterpret_cast<LRESULT>(
                    host_.TextBox().Colors(reinterpret_cast<HDC>(wParam)));
            }
            break;
        case WM_CTLCOLORLISTBOX:
            if (reinterpret_cast<HWND>(lParam) == host_.ListBox().hWnd()) {
                return reinterpret_cast<LRESULT>(
                    host_.ListBox().Background(reinterpret_cast<HDC>(wParam)));
            }
            break;
        case WM_KILLFOCUS:
            host_.FocusLeaving(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_SETCURSOR:
            if (ShowScreenMousePointer()) return TRUE;
            break;
        case WM_GETOBJECT:
            if (const auto answer = host_.Readers().Answer(hWnd_, wParam, lParam)) return *answer;
            break;
        case WM_DESTROY:
            // A container that destroys its window takes the control's with it: from now on
            // the control's requests for the focus have nowhere to go.
            host_.BeginUnload();
            break;
        default:
            if (HandleMouse(uMsg, wParam, lParam)) return 0;
            break;
    }
    return ::DefWindowProcW(hWnd_, uMsg, wParam, lParam);
}

bool UserControlWindow::HandleMouse(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const MouseArgs m = MouseArgsOf(uMsg, wParam, lParam);
    if (m.action == MouseAction::None) return false;
    // The control sees the pointer from a press until the last button is released, wherever
    // it goes.
    if (m.action == MouseAction::Down) ::SetCapture(hWnd_);
    const bool lastRelease = (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0;
    if (m.action == MouseAction::Up && lastRelease && ::GetCapture() == hWnd_) ::ReleaseCapture();
    host_.Deliver([&](HostedControl& c) { NotifyMouse(c, MouseTarget::Control, m); });
    return true;
}

void UserControlWindow::Command(WPARAM wParam, LPARAM lParam) {
    const auto from = reinterpret_cast<HWND>(lParam);
    const auto code = HIWORD(wParam);
    if (from == host_.TextBox().hWnd() && (code == EN_SETFOCUS || code == EN_KILLFOCUS)) {
        if (host_.Holder() != nullptr) host_.Holder()->FocusChanged(code == EN_SETFOCUS);
    } else if (from == host_.TextBox().hWnd() && code == EN_CHANGE &&
               !host_.TextBox().TakingHalfCharacter()) {
        host_.Deliver([](HostedControl& c) { c.txtTextBox_Change(); });
    } else if (from == host_.ListBox().hWnd() && code == LBN_SELCHANGE &&
               host_.ListBox().PressChangedSelection()) {
        host_.Deliver([](HostedControl& c) { c.lstListBox_Click(); });
    }
}

void UserControlWindow::Paint() {
    ::PAINTSTRUCT ps{};
    HDC hdc = ::BeginPaint(hWnd_, &ps);
    host_.Deliver([](HostedControl& c) { c.UserControl_Paint(); });
    // The line objects are drawn over the control's own drawing, as windowless shapes are.
    for (const auto& line : host_.Lines()) {
        line.Draw(hdc);
    }
    ::EndPaint(hWnd_, &ps);
}

void UserControlWindow::EraseBackground(HDC hdc) {
    ::RECT client{};
    ::GetClientRect(hWnd_, &client);
    HBRUSH brush = ::CreateSolidBrush(ColorFromOle(backColor_));
    ::FillRect(hdc, &client, brush);
    ::DeleteObject(brush);
}

}  // namespace cp::win32
