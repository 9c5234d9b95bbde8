// IOleObject: the container's site, the verbs that activate the control in place, its extent
// and its status bits.
#include "component/ColumnPickObject.h"
#include "component/ComError.h"
#include "platform/win32/Units.h"

namespace ocx {
namespace {

// OLEMISC_SETCLIENTSITEFIRST | ACTIVATEWHENVISIBLE | INSIDEOUT | CANTLINKINSIDE |
// RECOMPOSEONRESIZE, as registered.
constexpr DWORD kMiscStatus = 0x20191;
constexpr LONG kHimetricPerInch = 2540;
constexpr LONG kPixelsPerInch = 96;

int PixelsFromHimetric(LONG himetric) {
    return static_cast<int>(::MulDiv(himetric, kPixelsPerInch, kHimetricPerInch));
}

template <class T>
void Replace(T*& held, T* with) {
    if (with != nullptr) with->AddRef();
    if (held != nullptr) held->Release();
    held = with;
}

}  // namespace

HRESULT ColumnPickObject::SetClientSite(IOleClientSite* site) {
    // The site that goes may take the last reference to the object with it.
    return Entered(IID_IOleObject, [&] {
        Replace(site_, site);
        return S_OK;
    });
}

HRESULT ColumnPickObject::GetClientSite(IOleClientSite** site) {
    if (site == nullptr) return E_POINTER;
    *site = site_;
    if (site_ != nullptr) site_->AddRef();
    return S_OK;
}

HRESULT ColumnPickObject::SetHostNames(LPCOLESTR, LPCOLESTR) {
    return S_OK;
}

HRESULT ColumnPickObject::Close(DWORD saveOption) {
    return Entered(IID_IOleObject, [&] {
        if (saveOption == OLECLOSE_SAVEIFDIRTY && dirty_ && site_ != nullptr) site_->SaveObject();
        // A closed control asks for the focus no more: its windows are leaving the screen.
        host_->BeginUnload();
        if (inPlaceActive_) InPlaceDeactivate();
        if (adviseHolder_ != nullptr) adviseHolder_->SendOnClose();
        return S_OK;
    });
}

HRESULT ColumnPickObject::SetMoniker(DWORD, IMoniker*) {
    return E_NOTIMPL;
}

HRESULT ColumnPickObject::GetMoniker(DWORD, DWORD, IMoniker** out) {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT ColumnPickObject::InitFromData(IDataObject*, BOOL, DWORD) {
    return E_NOTIMPL;
}

HRESULT ColumnPickObject::GetClipboardData(DWORD, IDataObject** out) {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT ColumnPickObject::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) {
    return Entered(IID_IOleObject, [&] {
        if (site != nullptr && site_ == nullptr) Replace(site_, site);
        switch (verb) {
            case OLEIVERB_INPLACEACTIVATE:
                return ActivateInPlace();
            case OLEIVERB_PRIMARY:
            case OLEIVERB_SHOW:
            case OLEIVERB_UIACTIVATE: {
                const HRESULT hr = ActivateInPlace();
                return FAILED(hr) ? hr : ActivateUI();
            }
            case OLEIVERB_HIDE:
                if (host_) ::ShowWindow(host_->UserControl().hWnd(), SW_HIDE);
                return UIDeactivate();
            default:
                return static_cast<HRESULT>(verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB);
        }
    });
}

HRESULT ColumnPickObject::EnumVerbs(IEnumOLEVERB** out) {
    if (out == nullptr) return E_POINTER;
    return ::OleRegEnumVerbs(CLSID_ColumnPick, out);
}

HRESULT ColumnPickObject::Update() {
    return S_OK;
}

HRESULT ColumnPickObject::IsUpToDate() {
    return S_OK;
}

HRESULT ColumnPickObject::GetUserClassID(CLSID* clsid) {
    if (clsid == nullptr) return E_POINTER;
    *clsid = CLSID_ColumnPick;
    return S_OK;
}

HRESULT ColumnPickObject::GetUserType(DWORD form, LPOLESTR* type) {
    if (type == nullptr) return E_POINTER;
    return ::OleRegGetUserType(CLSID_ColumnPick, form, type);
}

HRESULT ColumnPickObject::SetExtent(DWORD aspect, SIZEL* size) {
    if (size == nullptr) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    extent_ = *size;
    return Entered(IID_IOleObject, [&] {
        if (!inPlaceActive_) SizeWindowToExtent();
        return S_OK;
    });
}

HRESULT ColumnPickObject::GetExtent(DWORD aspect, SIZEL* size) {
    if (size == nullptr) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *size = extent_;
    return S_OK;
}

HRESULT ColumnPickObject::Advise(IAdviseSink* sink, DWORD* connection) {
    if (adviseHolder_ == nullptr && FAILED(::CreateOleAdviseHolder(&adviseHolder_))) {
        return E_OUTOFMEMORY;
    }
    return adviseHolder_->Advise(sink, connection);
}

HRESULT ColumnPickObject::Unadvise(DWORD connection) {
    return adviseHolder_ ? adviseHolder_->Unadvise(connection) : OLE_E_NOCONNECTION;
}

HRESULT ColumnPickObject::EnumAdvise(IEnumSTATDATA** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    return adviseHolder_ ? adviseHolder_->EnumAdvise(out) : S_OK;
}

HRESULT ColumnPickObject::GetMiscStatus(DWORD, DWORD* status) {
    if (status == nullptr) return E_POINTER;
    *status = kMiscStatus;
    return S_OK;
}

HRESULT ColumnPickObject::SetColorScheme(LOGPALETTE*) {
    return E_NOTIMPL;
}

void ColumnPickObject::SizeWindowToExtent() {
    ::SetWindowPos(host_->UserControl().hWnd(), nullptr, 0, 0, PixelsFromHimetric(extent_.cx),
                   PixelsFromHimetric(extent_.cy), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HRESULT ColumnPickObject::ActivateInPlace() {
    if (inPlaceActive_) return S_OK;
    if (site_ == nullptr) return E_UNEXPECTED;
    IOleInPlaceSite* site = nullptr;
    if (FAILED(site_->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&site)))) {
        return E_NOINTERFACE;
    }
    if (site->CanInPlaceActivate() != S_OK) {
        site->Release();
        return E_FAIL;
    }
    HWND parent = nullptr;
    site->OnInPlaceActivate();
    site->GetWindow(&parent);
    RECT position{};
    RECT clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    site->GetWindowContext(&frame_, &document_, &position, &clip, &frameInfo);
    inPlaceSite_ = site;
    inPlaceActive_ = true;
    // A container may run the control again after closing it.
    host_->EndUnload();
    Control();
    ReadAmbients(DISPID_UNKNOWN);
    host_->Reparent(parent);
    SetObjectRects(&position, &clip);
    ::ShowWindow(host_->UserControl().hWnd(), SW_SHOWNA);
    return S_OK;
}

HRESULT ColumnPickObject::ActivateUI() {
    if (!inPlaceActive_) return E_UNEXPECTED;
    if (uiActive_) return S_OK;
    uiActive_ = true;
    inPlaceSite_->OnUIActivate();
    IOleInPlaceActiveObject* active = this;
    if (frame_ != nullptr) frame_->SetActiveObject(active, L"ColumnPick");
    if (document_ != nullptr) document_->SetActiveObject(active, L"ColumnPick");
    HWND edit = host_->TextBox().hWnd();
    if (::GetFocus() != edit) ::SetFocus(edit);
    return S_OK;
}

}  // namespace ocx
