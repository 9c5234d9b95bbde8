#include "sample/InputPlayer.h"

namespace cp::sample {
namespace {

constexpr DWORD kPatienceMs = 3000;
constexpr DWORD kQuietMs = 150;  // no message for this long: the input has been taken in
constexpr int kAbsoluteRange = 65536;
constexpr int kShiftNeeded = 1;  // in the high byte of VkKeyScan

}  // namespace

void InputPlayer::SendKey(WORD key, bool up) {
    ::INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
}

void InputPlayer::Key(WORD key, bool alt, bool shift) {
    if (alt) SendKey(VK_MENU, false);
    if (shift) SendKey(VK_SHIFT, false);
    SendKey(key, false);
    SendKey(key, true);
    if (shift) SendKey(VK_SHIFT, true);
    if (alt) SendKey(VK_MENU, true);
    Settle();
}

void InputPlayer::Type(std::string_view ascii) {
    for (char c : ascii) {
        const SHORT scan = ::VkKeyScanW(static_cast<wchar_t>(c));
        const auto key = static_cast<WORD>(scan & 0xFF);
        const bool shift = ((scan >> 8) & kShiftNeeded) != 0;
        if (shift) SendKey(VK_SHIFT, false);
        SendKey(key, false);
        SendKey(key, true);
        if (shift) SendKey(VK_SHIFT, true);
        Settle();
    }
}

void InputPlayer::SendMouse(DWORD flags) {
    ::INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

void InputPlayer::MoveTo(HWND hWnd, int x, int y) {
    ::POINT at{x, y};
    ::ClientToScreen(hWnd, &at);
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    ::INPUT input{};
    input.type = INPUT_MOUSE;
    // The middle of the pixel, in the absolute range of the screen.
    input.mi.dx = ((2 * at.x + 1) * kAbsoluteRange) / (2 * width);
    input.mi.dy = ((2 * at.y + 1) * kAbsoluteRange) / (2 * height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
    Settle();
}

void InputPlayer::Press() {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Settle();
}

void InputPlayer::Release() {
    SendMouse(MOUSEEVENTF_LEFTUP);
    Settle();
}

void InputPlayer::Click(HWND hWnd, int x, int y) {
    MoveTo(hWnd, x, y);
    Press();
    Release();
}

void InputPlayer::PumpOnce(DWORD waitMs) {
    // Waiting for the next message lets the window system draw what is pending on the screen.
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
    ::MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        form_.Dispatch(msg);
    }
}

bool InputPlayer::WaitUntil(const std::function<bool()>& done) {
    const DWORD start = ::GetTickCount();
    PumpOnce(0);
    while (!done()) {
        const DWORD spent = ::GetTickCount() - start;
        if (spent >= kPatienceMs) return false;
        PumpOnce(kPatienceMs - spent);
    }
    return true;
}

void InputPlayer::Settle() {
    const DWORD start = ::GetTickCount();
    DWORD quietSince = start;
    while (::GetTickCount() - quietSince < kQuietMs && ::GetTickCount() - start < kPatienceMs) {
        ::MSG msg{};
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            PumpOnce(0);
            quietSince = ::GetTickCount();
        } else {
            PumpOnce(kQuietMs);
        }
    }
}

}  // namespace cp::sample
