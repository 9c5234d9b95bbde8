#include "tests/win32/RealControl.h"

#include "platform/win32/WindowsApi.h"
#include "reports/Startup.h"

namespace cp::test {
namespace {

constexpr DWORD kPatienceMs = 1000;

}  // namespace

RealControl::RealControl(const win32::Placement& at, const wchar_t* label) {
    static thread_local const bool started = (ComponentStart(), true);
    (void)started;
    // The real pointer waits in a corner, away from every window of the scene, so that the
    // window system synthesises no movement over them.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    if (label != nullptr) {
        ::CreateWindowExW(0, L"STATIC", label, WS_CHILD | WS_VISIBLE, 10, 10, 60, 16, form.hWnd(),
                          nullptr, nullptr, nullptr);
    }
    host_ = &form.AddControl(
        [this](const ControlSite& site) {
            auto made = std::make_unique<ColumnPick>(site);
            control_ = made.get();
            return std::unique_ptr<HostedControl>(std::move(made));
        },
        at, &store);
    control_->SetEventSink(&events);
    Pump();
}

void RealControl::FillNumbered(int rows) {
    std::string items;
    for (int i = 0; i < rows; ++i)
        items += (i == 0 ? "" : ";") + std::string(i < 10 ? "r0" : "r") + std::to_string(i);
    control_->ColumnWidths("1500");
    control_->AddList(items);
}

void Pump() {
    host::DoEvents();
}

bool PumpUntil(const std::function<bool()>& done) {
    const DWORD start = ::GetTickCount();
    Pump();
    while (!done()) {
        const DWORD spent = ::GetTickCount() - start;
        if (spent >= kPatienceMs) return false;
        // Waits for the next message, not for a time.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPatienceMs - spent, QS_ALLINPUT);
        Pump();
    }
    return true;
}

COLORREF PixelAt(HWND hWnd, int x, int y) {
    HDC dc = ::GetDC(hWnd);
    const COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(hWnd, dc);
    return color;
}

void SendKey(WORD key, bool up) {
    ::INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki = {key, static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC)),
                up ? KEYEVENTF_KEYUP : 0u, 0, 0};
    ::SendInput(1, &input, sizeof(input));
}

void PressKey(WORD key) {
    SendKey(key, false);
    SendKey(key, true);
}

void PressAltDown() {
    SendKey(VK_MENU, false);
    PressKey(VK_DOWN);
    SendKey(VK_MENU, true);
}

void TypeKeys(std::string_view letters) {
    for (const char c : letters)
        PressKey(static_cast<WORD>(::VkKeyScanW(static_cast<wchar_t>(c)) & 0xFF));
}

}  // namespace cp::test
