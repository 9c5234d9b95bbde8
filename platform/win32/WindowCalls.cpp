// Messages, window geometry, styles, window procedures, properties and hooks: each operation
// is the wide Win32 call of the same name. Positions of the edit-field selection messages are
// converted between code points and UTF-16 units, because the control counts characters.
#include <array>

#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"

namespace cp {
namespace {

// The buffer size that the callers of GetClassName use.
constexpr int kClassNameBuffer = 128;

// EM_SETSEL with start and end in code points; -1 keeps its meaning.
LRESULT SetEditSelection(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    const std::wstring text = win32::WindowText(hWnd);
    auto toUnits = [&](std::intptr_t position) {
        return position < 0 ? position
                            : static_cast<std::intptr_t>(win32::UnitsFromCodePoints(
                                  text, static_cast<std::size_t>(position)));
    };
    return ::SendMessageW(hWnd, EM_SETSEL,
                          static_cast<WPARAM>(toUnits(static_cast<std::int32_t>(wParam))),
                          toUnits(static_cast<std::int32_t>(lParam)));
}

// EM_GETSEL answering in code points, through the pointers and in the result.
LRESULT GetEditSelection(HWND hWnd, WPARAM wParam, LPARAM lParam) {
    ::DWORD start = 0;
    ::DWORD end = 0;
    ::SendMessageW(hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    const std::wstring text = win32::WindowText(hWnd);
    start = static_cast<::DWORD>(win32::CodePointsFromUnits(text, start));
    end = static_cast<::DWORD>(win32::CodePointsFromUnits(text, end));
    if (wParam != 0) *reinterpret_cast<::DWORD*>(wParam) = start;
    if (lParam != 0) *reinterpret_cast<::DWORD*>(lParam) = end;
    return start > 0xFFFF || end > 0xFFFF ? -1 : static_cast<LRESULT>(MAKELONG(start, end));
}

}  // namespace

LRESULT SendMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == EM_SETSEL) return SetEditSelection(hWnd, wParam, lParam);
    if (uMsg == EM_GETSEL) return GetEditSelection(hWnd, wParam, lParam);
    return ::SendMessageW(hWnd, uMsg, wParam, lParam);
}

HWND GetParent(HWND hWnd) {
    return ::GetParent(hWnd);
}

HWND SetParent(HWND hWnd, HWND hWndNewParent) {
    return ::SetParent(hWnd, hWndNewParent);
}

BOOL GetWindowRect(HWND hWnd, RECT* lpRect) {
    ::RECT r{};
    const BOOL ok = ::GetWindowRect(hWnd, &r);
    if (ok) *lpRect = RECT{r.left, r.top, r.right, r.bottom};
    return ok;
}

LONG_PTR GetWindowLong(HWND hWnd, int nIndex) {
    return ::GetWindowLongPtrW(hWnd, nIndex);
}

LONG_PTR SetWindowLong(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return ::SetWindowLongPtrW(hWnd, nIndex, dwNewLong);
}

WNDPROC GetWindowProc(HWND hWnd) {
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
}

WNDPROC SubclassWindow(HWND hWnd, WNDPROC lpfnWndProc) {
    return reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(lpfnWndProc)));
}

LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(lpPrevWndFunc, hWnd, uMsg, wParam, lParam);
}

BOOL GetScrollInfo(HWND hWnd, int nBar, SCROLLINFO* lpsi) {
    return lpsi != nullptr && ::GetScrollInfo(hWnd, nBar, reinterpret_cast<::SCROLLINFO*>(lpsi));
}

std::string GetClassName(HWND hWnd) {
    std::array<wchar_t, kClassNameBuffer> buffer{};
    const int length = ::GetClassNameW(hWnd, buffer.data(), kClassNameBuffer);
    return win32::Narrow(std::wstring_view(buffer.data(), length > 0 ? length : 0));
}

void NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild) {
    ::NotifyWinEvent(event, hWnd, idObject, idChild);
}

BOOL SetProp(HWND hWnd, const char* lpString, HANDLE hData) {
    return ::SetPropW(hWnd, win32::Widen(lpString).c_str(), hData);
}

HANDLE GetProp(HWND hWnd, const char* lpString) {
    return ::GetPropW(hWnd, win32::Widen(lpString).c_str());
}

HANDLE RemoveProp(HWND hWnd, const char* lpString) {
    return ::RemovePropW(hWnd, win32::Widen(lpString).c_str());
}

HHOOK SetWindowsHookEx(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId) {
    return ::SetWindowsHookExW(idHook, lpfn, hmod, dwThreadId);
}

LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
    return ::CallNextHookEx(hhk, nCode, wParam, lParam);
}

BOOL UnhookWindowsHookEx(HHOOK hhk) {
    return ::UnhookWindowsHookEx(hhk);
}

}  // namespace cp
