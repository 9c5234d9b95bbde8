#include "platform/win32/WindowSize.h"

#include <algorithm>

#include "platform/Twips.h"
#include "platform/win32/WindowsApi.h"

namespace cp::win32 {
namespace {

::RECT WindowRect(HWND hWnd) {
    ::RECT r{};
    ::GetWindowRect(hWnd, &r);
    return r;
}

void Resize(HWND hWnd, int width, int height) {
    ::SetWindowPos(hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

float WindowWidth(HWND hWnd) {
    const ::RECT r = WindowRect(hWnd);
    return TwipsFromPixels(r.right - r.left);
}

float WindowHeight(HWND hWnd) {
    const ::RECT r = WindowRect(hWnd);
    return TwipsFromPixels(r.bottom - r.top);
}

void SetWindowWidth(HWND hWnd, float twips) {
    const ::RECT r = WindowRect(hWnd);
    Resize(hWnd, std::max(0, PixelsFromTwips(twips)), r.bottom - r.top);
}

void SetWindowHeight(HWND hWnd, float twips) {
    const ::RECT r = WindowRect(hWnd);
    Resize(hWnd, r.right - r.left, std::max(0, PixelsFromTwips(twips)));
}

}  // namespace cp::win32
