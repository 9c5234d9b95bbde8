#include "tests/support/EventRecorder.h"

#include <algorithm>

namespace cp::test {

void EventRecorder::AfterUpdate() {
    log_.push_back("AfterUpdate");
    Handled();
}

void EventRecorder::KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
    log_.push_back("KeyDown(" + std::to_string(KeyCode) + "," + std::to_string(Shift) + ")");
    if (onKeyDown) onKeyDown(KeyCode, Shift);
    Handled();
}

void EventRecorder::KeyPress(std::int16_t& KeyAscii) {
    log_.push_back("KeyPress(" + std::to_string(KeyAscii) + ")");
    if (onKeyPress) onKeyPress(KeyAscii);
    Handled();
}

void EventRecorder::KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
    log_.push_back("KeyUp(" + std::to_string(KeyCode) + "," + std::to_string(Shift) + ")");
    Handled();
}

void EventRecorder::Change() {
    log_.push_back("Change");
    Handled();
}

void EventRecorder::NotInList(bool& Cancel) {
    log_.push_back(std::string("NotInList(") + (Cancel ? "1" : "0") + ")");
    Cancel = cancelNotInList;
    Handled();
}

void EventRecorder::Handled() {
    if (onEvent) onEvent(log_.back());
}

std::string EventRecorder::Joined() const {
    std::string out;
    for (const auto& e : log_)
        out += (out.empty() ? "" : ", ") + e;
    return out;
}

int EventRecorder::Count(const std::string& name) const {
    return static_cast<int>(std::count_if(log_.begin(), log_.end(), [&](const std::string& e) {
        return e.compare(0, name.size(), name) == 0;
    }));
}

}  // namespace cp::test
