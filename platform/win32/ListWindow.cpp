#include "platform/win32/ListWindow.h"

#include <algorithm>
#include <utility>

#include "platform/HostErrors.h"
#include "platform/win32/ControlHost.h"
#include "platform/win32/HostRuntime.h"
#include "platform/win32/InputArgs.h"
#include "platform/win32/ModuleInstance.h"
#include "platform/win32/ScreenDensity.h"
#include "platform/win32/WindowSize.h"
#include "platform/win32/WindowsApi.h"
#include "runtime/ScreenUnits.h"

namespace cp::win32 {
namespace {

::WNDPROC gListBoxProc = nullptr;  // the LISTBOX class's procedure, under the superclass

}  // namespace

void ListWindow::RegisterWindowClass() {
    static const bool registered = [] {
        ::WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        if (!::GetClassInfoExW(nullptr, L"LISTBOX", &wc)) return false;
        gListBoxProc = wc.lpfnWndProc;
        wc.lpfnWndProc = &ListWindow::Proc;
        wc.hInstance = ModuleInstance();
        wc.lpszClassName = kListBoxClass;
        // Every press is a press: the control has no use for double clicks in its list.
        wc.style &= ~static_cast<::UINT>(CS_DBLCLKS);
        return ::RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

ListWindow::~ListWindow() {
    if (hWnd_ != nullptr) ::DestroyWindow(hWnd_);
    if (brush_ != nullptr) ::DeleteObject(brush_);
}

void ListWindow::Create(HWND owner, int widthPixels, int heightPixels) {
    RegisterWindowClass();
    HWND hWnd =
        ::CreateWindowExW(0, kListBoxClass, L"", WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 0,
                          0, widthPixels, heightPixels, owner, nullptr, ModuleInstance(), this);
    ::SendMessageW(hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont()), FALSE);
    ::SendMessageW(hWnd, LB_SETITEMHEIGHT, 0, CurrentScreenUnits().rowPixels);
    hWnd_ = hWnd;
}

std::int32_t ListWindow::ListIndex() {
    return static_cast<std::int32_t>(::SendMessageW(hWnd_, LB_GETCURSEL, 0, 0));
}

void ListWindow::SetListIndex(std::int32_t index) {
    const auto count = static_cast<std::int32_t>(::SendMessageW(hWnd_, LB_GETCOUNT, 0, 0));
    CheckListIndexPut(index, count);
    host_.Put([&] {
        ::SendMessageW(hWnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        host_.Deliver([](HostedControl& c) { c.lstListBox_Click(); });
    });
}

std::int32_t ListWindow::TopIndex() {
    return static_cast<std::int32_t>(::SendMessageW(hWnd_, LB_GETTOPINDEX, 0, 0));
}

void ListWindow::SetTopIndex(std::int32_t index) {
    CheckTopIndexPut(index);
    host_.Put([&] { ::SendMessageW(hWnd_, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0); });
}

void ListWindow::Move(float left, float top, float width, float height) {
    host_.Put([&] {
        ::MoveWindow(hWnd_, PixelsFromTwips(left), PixelsFromTwips(top),
                     std::max(0, PixelsFromTwips(width)), std::max(0, PixelsFromTwips(height)),
                     TRUE);
    });
}

float ListWindow::Width() {
    return WindowWidth(hWnd_);
}

void ListWindow::SetWidth(float twips) {
    host_.Put([&] { SetWindowWidth(hWnd_, twips); });
}

float ListWindow::Height() {
    return WindowHeight(hWnd_);
}

void ListWindow::SetHeight(float twips) {
    host_.Put([&] { SetWindowHeight(hWnd_, twips); });
}

bool ListWindow::Visible() {
    return (::GetWindowLongPtrW(hWnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void ListWindow::SetVisible(bool visible) {
    host_.Put([&] {
        if (!visible) {
            ::ShowWindow(hWnd_, SW_HIDE);
        } else if (::GetAncestor(hWnd_, GA_PARENT) == ::GetDesktopWindow()) {
            // A list given to the desktop floats above the form, without taking the activation.
            ::SetWindowPos(hWnd_, HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        } else {
            ::ShowWindow(hWnd_, SW_SHOWNA);
        }
    });
}

void ListWindow::SetBackColor(OLE_COLOR color) {
    backColor_ = color;
    if (brush_ != nullptr) ::DeleteObject(std::exchange(brush_, nullptr));
    ::InvalidateRect(hWnd_, nullptr, TRUE);
}

HFONT ListWindow::Font() {
    return reinterpret_cast<HFONT>(::SendMessageW(hWnd_, WM_GETFONT, 0, 0));
}

void ListWindow::SetFont(HFONT font, int rowPixels) {
    ::SendMessageW(hWnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SendMessageW(hWnd_, LB_SETITEMHEIGHT, 0, rowPixels);
    ::InvalidateRect(hWnd_, nullptr, TRUE);
}

int ListWindow::RowHeight() {
    return static_cast<int>(::SendMessageW(hWnd_, LB_GETITEMHEIGHT, 0, 0));
}

void ListWindow::Clear() {
    host_.Put([&] { ::SendMessageW(hWnd_, LB_RESETCONTENT, 0, 0); });
}

void ListWindow::RemoveItem(std::int32_t index) {
    LRESULT result = 0;
    host_.Put(
        [&] { result = ::SendMessageW(hWnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0); });
    if (result == LB_ERR) RaiseNoSuchListRow();
}

void ListWindow::Redraw() {
    host_.Put([&] { ::RedrawWindow(hWnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); });
}

void ListWindow::SetHeaderHeight(int pixels) {
    if (pixels == headerPixels_) return;
    headerPixels_ = pixels;
    host_.Put([&] {
        ::SetWindowPos(hWnd_, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    });
}

void ListWindow::PaintHeader() {
    ::RECT window{};
    ::GetWindowRect(hWnd_, &window);
    ::POINT client{0, 0};
    ::ClientToScreen(hWnd_, &client);
    const int left = client.x - window.left;
    const int width = (window.right - window.left) - 2 * left;
    if (width <= 0) return;
    const ::HDC dc = ::GetWindowDC(hWnd_);
    if (dc == nullptr) return;
    ::SetViewportOrgEx(dc, left, client.y - window.top - headerPixels_, nullptr);
    const HFONT previous =
        static_cast<HFONT>(::SelectObject(dc, reinterpret_cast<::HGDIOBJ>(Font())));
    const int height = headerPixels_;
    host_.Deliver([&](HostedControl& c) { c.lstListBox_PaintHeader(dc, width, height); });
    ::SelectObject(dc, previous);
    ::ReleaseDC(hWnd_, dc);
}

// The frame's messages: the client area starts below the header band, which is painted after
// the border and the scroll bar.
LRESULT ListWindow::Frame(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ::CallWindowProcW(gListBoxProc, hWnd_, uMsg, wParam, lParam);
    if (uMsg == WM_NCCALCSIZE) {
        // Either form of the message carries the new client rectangle first.
        auto* client = reinterpret_cast<::RECT*>(lParam);
        client->top = std::min(client->bottom, client->top + headerPixels_);
    } else {
        PaintHeader();
    }
    return result;
}

HBRUSH ListWindow::Background(HDC hdc) {
    ::SetBkColor(hdc, ColorFromOle(backColor_));
    if (brush_ == nullptr) brush_ = ::CreateSolidBrush(ColorFromOle(backColor_));
    return brush_;
}

bool ListWindow::PressChangedSelection() {
    return ListIndex() != pressSelection_;
}

LRESULT CALLBACK ListWindow::Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const ::CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ListWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (self == nullptr || self->hWnd_ != hWnd) {
        return ::CallWindowProcW(gListBoxProc, hWnd, uMsg, wParam, lParam);
    }
    const CallFrames::Frame frame(self->host_.Frames());
    return self->Handle(uMsg, wParam, lParam);
}

LRESULT ListWindow::Handle(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    HWND hWnd = hWnd_;
    if (host_.RefusesInput(uMsg)) return 0;
    if (uMsg == WM_SETCURSOR && ShowScreenMousePointer()) return TRUE;
    if (uMsg == WM_NCDESTROY) hWnd_ = nullptr;
    if (uMsg == WM_GETOBJECT) {
        if (const auto answer = host_.Readers().Answer(hWnd, wParam, lParam)) return *answer;
    }
    if ((uMsg == WM_NCCALCSIZE || uMsg == WM_NCPAINT) && headerPixels_ > 0)
        return Frame(uMsg, wParam, lParam);
    if (uMsg == WM_LBUTTONDOWN) pressSelection_ = ListIndex();
    // The control hears what the scroll bar asks before the list scrolls, and may place the
    // list itself.
    if (uMsg == WM_VSCROLL) {
        bool placed = false;
        host_.Deliver([&](HostedControl& c) {
            placed = c.lstListBox_Scrolling(LOWORD(wParam), HIWORD(wParam));
        });
        if (placed || hWnd_ == nullptr) return 0;
    }
    // The list's own handling comes first (a press selects, a release after a press reports
    // the selection), then the control hears of the mouse.
    const LRESULT result = ::CallWindowProcW(gListBoxProc, hWnd, uMsg, wParam, lParam);
    const MouseArgs m = MouseArgsOf(uMsg, wParam, lParam);
    if (m.action != MouseAction::None) {
        host_.Deliver([&](HostedControl& c) { NotifyMouse(c, MouseTarget::List, m); });
    } else if (uMsg == WM_KILLFOCUS) {
        host_.FocusLeaving(reinterpret_cast<HWND>(wParam));
    }
    return result;
}

}  // namespace cp::win32
