// Records the events that a control raises, in order, as short texts ("KeyDown(65,0)",
// "KeyPress(97)", "Change", "KeyUp(65,0)", "NotInList(0)", "AfterUpdate"), and answers them the
// way a test's host handler would.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "control/ColumnPickEvents.h"

namespace cp::test {

class EventRecorder : public ColumnPickEvents {
public:
    void AfterUpdate() override { Note("AfterUpdate"); }
    void KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void KeyPress(std::int16_t& KeyAscii) override;
    void KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override {
        Note("KeyUp(" + std::to_string(KeyCode) + "," + std::to_string(Shift) + ")");
    }
    void Change() override { Note("Change"); }
    void NotInList(bool& Cancel) override;

    const std::vector<std::string>& Log() const { return log_; }
    // The log joined with ", ", for readable failure messages.
    std::string Joined() const;
    void ClearLog() { log_.clear(); }
    // How many times an event whose text starts with `name` was raised.
    int Count(const std::string& name) const;

    // Answers that the next handlers give (they stay in force until changed).
    bool cancelNotInList = false;
    std::function<void(std::int16_t& KeyAscii)> onKeyPress;
    std::function<void(std::int16_t& KeyCode, std::int16_t& Shift)> onKeyDown;
    // Runs at the end of every handler, with the event as logged.
    std::function<void(const std::string& event)> onEvent;

private:
    // Logs the event and, once the handler's own answer is given, runs onEvent.
    void Note(std::string event, const std::function<void()>& answer = {});

    std::vector<std::string> log_;
};

}  // namespace cp::test
