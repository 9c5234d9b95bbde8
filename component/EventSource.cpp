#include "component/EventSource.h"

#include <algorithm>

namespace ocx {
namespace {

// A by-reference VARIANT for a 16-bit Integer or a Boolean that a sink may change.
VARIANT ByRef(std::int16_t& value) {
    VARIANT v;
    ::VariantInit(&v);
    V_VT(&v) = VT_BYREF | VT_I2;
    V_I2REF(&v) = &value;
    return v;
}

VARIANT BooleanByRef(VARIANT_BOOL& value) {
    VARIANT v;
    ::VariantInit(&v);
    V_VT(&v) = VT_BYREF | VT_BOOL;
    V_BOOLREF(&v) = &value;
    return v;
}

}  // namespace

EventSource::~EventSource() {
    DisconnectAll();
}

void EventSource::Freeze(bool freeze) {
    if (freeze) {
        ++frozen_;
    } else if (frozen_ > 0) {
        --frozen_;
    }
}

void EventSource::DisconnectAll() {
    std::vector<Sink> gone;
    gone.swap(sinks_);
    for (const Sink& sink : gone)
        sink.dispatch->Release();
}

HRESULT EventSource::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG EventSource::AddRef() {
    return container_.AddRef();
}

ULONG EventSource::Release() {
    return container_.Release();
}

HRESULT EventSource::GetConnectionInterface(IID* iid) {
    if (iid == nullptr) return E_POINTER;
    *iid = DIID___ColumnPick;
    return S_OK;
}

HRESULT EventSource::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (out == nullptr) return E_POINTER;
    *out = &container_;
    container_.AddRef();
    return S_OK;
}

HRESULT EventSource::Advise(IUnknown* sink, DWORD* cookie) {
    if (sink == nullptr || cookie == nullptr) return E_POINTER;
    *cookie = 0;
    IDispatch* dispatch = nullptr;
    if (FAILED(sink->QueryInterface(DIID___ColumnPick, reinterpret_cast<void**>(&dispatch))) &&
        FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    try {
        sinks_.push_back({nextCookie_, dispatch});
    } catch (...) {
        dispatch->Release();
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie_++;
    return S_OK;
}

HRESULT EventSource::Unadvise(DWORD cookie) {
    const auto found = std::find_if(sinks_.begin(), sinks_.end(),
                                    [cookie](const Sink& s) { return s.cookie == cookie; });
    if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
    IDispatch* dispatch = found->dispatch;
    sinks_.erase(found);
    dispatch->Release();
    return S_OK;
}

HRESULT EventSource::EnumConnections(IEnumConnections** out) {
    if (out != nullptr) *out = nullptr;
    return E_NOTIMPL;
}

void EventSource::Raise(EventId id, VARIANT* args, UINT count) {
    if (frozen_ > 0 || sinks_.empty()) return;
    // The control stays whole while its handlers run, whatever they let go of; and so does each
    // sink of this moment for its call: a sink may unadvise itself or another one meanwhile.
    const ComPtr<IConnectionPointContainer> control(&container_);
    std::vector<ComPtr<IDispatch>> targets;
    targets.reserve(sinks_.size());
    for (const Sink& sink : sinks_)
        targets.emplace_back(sink.dispatch);
    DISPPARAMS params{args, nullptr, count, 0};
    for (const ComPtr<IDispatch>& target : targets) {
        EXCEPINFO exception{};
        UINT argError = 0;
        // What a sink answers is its own affair: a failing sink does not stop the others.
        target->Invoke(static_cast<DISPID>(id), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                       &params, nullptr, &exception, &argError);
        ::SysFreeString(exception.bstrSource);
        ::SysFreeString(exception.bstrDescription);
        ::SysFreeString(exception.bstrHelpFile);
    }
}

void EventSource::AfterUpdate() {
    Raise(EventId::AfterUpdate, nullptr, 0);
}

void EventSource::KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
    VARIANT args[] = {ByRef(Shift), ByRef(KeyCode)};
    Raise(EventId::KeyDown, args, 2);
}

void EventSource::KeyPress(std::int16_t& KeyAscii) {
    VARIANT args[] = {ByRef(KeyAscii)};
    Raise(EventId::KeyPress, args, 1);
}

void EventSource::KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
    VARIANT args[] = {ByRef(Shift), ByRef(KeyCode)};
    Raise(EventId::KeyUp, args, 2);
}

void EventSource::Change() {
    Raise(EventId::Change, nullptr, 0);
}

void EventSource::NotInList(bool& Cancel) {
    VARIANT_BOOL cancel = Cancel ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT args[] = {BooleanByRef(cancel)};
    Raise(EventId::NotInList, args, 1);
    Cancel = cancel != VARIANT_FALSE;
}

}  // namespace ocx
