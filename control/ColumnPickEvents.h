// The control's event interface `__ColumnPick`. The host implements it to receive the events;
// by-reference arguments are read back by the control after the handler returns.
#pragma once

#include <cstdint>

namespace cp {

// The numbers by which the control raises its events (their dispatch identifiers).
enum class EventId : std::int32_t {
    AfterUpdate = 1,
    KeyDown = 2,
    KeyPress = 3,
    KeyUp = 4,
    Change = 5,
    NotInList = 6,
};

class ColumnPickEvents {
public:
    virtual ~ColumnPickEvents() = default;
    // The default event of the class.
    virtual void AfterUpdate() {}
    virtual void KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
        (void)KeyCode;
        (void)Shift;
    }
    virtual void KeyPress(std::int16_t& KeyAscii) { (void)KeyAscii; }
    virtual void KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
        (void)KeyCode;
        (void)Shift;
    }
    virtual void Change() {}
    virtual void NotInList(bool& Cancel) { (void)Cancel; }
};

}  // namespace cp
