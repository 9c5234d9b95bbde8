#include "tests/support/win32/MessageBoxWatch.h"

#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"

namespace cp::test {
namespace {

constexpr std::wstring_view kDialogClass = L"#32770";
constexpr int kCriticalStyle = 16;
constexpr int kExclamationStyle = 48;

thread_local MessageBoxWatch* tWatch = nullptr;
thread_local HHOOK tHook = nullptr;

std::wstring ClassOf(HWND hWnd) {
    wchar_t name[64] = {};
    const int length = ::GetClassNameW(hWnd, name, 64);
    return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

int StyleOfIcon(HICON icon) {
    if (icon == nullptr) return 0;
    if (icon == ::LoadIconW(nullptr, IDI_HAND)) return kCriticalStyle;
    if (icon == ::LoadIconW(nullptr, IDI_EXCLAMATION)) return kExclamationStyle;
    return -1;
}

BOOL CALLBACK ReadChild(HWND child, LPARAM lParam) {
    auto& box = *reinterpret_cast<ShownMessageBox*>(lParam);
    // The box is not shown yet: a part's own style says whether it shows.
    const LONG style = ::GetWindowLongW(child, GWL_STYLE);
    if (::lstrcmpiW(ClassOf(child).c_str(), L"Static") != 0 || (style & WS_VISIBLE) == 0)
        return TRUE;
    if ((style & SS_TYPEMASK) == SS_ICON) {
        box.style = StyleOfIcon(reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0)));
    } else if (box.prompt.empty()) {
        box.prompt = win32::Narrow(win32::WindowText(child));
    }
    return TRUE;
}

// A box has its texts once its dialog procedure has answered WM_INITDIALOG.
LRESULT CALLBACK WatchHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && tWatch != nullptr && call->message == WM_INITDIALOG &&
        ClassOf(call->hwnd) == kDialogClass) {
        tWatch->Record(ReadMessageBox(call->hwnd));
        // The box's own loop takes the press once the box is up.
        ::PostMessageW(call->hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(call->hwnd, IDOK)));
    }
    return ::CallNextHookEx(tHook, code, wParam, lParam);
}

}  // namespace

MessageBoxWatch::MessageBoxWatch() : previous_(tWatch) {
    tWatch = this;
    if (tHook == nullptr)
        tHook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, &WatchHook, nullptr, ::GetCurrentThreadId());
}

MessageBoxWatch::~MessageBoxWatch() {
    tWatch = previous_;
    if (tWatch == nullptr && tHook != nullptr) {
        ::UnhookWindowsHookEx(tHook);
        tHook = nullptr;
    }
}

ShownMessageBox ReadMessageBox(void* window) {
    const auto hWnd = static_cast<HWND>(window);
    ShownMessageBox box;
    box.caption = win32::Narrow(win32::WindowText(hWnd));
    ::EnumChildWindows(hWnd, &ReadChild, reinterpret_cast<LPARAM>(&box));
    return box;
}

}  // namespace cp::test
