#include "tests/component/AtlContainer.h"

namespace cp::test {
namespace {

constexpr int kRowPixels = 15;
constexpr LPARAM kContextBit = LPARAM{1} << 29;
constexpr LPARAM kReleaseBits = LPARAM{3} << 30;

using AtlAxWinInit = BOOL(WINAPI*)();
using AtlAxGetControl = HRESULT(WINAPI*)(HWND, IUnknown**);

}  // namespace

AtlContainer::AtlContainer() {
    atl_ = ::LoadLibraryW(L"atl.dll");
    EXPECT_NE(atl_, nullptr);
    const auto init = reinterpret_cast<AtlAxWinInit>(
        reinterpret_cast<void*>(::GetProcAddress(atl_, "AtlAxWinInit")));
    const auto get = reinterpret_cast<AtlAxGetControl>(
        reinterpret_cast<void*>(::GetProcAddress(atl_, "AtlAxGetControl")));
    // The host's window class is registered once per process.
    static const bool registered = init && init();
    EXPECT_TRUE(get && registered);
    form = ::CreateWindowExW(0, L"STATIC", L"Container", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                             420, 300, nullptr, nullptr, nullptr, nullptr);
    other = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 200, 120,
                              22, form, nullptr, nullptr, nullptr);
    host = ::CreateWindowExW(0, L"AtlAxWin", L"ColumnPick.ColumnPick", WS_CHILD | WS_VISIBLE, 10,
                             10, 240, 21, form, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(form);
    Pump();
    if (get) get(host, control.GetAddressOf());
}

AtlContainer::~AtlContainer() {
    control.Reset();
    if (::IsWindow(form)) ::DestroyWindow(form);
    Pump();
}

ComPtr<IDispatch> AtlContainer::Dispatch() {
    return As<IDispatch>(control.Get());
}

HWND AtlContainer::ControlWindow() {
    ComPtr<IOleWindow> window;
    HWND hWnd = nullptr;
    if (SUCCEEDED(control.As(&window))) window->GetWindow(&hWnd);
    return hWnd;
}

HWND AtlContainer::Edit() {
    return ::FindWindowExW(ControlWindow(), nullptr, L"Edit", nullptr);
}

std::wstring AtlContainer::EditText() {
    return win32::WindowText(Edit());
}

void AtlContainer::Key(WORD key, bool alt, wchar_t typed) {
    HWND focus = ::GetFocus();
    const LPARAM scan = 1 | (static_cast<LPARAM>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16);
    const LPARAM altBit = alt ? kContextBit : 0;
    ::PostMessageW(focus, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, scan | altBit);
    if (typed != 0) ::PostMessageW(focus, WM_CHAR, typed, scan);
    ::PostMessageW(focus, alt ? WM_SYSKEYUP : WM_KEYUP, key, scan | altBit | kReleaseBits);
    Loop();
}

void AtlContainer::Type(const wchar_t* text) {
    for (const wchar_t* c = text; *c; ++c)
        Key(static_cast<WORD>(::VkKeyScanW(*c) & 0xFF), false, *c);
}

void AtlContainer::Loop() {
    ComPtr<IOleInPlaceActiveObject> active;
    control.As(&active);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (active && active->TranslateAccelerator(&msg) == S_OK) continue;
        ::DispatchMessageW(&msg);
    }
}

HWND AtlContainer::List() {
    return ::FindWindowW(L"ThunderRT6ListBox", nullptr);
}

void AtlContainer::ClickRow(int row) {
    const LPARAM at = MAKELPARAM(20, row * kRowPixels + 7);
    ::SendMessageW(List(), WM_MOUSEMOVE, 0, at);
    ::SendMessageW(List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(List(), WM_LBUTTONUP, 0, at);
    Loop();
}

}  // namespace cp::test
