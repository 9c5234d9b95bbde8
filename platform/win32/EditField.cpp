#include "platform/win32/EditField.h"

#include <algorithm>
#include <utility>

#include "platform/KeyInput.h"
#include "platform/win32/ControlHost.h"
#include "platform/win32/HostRuntime.h"
#include "platform/win32/InputArgs.h"
#include "platform/win32/ScreenDensity.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WindowSize.h"
#include "platform/win32/WindowsApi.h"
#include "runtime/RuntimeError.h"

namespace cp::win32 {
namespace {

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

// A window can take the focus when it and every window around it are shown and enabled.
bool CanTakeFocus(HWND hWnd) {
    if (!::IsWindowVisible(hWnd)) return false;
    for (HWND w = hWnd; w != nullptr; w = ::GetAncestor(w, GA_PARENT)) {
        if (w == ::GetDesktopWindow()) break;
        if (!::IsWindowEnabled(w)) return false;
    }
    return true;
}

}  // namespace

EditField::~EditField() {
    if (brush_ != nullptr) ::DeleteObject(brush_);
}

void EditField::Create(HWND parent) {
    hWnd_ =
        ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                          PixelsFromTwips(design::kEditLeft), PixelsFromTwips(design::kEditTop),
                          PixelsFromTwips(design::kEditWidth), PixelsFromTwips(design::kEditHeight),
                          parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(hWnd_, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont()), FALSE);
    ::SetWindowLongPtrW(hWnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    editProc_ = SubclassWindow(hWnd_, &EditField::Proc);
}

void EditField::SetFont(HFONT font) {
    ::SendMessageW(hWnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

std::string EditField::Text() {
    return Narrow(WindowText(hWnd_));
}

void EditField::SetText(std::string_view text) {
    const std::wstring wide = Widen(text);
    // The edit sends its change notification before WM_SETTEXT returns.
    host_.Put([&] { ::SetWindowTextW(hWnd_, wide.c_str()); });
}

std::int32_t EditField::SelStart() {
    ::DWORD start = 0;
    ::SendMessageW(hWnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<std::int32_t>(CodePointsFromUnits(WindowText(hWnd_), start));
}

bool EditField::Locked() {
    return (::GetWindowLongPtrW(hWnd_, GWL_STYLE) & ES_READONLY) != 0;
}

void EditField::SetLocked(bool locked) {
    ::SendMessageW(hWnd_, EM_SETREADONLY, locked ? TRUE : FALSE, 0);
}

bool EditField::Enabled() {
    return ::IsWindowEnabled(hWnd_) != FALSE;
}

void EditField::SetEnabled(bool enabled) {
    host_.Put([&] { ::EnableWindow(hWnd_, enabled ? TRUE : FALSE); });
}

void EditField::SetBackColor(OLE_COLOR color) {
    backColor_ = color;
    if (brush_ != nullptr) ::DeleteObject(std::exchange(brush_, nullptr));
    ::InvalidateRect(hWnd_, nullptr, TRUE);
}

void EditField::SetForeColor(OLE_COLOR color) {
    foreColor_ = color;
    ::InvalidateRect(hWnd_, nullptr, TRUE);
}

void EditField::SetWidth(float twips) {
    host_.Put([&] { SetWindowWidth(hWnd_, twips); });
}

void EditField::SetFocus() {
    if (host_.FocusRequestsIgnored()) return;
    if (!CanTakeFocus(hWnd_)) Raise(vberr::InvalidProcedureCall);
    host_.Put([&] { ::SetFocus(hWnd_); });
}

HBRUSH EditField::Colors(HDC hdc) {
    ::SetTextColor(hdc, ColorFromOle(foreColor_));
    ::SetBkColor(hdc, ColorFromOle(backColor_));
    if (brush_ == nullptr) brush_ = ::CreateSolidBrush(ColorFromOle(backColor_));
    return brush_;
}

LRESULT CALLBACK EditField::Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<EditField*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (self == nullptr || self->hWnd_ != hWnd) return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    // A handler of the key may close the host's dialog and let go of the control: the key is
    // still forwarded to the edit, and the control ends once the message is handled.
    const CallFrames::Frame frame(self->host_.Frames());
    return self->Handle(uMsg, wParam, lParam);
}

LRESULT EditField::Handle(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (host_.RefusesInput(uMsg)) return 0;
    switch (uMsg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return KeyDown(uMsg, wParam, lParam);
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return KeyUp(uMsg, wParam, lParam);
        case WM_CHAR:
            return KeyPress(uMsg, wParam, lParam);
        case WM_LBUTTONDBLCLK: {
            // The edit selects a word first; the control's handling comes after it.
            const LRESULT result = Forward(uMsg, wParam, lParam);
            host_.Deliver([](HostedControl& c) { c.txtTextBox_DblClick(); });
            return result;
        }
        case WM_KILLFOCUS: {
            const LRESULT result = Forward(uMsg, wParam, lParam);
            host_.FocusLeaving(reinterpret_cast<HWND>(wParam));
            return result;
        }
        case WM_SETCURSOR:
            if (ShowScreenMousePointer()) return TRUE;
            break;
        case WM_NCDESTROY: {
            // The window goes; its class procedure sees the last message.
            HWND hWnd = std::exchange(hWnd_, nullptr);
            return ::CallWindowProcW(editProc_, hWnd, uMsg, wParam, lParam);
        }
        default:
            break;
    }
    return Forward(uMsg, wParam, lParam);
}

LRESULT EditField::KeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto keyCode = static_cast<std::int16_t>(wParam);
    auto shift = KeyShiftOf(uMsg, lParam);
    host_.Deliver([&](HostedControl& c) { c.txtTextBox_KeyDown(keyCode, shift); });
    if (keyCode == 0) return 0;
    return Forward(uMsg, static_cast<std::uint16_t>(keyCode), lParam);
}

LRESULT EditField::KeyUp(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto keyCode = static_cast<std::int16_t>(wParam);
    auto shift = KeyShiftOf(uMsg, lParam);
    host_.Deliver([&](HostedControl& c) { c.txtTextBox_KeyUp(keyCode, shift); });
    if (keyCode == 0) return 0;
    return Forward(uMsg, static_cast<std::uint16_t>(keyCode), lParam);
}

LRESULT EditField::KeyPress(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const auto unit = static_cast<char16_t>(wParam);
    if (IsLowSurrogate(unit) && lowSurrogate_ != LowSurrogate::None) {
        // The second half of a character that the control has already answered for.
        const LowSurrogate action = std::exchange(lowSurrogate_, LowSurrogate::None);
        return action == LowSurrogate::Drop ? 0 : Forward(uMsg, wParam, lParam);
    }
    // A character beyond 16 bits comes as two units and is handed over once, at the first.
    const bool high = IsHighSurrogate(unit);
    const std::int16_t handedOver = high ? kKeyAsciiBeyond16Bits : KeyAsciiOf(unit);
    std::int16_t keyAscii = handedOver;
    host_.Deliver([&](HostedControl& c) { c.txtTextBox_KeyPress(keyAscii); });
    const KeyAnswer answer = KeyAnswerOf(handedOver, keyAscii);
    if (high) lowSurrogate_ = answer == KeyAnswer::Keep ? LowSurrogate::Pass : LowSurrogate::Drop;
    if (answer == KeyAnswer::Swallow) return 0;
    if (answer == KeyAnswer::Replace) {
        return Forward(uMsg, static_cast<std::uint16_t>(keyAscii), lParam);
    }
    // Half a character is no text of the user's: its change is told with the second half.
    halfCharacter_ = high;
    const LRESULT result = Forward(uMsg, wParam, lParam);
    halfCharacter_ = false;
    return result;
}

LRESULT EditField::Forward(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    // A handler of the control may have destroyed the form, and the edit with it.
    if (hWnd_ == nullptr) return 0;
    return ::CallWindowProcW(editProc_, hWnd_, uMsg, wParam, lParam);
}

}  // namespace cp::win32
