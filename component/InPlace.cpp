// In place in a container: the control's window inside the container's, the keys that the
// control takes before the container's own handling, focus and ambient changes, and drawing
// into a device context that the container hands over (a designer's, say).
#include "component/ColumnPickObject.h"
#include "component/ComError.h"
#include "component/ComPtr.h"
#include "platform/win32/Units.h"
#include "platform/win32/Wide.h"

namespace ocx {
namespace {

// The keys that a host might take as its own accelerators but the control uses: those that
// move the caret and edit in the field, move through the list, open and close it, commit and
// cancel. The control takes them first, so that no dialog handling of the container turns
// them into a default button, a cancel or a menu. Tab is the container's, to move the focus on.
bool IsControlKey(const MSG& msg) {
    if (msg.message == WM_CHAR) {
        return msg.wParam == VK_BACK || msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE;
    }
    switch (msg.wParam) {
        case VK_RETURN:
        case VK_ESCAPE:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
        case VK_BACK:
        case VK_DELETE:
        case VK_F4:
            return true;
        default:
            return false;
    }
}

bool IsKeyMessage(UINT message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
           message == WM_SYSKEYUP || message == WM_CHAR;
}

// The modifier bits of IOleControlSite::TranslateAccelerator (KEYMOD_SHIFT, _CONTROL, _ALT).
DWORD Modifiers() {
    constexpr DWORD kShift = 1;
    constexpr DWORD kControl = 2;
    constexpr DWORD kAlt = 4;
    DWORD keys = 0;
    if (::GetKeyState(VK_SHIFT) < 0) keys |= kShift;
    if (::GetKeyState(VK_CONTROL) < 0) keys |= kControl;
    if (::GetKeyState(VK_MENU) < 0) keys |= kAlt;
    return keys;
}

}  // namespace

HRESULT ColumnPickObject::GetWindow(HWND* window) {
    if (window == nullptr) return E_POINTER;
    *window = inPlaceActive_ ? host_->UserControl().hWnd() : nullptr;
    return *window ? S_OK : E_FAIL;
}

HRESULT ColumnPickObject::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT ColumnPickObject::InPlaceDeactivate() {
    if (!inPlaceActive_) return S_OK;
    return Entered(IID_IOleInPlaceObject, [&] {
        UIDeactivate();
        // A container that deactivates or closes the control as it leaves the user interface
        // has done all of it already.
        if (!inPlaceActive_) return S_OK;
        // Inactive from here on: a handler of the commit below that closes or deactivates the
        // control again finds nothing more to do, and the focus coming back activates nothing.
        inPlaceActive_ = false;
        const auto site = ComPtr<IOleInPlaceSite>::Adopt(std::exchange(inPlaceSite_, nullptr));
        const auto frame = ComPtr<IOleInPlaceFrame>::Adopt(std::exchange(frame_, nullptr));
        const auto document = ComPtr<IOleInPlaceUIWindow>::Adopt(std::exchange(document_, nullptr));
        HWND window = host_->UserControl().hWnd();
        LeaveTheScreen(window);
        ::ShowWindow(window, SW_HIDE);
        host_->Reparent(parking_.hWnd);
        site->OnInPlaceDeactivate();
        return S_OK;
    });
}

void ColumnPickObject::LeaveTheScreen(HWND window) {
    const win32::ControlHost::Leaving leaving(*host_);
    // The focus leaves the control while it is still on the screen, so that the control
    // commits as it does for any focus that leaves it.
    HWND focus = ::GetFocus();
    if (focus != nullptr && host_->Contains(focus)) ::SetFocus(::GetParent(window));
    // A commit that a handler refused (NotInList with Cancel) opens the list again, to send the
    // user back to it: it closes with the control.
    if (control_ != nullptr && control_->ComboBoxIsOpen()) {
        control_->HideListBox(cp::AfterHide::LeaveFocus);
    }
}

HRESULT ColumnPickObject::UIDeactivate() {
    if (!uiActive_) return S_OK;
    return Entered(IID_IOleInPlaceObject, [&] {
        uiActive_ = false;
        if (frame_ != nullptr) frame_->SetActiveObject(nullptr, nullptr);
        if (document_ != nullptr) document_->SetActiveObject(nullptr, nullptr);
        if (inPlaceSite_ != nullptr) inPlaceSite_->OnUIDeactivate(FALSE);
        return S_OK;
    });
}

HRESULT ColumnPickObject::SetObjectRects(LPCRECT position, LPCRECT) {
    if (position == nullptr) return E_POINTER;
    return Entered(IID_IOleInPlaceObject, [&] {
        ::MoveWindow(host_->UserControl().hWnd(), position->left, position->top,
                     position->right - position->left, position->bottom - position->top, TRUE);
        return S_OK;
    });
}

HRESULT ColumnPickObject::ReactivateAndUndo() {
    return INPLACE_E_NOTUNDOABLE;
}

HRESULT ColumnPickObject::TranslateAccelerator(LPMSG msg) {
    if (msg == nullptr || !IsKeyMessage(msg->message)) return S_FALSE;
    return Entered(IID_IOleInPlaceActiveObject, [&] {
        if (!host_->Contains(msg->hwnd)) return S_FALSE;
        // A dead user interface leaves every key to the container.
        if (!uiDead_ && IsControlKey(*msg)) {
            ::TranslateMessage(msg);
            ::DispatchMessageW(msg);
            return S_OK;
        }
        // The rest may be the container's accelerators: its site has them next.
        ComPtr<IOleControlSite> controlSite;
        if (site_ == nullptr ||
            FAILED(site_->QueryInterface(IID_IOleControlSite, controlSite.Receive()))) {
            return S_FALSE;
        }
        return controlSite->TranslateAccelerator(msg, Modifiers()) == S_OK ? S_OK : S_FALSE;
    });
}

HRESULT ColumnPickObject::OnFrameWindowActivate(BOOL) {
    return S_OK;
}

HRESULT ColumnPickObject::OnDocWindowActivate(BOOL) {
    return S_OK;
}

HRESULT ColumnPickObject::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return S_OK;
}

