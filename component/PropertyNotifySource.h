// The connection point of IPropertyNotifySink: data binding and the hosts' property browsers
// learn through it that a published property changed (OnChanged), and a bound field may refuse
// a change of a bindable property before it happens (OnRequestEdit). A sink that fails, or that
// unadvises during a notification, does not stop the others.
#pragma once

#include <vector>

#include "component/Com.h"

namespace ocx {

class PropertyNotifySource final : public IConnectionPoint {
public:
    // `container` owns this point and keeps it alive (AddRef and Release go to it).
    explicit PropertyNotifySource(IConnectionPointContainer& container) : container_(container) {}
    ~PropertyNotifySource();
    PropertyNotifySource(const PropertyNotifySource&) = delete;
    PropertyNotifySource& operator=(const PropertyNotifySource&) = delete;

    // Tells every sink that the property `dispid` changed.
    void Changed(DISPID dispid);
    // Asks every sink whether the property `dispid` may change: false as soon as one answers
    // S_FALSE. A sink that fails otherwise has no say.
    bool MayEdit(DISPID dispid);
    // Connects `sink` as Advise does, for a container that hands its sink over another way
    // (quick activation); a sink of the wrong kind is ignored.
    void Connect(IUnknown* sink);
    void DisconnectAll();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IConnectionPoint
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

private:
    struct Sink {
        DWORD cookie;
        IPropertyNotifySink* sink;  // one reference held
    };
    // The sinks of this moment, each held for the length of a notification.
    template <class Call>
    void ForEach(Call&& call);

    IConnectionPointContainer& container_;
    std::vector<Sink> sinks_;  // in the order advised
    DWORD nextCookie_ = 1;
};

}  // namespace ocx
