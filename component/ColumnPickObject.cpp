#include "component/ColumnPickObject.h"

#include <exception>
#include <new>

#include "component/ComError.h"
#include "component/DispatchEdge.h"
#include "component/PointEnumerator.h"
#include "platform/win32/ModalForm.h"
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

thread_local int tControls = 0;  // controls alive on the thread

// Scripts may call every member, and a document may hold any stored properties: neither
// reaches a file, the registry or the network.
constexpr DWORD kCaller = INTERFACESAFE_FOR_UNTRUSTED_CALLER;
constexpr DWORD kData = INTERFACESAFE_FOR_UNTRUSTED_DATA;
const SafeInterface kControlSafety[] = {
    {&IID_IDispatch, kCaller},         {&IID__ColumnPick, kCaller},
    {&IID_IPersistStreamInit, kData},  {&IID_IPersistStream, kData},
    {&IID_IPersistPropertyBag, kData}, {&IID_IPersistStorage, kData},
};

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
    ColumnPickObject* object = nullptr;
    try {
        object = new ColumnPickObject();
    } catch (...) {
        // No window, no memory: what was made of the object has gone with it.
        return E_OUTOFMEMORY;
    }
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

ColumnPickObject::ThreadControl::ThreadControl() {
    ++tControls;
}

ColumnPickObject::ThreadControl::~ThreadControl() {
    if (--tControls == 0) win32::DestroyModalForms();
}

ColumnPickObject::ParkingWindow::ParkingWindow() {
    hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, Module(),
                             nullptr);
    if (hWnd == nullptr) throw std::bad_alloc();
}

ColumnPickObject::ParkingWindow::~ParkingWindow() {
    if (::IsWindow(hWnd)) ::DestroyWindow(hWnd);
}

ColumnPickObject::ColumnPickObject()
    : events_(*this),
      notify_(*this),
      safety_(*static_cast<_ColumnPick*>(this), kControlSafety),
      extent_{HimetricFromTwips(kStartWidthTwips), HimetricFromTwips(kStartHeightTwips)} {
    // The component starts on each thread that uses it, before its first control there.
    if (!cp::gblnStarted) cp::ComponentStart();
    host_ = std::make_unique<win32::ControlHost>(
        parking_.hWnd, win32::Placement{0, 0, kStartWidthTwips, kStartHeightTwips});
    if (host_->UserControl().hWnd() == nullptr || host_->TextBox().hWnd() == nullptr) {
        throw std::bad_alloc();
    }
    host_->SetHolder(this);
    ::LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &typeLibrary_);
}

ColumnPickObject::~ColumnPickObject() {
    // The control's windows go before the parking window that holds them.
    host_.reset();
    if (typeLibrary_ != nullptr) typeLibrary_->Release();
}

void ColumnPickObject::End() noexcept {
    try {
        if (inPlaceActive_) InPlaceDeactivate();
        host_->BeginUnload();
        host_->Terminate();
    } catch (...) {
        // UserControl_Terminate lets its errors go to the host; an object that is going
        // away has no caller left to tell.
    }
    if (site_ != nullptr) std::exchange(site_, nullptr)->Release();
    if (storage_ != nullptr) std::exchange(storage_, nullptr)->Release();
    if (adviseHolder_ != nullptr) std::exchange(adviseHolder_, nullptr)->Release();
    if (viewSink_ != nullptr) std::exchange(viewSink_, nullptr)->Release();
    if (quickAmbients_ != nullptr) std::exchange(quickAmbients_, nullptr)->Release();
    delete this;
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
    // IPersistStream is the start of IPersistStreamInit, method for method.
    if (iid == IID_IPersistStream) return Hand(static_cast<IPersistStreamInit*>(this), out);
    if (iid == IID_IPersistPropertyBag) return Hand(static_cast<IPersistPropertyBag*>(this), out);
    if (iid == IID_IPersistStorage) return Hand(static_cast<IPersistStorage*>(this), out);
    if (iid == IID_IQuickActivate) return Hand(static_cast<IQuickActivate*>(this), out);
    if (iid == IID_IObjectSafety) return Hand(&safety_, out);
    if (iid == IID_ISpecifyPropertyPages) {
        return Hand(static_cast<ISpecifyPropertyPages*>(this), out);
    }
    if (iid == IID_IPerPropertyBrowsing) return Hand(static_cast<IPerPropertyBrowsing*>(this), out);
    return E_NOINTERFACE;
}