HRESULT ColumnPickObject::EnableModeless(BOOL) {
    return S_OK;
}

HRESULT ColumnPickObject::GetControlInfo(CONTROLINFO* info) {
    if (info == nullptr) return E_POINTER;
    // The control has no mnemonics: its keys reach it through the focus alone.
    info->cb = sizeof *info;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT ColumnPickObject::OnMnemonic(MSG*) {
    return S_OK;
}

HRESULT ColumnPickObject::OnAmbientPropertyChange(DISPID dispid) {
    // A control that has not started reads its ambients when it does.
    if (!started_ || control_ == nullptr) return S_OK;
    const bool all = dispid == DISPID_UNKNOWN;
    return Entered(IID_IOleControl, [&] {
        // A font of the host's own, or one stored with the control, stays.
        if ((all || dispid == DISPID_AMBIENT_FONT) && font_.FollowsContainer()) {
            IDispatch* ambients = Ambients();
            font_.Follow(ambients);
            if (ambients != nullptr) ambients->Release();
        }
        if (all || dispid == DISPID_AMBIENT_USERMODE) {
            host_->Put([&] { control_->UserModeChanged(); });
        }
        ReadAmbients(dispid);
        return S_OK;
    });
}

HRESULT ColumnPickObject::FreezeEvents(BOOL freeze) {
    events_.Freeze(freeze != FALSE);
    return S_OK;
}

HRESULT ColumnPickObject::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawDC,
                               LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                               ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (drawDC == nullptr || bounds == nullptr) return E_INVALIDARG;
    return Entered(IID_IViewObject2, [&] {
        // The control as a designer shows it: its box in the normal background with a sunken
        // edge, its text, and the drop-down button at the right end.
        RECT box{bounds->left, bounds->top, bounds->right, bounds->bottom};
        HBRUSH background = ::CreateSolidBrush(win32::ColorFromOle(host_->TextBox().BackColor()));
        ::FillRect(drawDC, &box, background);
        ::DeleteObject(background);
        ::DrawEdge(drawDC, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        const int buttonWidth = ::GetSystemMetrics(SM_CXVSCROLL);
        RECT button{box.right - buttonWidth, box.top, box.right, box.bottom};
        ::DrawFrameControl(drawDC, &button, DFC_SCROLL, DFCS_SCROLLDOWN);
        RECT text{box.left + 2, box.top, button.left, box.bottom};
        const std::wstring shown = win32::Widen(host_->TextBox().Text());
        const int mode = ::SetBkMode(drawDC, TRANSPARENT);
        const COLORREF color =
            ::SetTextColor(drawDC, win32::ColorFromOle(host_->TextBox().ForeColor()));
        ::DrawTextW(drawDC, shown.c_str(), static_cast<int>(shown.size()), &text,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        ::SetTextColor(drawDC, color);
        ::SetBkMode(drawDC, mode);
        return S_OK;
    });
}

HRESULT ColumnPickObject::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                      LOGPALETTE** colors) {
    if (colors != nullptr) *colors = nullptr;
    return S_FALSE;
}

HRESULT ColumnPickObject::Freeze(DWORD, LONG, void*, DWORD*) {
    return E_NOTIMPL;
}

HRESULT ColumnPickObject::Unfreeze(DWORD) {
    return E_NOTIMPL;
}

HRESULT ColumnPickObject::SetAdvise(DWORD, DWORD, IAdviseSink* sink) {
    if (sink != nullptr) sink->AddRef();
    if (viewSink_ != nullptr) viewSink_->Release();
    viewSink_ = sink;
    return S_OK;
}

HRESULT ColumnPickObject::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects != nullptr) *aspects = DVASPECT_CONTENT;
    if (flags != nullptr) *flags = 0;
    if (sink != nullptr) {
        *sink = viewSink_;
        if (viewSink_ != nullptr) viewSink_->AddRef();
    }
    return S_OK;
}

HRESULT ColumnPickObject::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

}  // namespace ocx
