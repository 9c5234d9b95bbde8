// The control's events for COM hosts: the connection point of `__ColumnPick`, with any number
// of sinks, each called through IDispatch::Invoke with the event's identifier. By-reference
// arguments travel as by-reference VARIANTs and what a sink wrote is read back. A sink that
// fails, or that unadvises during an event, does not stop the others or the control.
#pragma once

#include <functional>
#include <vector>

#include "component/Com.h"
#include "component/ConnectionPoint.h"
#include "control/ColumnPickEvents.h"

namespace ocx {

class EventSource final : public ConnectionPoint<IDispatch>, public ColumnPickEvents {
public:
    explicit EventSource(IConnectionPointContainer& container)
        : ConnectionPoint(container, DIID___ColumnPick) {}

    // Frozen events (IOleControl::FreezeEvents) are not raised.
    void Freeze(bool freeze);
    // `commit` runs when the user's commit has changed the control, before AfterUpdate: when
    // it answers false the commit has been undone and AfterUpdate is not raised.
    void OnCommit(std::function<bool()> commit) { commit_ = std::move(commit); }

    // ColumnPickEvents
    void AfterUpdate() override;
    void KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void KeyPress(std::int16_t& KeyAscii) override;
    void KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void Change() override;
    void NotInList(bool& Cancel) override;

private:
    // Raises an event to every sink connected when it starts; `args` last to first.
    void Raise(EventId id, VARIANT* args, UINT count);

    int frozen_ = 0;  // FreezeEvents depth
    std::function<bool()> commit_;
};

}  // namespace ocx
