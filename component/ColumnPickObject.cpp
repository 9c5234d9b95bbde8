#include "component/ColumnPickObject.h"

#include "component/ComError.h"
#include "component/DispatchEdge.h"
#include "reports/Startup.h"

namespace ocx {
namespace {

// The control's size until a container gives it one: 2250 x 315 twips, in HIMETRIC.
constexpr float kStartWidthTwips = 2250;
constexpr float kStartHeightTwips = 315;
constexpr LONG kHimetricPerInch = 2540;
constexpr LONG kTwipsPerInch = 1440;

LONG HimetricFromTwips(float twips) {
    return static_cast<LONG>(twips * kHimetricPerInch / kTwipsPerInch);
}

template <class Interface>
HRESULT Hand(Interface* object, void** out) {
    *out = object;
    object->AddRef();
    return S_OK;
}

}  // namespace

HRESULT ColumnPickObject::Create(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    return Boundary(IID_IUnknown, [&] {
        auto* object = new ColumnPickObject();
        const HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    });
}

ColumnPickObject::ColumnPickObject()
    : events_(*this),
      extent_{HimetricFromTwips(kStartWidthTwips), HimetricFromTwips(kStartHeightTwips)} {
    // The component starts on each thread that uses it, before its first control there.
    if (!cp::gblnStarted) cp::ComponentStart();
    parking_ = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 Module(), nullptr);
    host_ = std::make_unique<win32::ControlHost>(
        parking_, win32::Placement{0, 0, kStartWidthTwips, kStartHeightTwips});
    host_->SetHolder(this);
    ::LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &typeLibrary_);
}

ColumnPickObject::~ColumnPickObject() {
    if (inPlaceActive_) InPlaceDeactivate();
    events_.DisconnectAll();
    try {
        host_->BeginUnload();
        host_->Terminate();
    } catch (...) {
        // UserControl_Terminate lets its errors go to the host; an object that is going
        // away has no caller left to tell.
    }
    host_.reset();
    if (parking_ != nullptr) ::DestroyWindow(parking_);
    if (site_ != nullptr) site_->Release();
    if (adviseHolder_ != nullptr) adviseHolder_->Release();
    if (viewSink_ != nullptr) viewSink_->Release();
    if (typeLibrary_ != nullptr) typeLibrary_->Release();
}

HRESULT ColumnPickObject::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__ColumnPick) {
        return Hand(static_cast<_ColumnPick*>(this), out);
    }
    if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) {
        return Hand(static_cast<IProvideClassInfo2*>(this), out);
    }
    if (iid == IID_IConnectionPointContainer) {
        return Hand(static_cast<IConnectionPointContainer*>(this), out);
    }
    if (iid == IID_ISupportErrorInfo) return Hand(static_cast<ISupportErrorInfo*>(this), out);
    if (iid == IID_IOleObject) return Hand(static_cast<IOleObject*>(this), out);
    if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) {
        return Hand(static_cast<IOleInPlaceObject*>(this), out);
    }
    if (iid == IID_IOleInPlaceActiveObject) {
        return Hand(static_cast<IOleInPlaceActiveObject*>(this), out);
    }
    if (iid == IID_IOleControl) return Hand(static_cast<IOleControl*>(this), out);
    if (iid == IID_IViewObject || iid == IID_IViewObject2) {
        return Hand(static_cast<IViewObject2*>(this), out);
    }
    if (iid == IID_IPersist || iid == IID_IPersistStreamInit) {
        return Hand(static_cast<IPersistStreamInit*>(this), out);
    }
    if (iid == IID_IPersistPropertyBag) return Hand(static_cast<IPersistPropertyBag*>(this), out);
    return E_NOINTERFACE;
}

ULONG ColumnPickObject::AddRef() {
    return ++refs_;
}

ULONG ColumnPickObject::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT ColumnPickObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT ColumnPickObject::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    *out = TypeInfoOf(IID__ColumnPick);
    return *out ? S_OK : TYPE_E_ELEMENTNOTFOUND;
}

HRESULT ColumnPickObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (names == nullptr || ids == nullptr) return E_POINTER;
    return Boundary(IID_IDispatch, [&] { return IdsOfNames(ControlTable(), names, count, ids); });
}

