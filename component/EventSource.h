// The control's events for COM hosts: the connection point of `__ColumnPick`, with any number
// of sinks, each called through IDispatch::Invoke with the event's identifier. By-reference
// arguments travel as by-reference VARIANTs and what a sink wrote is read back. A sink that
// fails, or that unadvises during an event, does not stop the others or the control.
#pragma once

#include <vector>

#include "component/Com.h"
#include "component/ComPtr.h"
#include "control/ColumnPickEvents.h"

namespace ocx {

class EventSource final : public IConnectionPoint, public ColumnPickEvents {
public:
    // `container` is the object whose connection point this is; it owns this one and keeps
    // it alive (AddRef and Release go to the container).
    explicit EventSource(IConnectionPointContainer& container) : container_(container) {}
    ~EventSource() override;
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;

    // Frozen events (IOleControl::FreezeEvents) are not raised.
    void Freeze(bool freeze);
    // Lets every sink go.
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

    // ColumnPickEvents
    void AfterUpdate() override;
    void KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void KeyPress(std::int16_t& KeyAscii) override;
    void KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void Change() override;
    void NotInList(bool& Cancel) override;

private:
    struct Sink {
        DWORD cookie;
        IDispatch* dispatch;  // one reference held
    };
    // Raises an event to every sink connected when it starts; `args` last to first.
    void Raise(EventId id, VARIANT* args, UINT count);

    IConnectionPointContainer& container_;
    std::vector<Sink> sinks_;  // in the order advised
    DWORD nextCookie_ = 1;
    int frozen_ = 0;  // FreezeEvents depth
};

}  // namespace ocx
