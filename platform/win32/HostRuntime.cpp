// The runtime's global facilities on Win32: message boxes, pending-message processing, the
// screen, the application, resources and the locale.
#include "platform/win32/HostRuntime.h"

#include <array>
#include <string>

#include "platform/HostErrors.h"
#include "platform/Twips.h"
#include "platform/win32/ModuleInstance.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"
#include "runtime/Conversions.h"
#include "runtime/Utf8.h"

namespace cp {
namespace {

// The caption of a box shown without a title of its own.
constexpr std::string_view kDefaultCaption = "ColumnPick";

thread_local int tMousePointer = vbDefault;  // Screen.MousePointer

// A bitmap resource; an empty picture holds no bitmap.
class BitmapPicture final : public Picture {
public:
    explicit BitmapPicture(HBITMAP bitmap) : bitmap_(bitmap) {}
    ~BitmapPicture() override {
        if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
    }
    HBITMAP Handle() const override { return bitmap_; }

private:
    HBITMAP bitmap_;  // owned
};

constexpr char32_t kFirstNonAscii = 0x80;
constexpr char32_t kFirstSupplementary = 0x10000;

// The locale's upper case of a character beyond the basic plane, when it is one character.
char32_t UpperCaseSupplementary(char32_t c) {
    const std::string one = [c] {
        std::string s;
        utf8::Append(s, c);
        return s;
    }();
    const std::wstring in = win32::Widen(one);
    std::wstring out = in;
    const int length = static_cast<int>(in.size());
    if (::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, in.c_str(), length, out.data(),
                       length) != length) {
        return c;
    }
    const std::string upper = win32::Narrow(out);
    std::size_t offset = 0;
    const char32_t mapped = utf8::Next(upper, offset);
    return offset == upper.size() ? mapped : c;
}

std::string LocaleDecimalSeparator() {
    // The locale allows at most three characters and the terminator.
    std::array<wchar_t, 4> buffer{};
    const int length = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer.data(),
                                        static_cast<int>(buffer.size()));
    if (length <= 1) return ".";
    return win32::Narrow(std::wstring_view(buffer.data(), static_cast<std::size_t>(length - 1)));
}

char32_t LocaleUpperCase(char32_t c) {
    if (c < kFirstNonAscii) return c >= U'a' && c <= U'z' ? c - (U'a' - U'A') : c;
    if (c >= kFirstSupplementary) return UpperCaseSupplementary(c);
    // Searches upper-case every character they compare: each one is asked of the locale once.
    thread_local std::unique_ptr<std::array<char16_t, kFirstSupplementary>> known;
    if (!known) known = std::make_unique<std::array<char16_t, kFirstSupplementary>>();
    char16_t& upper = (*known)[c];
    if (upper == 0) {
        wchar_t in = static_cast<wchar_t>(c);
        wchar_t out = in;
        ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, &in, 1, &out, 1);
        upper = static_cast<char16_t>(out);
    }
    return upper;
}

}  // namespace

namespace win32 {

bool ShowScreenMousePointer() {
    if (tMousePointer == vbDefault) return false;
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    return true;
}

}  // namespace win32

namespace host {

int MsgBox(std::string_view prompt, int buttons, std::optional<std::string_view> title) {
    // A real, modal box of this thread: every window of the thread waits for its answer, the
    // host's included, while their messages are still dispatched.
    return ::MessageBoxW(::GetActiveWindow(), win32::Widen(prompt).c_str(),
                         win32::Widen(title.value_or(kDefaultCaption)).c_str(),
                         static_cast<::UINT>(buttons) | MB_TASKMODAL);
}

void DoEvents() {
    ::MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The quit request belongs to the program's own message loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

float ScreenWidth() {
    return TwipsFromPixels(::GetSystemMetrics(SM_CXSCREEN));
}

float ScreenHeight() {
    return TwipsFromPixels(::GetSystemMetrics(SM_CYSCREEN));
}

int ScreenMousePointer() {
    return tMousePointer;
}

void SetScreenMousePointer(int pointer) {
    tMousePointer = pointer;
    if (!win32::ShowScreenMousePointer()) ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

HINSTANCE AppHInstance() {
    return win32::ModuleInstance();
}

std::uint32_t AppThreadID() {
    return ::GetCurrentThreadId();
}

std::unique_ptr<Picture> LoadResPicture(int id, int type) {
    CheckResourceKind(type);
    auto* bitmap = static_cast<HBITMAP>(
        ::LoadImageW(AppHInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    // A missing bitmap is an error for the caller to report, not a button without its arrow.
    if (bitmap == nullptr) RaiseResourceNotFound(id);
    return std::make_unique<BitmapPicture>(bitmap);
}

LocaleFacts Locale() {
    return {LocaleDecimalSeparator(), &LocaleUpperCase};
}

}  // namespace host
}  // namespace cp