HRESULT ColumnPickObject::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    return Boundary(IID_IDispatch, [&] {
        auto call = [this](std::int32_t id, iface::Kind kind, std::vector<Variant>& args) {
            return CallMember(id, kind, args);
        };
        return InvokeByTable(ControlTable(), call, dispid, flags, params, result, exception,
                             argError);
    });
}

HRESULT ColumnPickObject::GetClassInfo(ITypeInfo** out) {
    if (out == nullptr) return E_POINTER;
    *out = TypeInfoOf(CLSID_ColumnPick);
    return *out ? S_OK : TYPE_E_ELEMENTNOTFOUND;
}

HRESULT ColumnPickObject::GetGUID(DWORD kind, GUID* guid) {
    if (guid == nullptr) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *guid = DIID___ColumnPick;
    return S_OK;
}

HRESULT ColumnPickObject::EnumConnectionPoints(IEnumConnectionPoints** out) {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT ColumnPickObject::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (iid != DIID___ColumnPick) return CONNECT_E_NOCONNECTION;
    *out = &events_;
    events_.AddRef();
    return S_OK;
}

HRESULT ColumnPickObject::InterfaceSupportsErrorInfo(REFIID iid) {
    return iid == IID__ColumnPick || iid == IID_IDispatch ? S_OK : S_FALSE;
}

ITypeInfo* ColumnPickObject::TypeInfoOf(REFGUID guid) {
    ITypeInfo* info = nullptr;
    if (typeLibrary_ != nullptr) typeLibrary_->GetTypeInfoOfGuid(guid, &info);
    return info;
}

bool ColumnPickObject::AmbientUserMode() {
    // A container that offers no ambient properties runs its controls.
    IDispatch* ambient = nullptr;
    if (site_ == nullptr ||
        FAILED(site_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient)))) {
        return true;
    }
    VARIANT answer;
    ::VariantInit(&answer);
    DISPPARAMS none{};
    const HRESULT hr = ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, LOCALE_USER_DEFAULT,
                                       DISPATCH_PROPERTYGET, &none, &answer, nullptr, nullptr);
    ambient->Release();
    bool userMode = true;
    if (SUCCEEDED(hr) && SUCCEEDED(::VariantChangeType(&answer, &answer, 0, VT_BOOL))) {
        userMode = V_BOOL(&answer) != VARIANT_FALSE;
    }
    ::VariantClear(&answer);
    return userMode;
}

void ColumnPickObject::PropertyChanged(std::string_view) {
    dirty_ = true;
}

void ColumnPickObject::FocusChanged(bool gotFocus) {
    if (gotFocus && inPlaceActive_ && !uiActive_) ActivateUI();
    IOleControlSite* controlSite = nullptr;
    if (site_ != nullptr && SUCCEEDED(site_->QueryInterface(
                                IID_IOleControlSite, reinterpret_cast<void**>(&controlSite)))) {
        controlSite->OnFocus(gotFocus ? TRUE : FALSE);
        controlSite->Release();
    }
}

ColumnPick& ColumnPickObject::Control() {
    if (!started_) Start(nullptr);
    // A start-up that could not even make the control leaves nothing to call.
    if (control_ == nullptr) Raise(vberr::ObjectNotSet);
    return *control_;
}

void ColumnPickObject::Start(PropertyBag* saved) {
    started_ = true;
    auto factory = [this](const ControlSite& site) {
        auto made = std::make_unique<ColumnPick>(site);
        control_ = made.get();
        control_->SetEventSink(&events_);
        return std::unique_ptr<HostedControl>(std::move(made));
    };
    host_->Put([&] { host_->Load(factory, saved); });
}

Variant ColumnPickObject::CallMember(std::int32_t dispid, iface::Kind kind,
                                     std::vector<Variant>& args) {
    ColumnPick& control = Control();
    Variant result;
    // Notifications that the call causes report their errors to the caller, as in a form.
    host_->Put([&] { result = iface::Invoke(control, dispid, kind, args); });
    return result;
}

}  // namespace ocx
