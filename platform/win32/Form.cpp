#include "platform/win32/Form.h"

#include "platform/HostForm.h"
#include "platform/win32/HostRuntime.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"

namespace cp::win32 {
namespace {

// The form's place on the screen and the size of its client area, in pixels.
constexpr int kFormLeft = 32;
constexpr int kFormTop = 32;
constexpr int kClientWidth = 720;
constexpr int kClientHeight = 540;

void RegisterWindowClass(::WNDPROC proc) {
    static const bool registered = [proc] {
        ::WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kFormClass;
        return ::RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

Form::Form(std::string_view caption) {
    RegisterWindowClass(&Form::Proc);
    constexpr ::DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    ::RECT frame{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    hWnd_ = ::CreateWindowExW(0, kFormClass, Widen(caption).c_str(), style, kFormLeft, kFormTop,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              ::GetModuleHandleW(nullptr), this);
    const RECT field = form::TextFieldRect(kClientHeight);
    textField_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, field.left,
                                   field.top, field.right - field.left, field.bottom - field.top,
                                   hWnd_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(hWnd_, SW_SHOW);
    ::UpdateWindow(hWnd_);
    ::SetForegroundWindow(hWnd_);
    ::SetFocus(textField_);
}

Form::~Form() {
    // The windows go first, as when a form is unloaded; a list still open is closed by the
    // form's destruction, and asks in vain for the focus.
    for (auto& control : controls_) {
        control->BeginUnload();
    }
    if (hWnd_ != nullptr) ::DestroyWindow(hWnd_);
    for (auto& control : controls_) {
        control->Terminate();
    }
    controls_.clear();
}

HWND Form::FocusedWindow() const {
    HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(hWnd_, focus)) return focus;
    return ::GetActiveWindow() == hWnd_ ? nullptr : lastFocus_;
}

ControlHost& Form::AddControl(const ControlFactory& factory, const Placement& at,
                              PropertyBag* saved) {
    controls_.push_back(std::make_unique<ControlHost>(hWnd_, at));
    ControlHost& control = *controls_.back();
    control.Load(factory, saved);
    return control;
}

LRESULT CALLBACK Form::Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const ::CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Form*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (self == nullptr || self->hWnd_ != hWnd) return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    return self->Handle(uMsg, wParam, lParam);
}

LRESULT Form::Handle(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    HWND hWnd = hWnd_;
    switch (uMsg) {
        case WM_ACTIVATE:
            return Activate(wParam, lParam);
        case WM_SETFOCUS:
            // The form itself takes no keys: the focus goes on to the window that had it.
            if (lastFocus_ != nullptr && ::IsChild(hWnd_, lastFocus_)) ::SetFocus(lastFocus_);
            return 0;
        case WM_SETCURSOR:
            if (ShowScreenMousePointer()) return TRUE;
            break;
        case WM_NCDESTROY:
            hWnd_ = nullptr;
            break;
        default:
            break;
    }
    return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

LRESULT Form::Activate(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(hWnd_, focus)) lastFocus_ = focus;
        return 0;
    }
    if (lastFocus_ != nullptr && ::IsChild(hWnd_, lastFocus_) && !::IsIconic(hWnd_)) {
        ::SetFocus(lastFocus_);
        return 0;
    }
    return ::DefWindowProcW(hWnd_, WM_ACTIVATE, wParam, lParam);
}

}  // namespace cp::win32
