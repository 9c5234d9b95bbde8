// The runtime's global facilities on Win32: message boxes, pending-message processing, the
// screen, the application, resources and the locale.
#include "platform/win32/HostRuntime.h"

#include <array>

#include "platform/Conversions.h"
#include "platform/RuntimeError.h"
#include "platform/win32/MessageBoxes.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"

namespace cp {
namespace {

thread_local win32::MessageBoxAnswerer tAnswerer;  // set by tests; empty: real boxes
thread_local int tMousePointer = vbDefault;        // Screen.MousePointer

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

int ShowMessageBox(const win32::MessageBoxCall& call) {
    return ::MessageBoxW(::GetActiveWindow(), win32::Widen(call.prompt).c_str(),
                         win32::Widen(call.caption).c_str(),
                         static_cast<::UINT>(call.buttons) | MB_TASKMODAL);
}

}  // namespace

namespace win32 {

MessageBoxAnswerer SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
    std::swap(tAnswerer, answerer);
    return answerer;
}

MessageBoxRecorder::MessageBoxRecorder(int answer) : answer_(answer) {
    previous_ = SetMessageBoxAnswerer([this](const MessageBoxCall& call) {
        calls_.push_back(call);
        return answer_;
    });
}

MessageBoxRecorder::~MessageBoxRecorder() {
    SetMessageBoxAnswerer(std::move(previous_));
}

bool ShowScreenMousePointer() {
    if (tMousePointer == vbDefault) return false;
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    return true;
}

}  // namespace win32

namespace host {

int MsgBox(std::string_view prompt, int buttons, std::optional<std::string_view> title) {
    win32::MessageBoxCall call{std::string(prompt), buttons, {}, {}};
    if (title) call.title = std::string(*title);
    call.caption = title ? std::string(*title) : std::string(win32::kDefaultCaption);
    return tAnswerer ? tAnswerer(call) : ShowMessageBox(call);
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
    return static_cast<float>(::GetSystemMetrics(SM_CXSCREEN) * kTwipsPerPixel);
}

float ScreenHeight() {
    return static_cast<float>(::GetSystemMetrics(SM_CYSCREEN) * kTwipsPerPixel);
}

int ScreenMousePointer() {
    return tMousePointer;
}

void SetScreenMousePointer(int pointer) {
    tMousePointer = pointer;
    if (!win32::ShowScreenMousePointer()) ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

HINSTANCE AppHInstance() {
    return ::GetModuleHandleW(nullptr);
}

std::uint32_t AppThreadID() {
    return ::GetCurrentThreadId();
}

std::unique_ptr<Picture> LoadResPicture(int id, int type) {
    if (type != vbResBitmap) Raise(vberr::InvalidProcedureCall);
    // A missing bitmap gives an empty picture, which draws nothing.
    auto* bitmap = static_cast<HBITMAP>(
        ::LoadImageW(AppHInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    return std::make_unique<BitmapPicture>(bitmap);
}

std::string DecimalSeparator() {
    // The locale allows at most three characters and the terminator.
    std::array<wchar_t, 4> buffer{};
    const int length = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer.data(),
                                        static_cast<int>(buffer.size()));
    if (length <= 1) return ".";
    return win32::Narrow(std::wstring_view(buffer.data(), static_cast<std::size_t>(length - 1)));
}

std::string UpperCase(std::string_view text) {
    const std::wstring wide = win32::Widen(text);
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    const int needed =
        ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, wide.c_str(), length, nullptr, 0);
    std::wstring upper(static_cast<std::size_t>(needed), L'\0');
    ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, wide.c_str(), length, upper.data(),
                   needed);
    return win32::Narrow(upper);
}

}  // namespace host
}  // namespace cp