ULONG ColumnPickObject::AddRef() {
    return ++refs_;
}

ULONG ColumnPickObject::Release() {
    const ULONG left = --refs_;
    if (left != 0 || std::exchange(ending_, true)) return left;
    // The host that let go of the object hears from it no more. The last reference may go
    // inside one of the object's own calls (a handler of its event that closes the host's
    // dialog): the object ends once that call has returned.
    events_.DisconnectAll();
    notify_.DisconnectAll();
    host_->Frames().EndWhenIdle([this] { End(); });
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

HRESULT ColumnPickObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                        DISPID* ids) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (names == nullptr || ids == nullptr) return E_POINTER;
    // Font is the component's own property, outside the control's table.
    if (count == 1 && names[0] != nullptr && ::lstrcmpiW(names[0], L"Font") == 0) {
        ids[0] = DISPID_FONT;
        return S_OK;
    }
    return Boundary(IID_IDispatch, [&] { return IdsOfNames(ControlTable(), names, count, ids); });
}

HRESULT ColumnPickObject::Invoke(DISPID dispid, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (HRESULT hr = S_OK; InvokeFont(dispid, flags, params, result, argError, &hr)) return hr;
    return Entered(IID_IDispatch, [&] {
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

ColumnPickObject::ConnectionPoints ColumnPickObject::Points() {
    return {&events_, &notify_};
}

HRESULT ColumnPickObject::EnumConnectionPoints(IEnumConnectionPoints** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    return PointEnumerator::Create(Points(), out);
}

HRESULT ColumnPickObject::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    for (IConnectionPoint* point : Points()) {
        IID served{};
        if (SUCCEEDED(point->GetConnectionInterface(&served)) && served == iid) {
            *out = point;
            point->AddRef();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
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
    return AmbientFlag(DISPID_AMBIENT_USERMODE, quickUserMode_);
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
    // The font comes first: a stored one of the wrong kind fails the load before the control
    // starts.
    IDispatch* ambients = Ambients();
    try {
        if (saved != nullptr) {
            font_.Read(*saved, ambients);
        } else {
            font_.TakeStartFont(ambients);
        }
    } catch (...) {
        if (ambients != nullptr) ambients->Release();
        throw;
    }
    if (ambients != nullptr) ambients->Release();
    started_ = true;
    auto factory = [this](const ControlSite& site) {
        auto made = std::make_unique<ColumnPick>(site);
        control_ = made.get();
        control_->SetEventSink(&events_);
        events_.OnCommit([this] { return NotifyCommit(); });
        return std::unique_ptr<HostedControl>(std::move(made));
    };
    // A stored value the control cannot take fails the load, but the control has started with
    // the settings read before it: they take the font, the colours that follow the
    // container's and the container's settings as a whole load does, and the failure is
    // reported afterwards.
    std::exception_ptr failure;
    try {
        host_->Put([&] { host_->Load(factory, saved); });
    } catch (...) {
        failure = std::current_exception();
    }
    host_->SetFont(font_.Handle());
    // A colour that the store does not hold follows the container's.
    followBackColor_ = control_ != nullptr && !Stored(saved, "BackColorNormal");
    followForeColor_ = control_ != nullptr && !Stored(saved, "ForeColorNormal");
    ReadAmbients(DISPID_UNKNOWN);
    if (failure) std::rethrow_exception(failure);
}

Variant ColumnPickObject::CallMember(std::int32_t dispid, iface::Kind kind,
                                     std::vector<Variant>& args) {
    ColumnPick& control = Control();
    Variant result;
    // Notifications that the call causes report their errors to the caller, as in a form.
    BoundPut(dispid, kind,
             [&] { host_->Put([&] { result = iface::Invoke(control, dispid, kind, args); }); });
    return result;
}

}  // namespace ocx
