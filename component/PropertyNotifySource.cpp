#include "component/PropertyNotifySource.h"

#include <algorithm>

#include "component/ComPtr.h"

namespace ocx {

PropertyNotifySource::~PropertyNotifySource() {
    DisconnectAll();
}

void PropertyNotifySource::DisconnectAll() {
    std::vector<Sink> gone;
    gone.swap(sinks_);
    for (const Sink& sink : gone)
        sink.sink->Release();
}

template <class Call>
void PropertyNotifySource::ForEach(Call&& call) {
    if (sinks_.empty()) return;
    // A sink may unadvise itself or another one, or let go of the control, meanwhile.
    const ComPtr<IConnectionPointContainer> control(&container_);
    std::vector<ComPtr<IPropertyNotifySink>> targets;
    targets.reserve(sinks_.size());
    for (const Sink& sink : sinks_)
        targets.emplace_back(sink.sink);
    for (const ComPtr<IPropertyNotifySink>& target : targets) {
        if (!call(*target.Get())) return;
    }
}

void PropertyNotifySource::Changed(DISPID dispid) {
    ForEach([dispid](IPropertyNotifySink& sink) {
        sink.OnChanged(dispid);
        return true;
    });
}

bool PropertyNotifySource::MayEdit(DISPID dispid) {
    bool allowed = true;
    ForEach([&](IPropertyNotifySink& sink) {
        allowed = sink.OnRequestEdit(dispid) != S_FALSE;
        return allowed;
    });
    return allowed;
}

void PropertyNotifySource::Connect(IUnknown* sink) {
    DWORD cookie = 0;
    if (sink != nullptr) Advise(sink, &cookie);
}

HRESULT PropertyNotifySource::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG PropertyNotifySource::AddRef() {
    return container_.AddRef();
}

ULONG PropertyNotifySource::Release() {
    return container_.Release();
}

HRESULT PropertyNotifySource::GetConnectionInterface(IID* iid) {
    if (iid == nullptr) return E_POINTER;
    *iid = IID_IPropertyNotifySink;
    return S_OK;
}

HRESULT PropertyNotifySource::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (out == nullptr) return E_POINTER;
    *out = &container_;
    container_.AddRef();
    return S_OK;
}

HRESULT PropertyNotifySource::Advise(IUnknown* sink, DWORD* cookie) {
    if (sink == nullptr || cookie == nullptr) return E_POINTER;
    *cookie = 0;
    IPropertyNotifySink* notify = nullptr;
    if (FAILED(sink->QueryInterface(IID_IPropertyNotifySink, reinterpret_cast<void**>(&notify))) ||
        notify == nullptr) {
        return CONNECT_E_CANNOTCONNECT;
    }
    try {
        sinks_.push_back({nextCookie_, notify});
    } catch (...) {
        notify->Release();
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie_++;
    return S_OK;
}

HRESULT PropertyNotifySource::Unadvise(DWORD cookie) {
    const auto found = std::find_if(sinks_.begin(), sinks_.end(),
                                    [cookie](const Sink& s) { return s.cookie == cookie; });
    if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
    IPropertyNotifySink* sink = found->sink;
    sinks_.erase(found);
    sink->Release();
    return S_OK;
}

HRESULT PropertyNotifySource::EnumConnections(IEnumConnections** out) {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
}

}  // namespace ocx
