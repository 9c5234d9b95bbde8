#include "tests/win32/RealControl.h"

#include "control/Startup.h"
#include "platform/win32/WindowsApi.h"

namespace cp::test {
namespace {

constexpr DWORD kPatienceMs = 1000;

}  // namespace

RealControl::RealControl(const win32::Placement& at) {
    static thread_local const bool started = [] {
        ComponentStart();
        return true;
    }();
    (void)started;
    // The real pointer waits in a corner, away from every window of the scene, so that the
    // window system synthesises no movement over them.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
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

}  // namespace cp::test
