// The bookkeeping of one of the control's connection points: the sinks advised, in order, each
// held as `Sink`, their cookies, and the container that owns the point and keeps it alive
// (AddRef and Release go to it). What a point tells its sinks is the derived class's affair.
#pragma once

#include <algorithm>
#include <vector>

#include "component/Com.h"
#include "component/ComPtr.h"

namespace ocx {

template <class Sink>
class ConnectionPoint : public IConnectionPoint {
public:
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    // Lets every sink go.
    void DisconnectAll() {
        std::vector<Advised> gone;
        gone.swap(sinks_);
        for (const Advised& advised : gone)
            advised.sink->Release();
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
            *out = static_cast<IConnectionPoint*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return container_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return container_.Release(); }

    // IConnectionPoint
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
        if (iid == nullptr) return E_POINTER;
        *iid = outgoing_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE
    GetConnectionPointContainer(IConnectionPointContainer** out) override {
        if (out == nullptr) return E_POINTER;
        *out = &container_;
        container_.AddRef();
        return S_OK;
    }
    // A sink is taken as the point's own interface, or else as `Sink` (a script's object,
    // which answers for IDispatch alone, is an event sink too).
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
        if (sink == nullptr || cookie == nullptr) return E_POINTER;
        *cookie = 0;
        Sink* taken = nullptr;
        if (FAILED(sink->QueryInterface(outgoing_, reinterpret_cast<void**>(&taken))) &&
            (outgoing_ == __uuidof(Sink) ||
             FAILED(sink->QueryInterface(__uuidof(Sink), reinterpret_cast<void**>(&taken))))) {
            return CONNECT_E_CANNOTCONNECT;
        }
        if (taken == nullptr) return CONNECT_E_CANNOTCONNECT;
        try {
            sinks_.push_back({nextCookie_, taken});
        } catch (...) {
            taken->Release();
            return E_OUTOFMEMORY;
        }
        *cookie = nextCookie_++;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        const auto found = std::find_if(sinks_.begin(), sinks_.end(),
                                        [cookie](const Advised& a) { return a.cookie == cookie; });
        if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
        Sink* sink = found->sink;
        sinks_.erase(found);
        sink->Release();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override {
        if (out != nullptr) *out = nullptr;
        return E_NOTIMPL;
    }

protected:
    ConnectionPoint(IConnectionPointContainer& container, REFIID outgoing)
        : container_(container), outgoing_(outgoing) {}
    virtual ~ConnectionPoint() { DisconnectAll(); }

    // The sinks advised when a notification starts, each held with the control for its
    // length: a sink may unadvise itself or another one, or let go of the control, meanwhile.
    struct Moment {
        ComPtr<IConnectionPointContainer> control;
        std::vector<ComPtr<Sink>> sinks;
    };
    bool Connected() const { return !sinks_.empty(); }
    Moment Now() {
        Moment now{ComPtr<IConnectionPointContainer>(&container_), {}};
        now.sinks.reserve(sinks_.size());
        for (const Advised& advised : sinks_)
            now.sinks.emplace_back(advised.sink);
        return now;
    }

private:
    struct Advised {
        DWORD cookie;
        Sink* sink;  // one reference held
    };

    IConnectionPointContainer& container_;
    const IID outgoing_;          // the interface the point calls
    std::vector<Advised> sinks_;  // in the order advised
    DWORD nextCookie_ = 1;
};

}  // namespace ocx
