#include "tests/support/EventRecorder.h"

#include <algorithm>

namespace cp::test {

void EventRecorder::KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
    Note("KeyDown(" + std::to_string(KeyCode) + "," + std::to_string(Shift) + ")", [&] {
        if (onKeyDown) onKeyDown(KeyCode, Shift);
    });
}

void EventRecorder::KeyPress(std::int16_t& KeyAscii) {
    Note("KeyPress(" + std::to_string(KeyAscii) + ")", [&] {
        if (onKeyPress) onKeyPress(KeyAscii);
    });
}

void EventRecorder::NotInList(bool& Cancel) {
    Note(std::string("NotInList(") + (Cancel ? "1" : "0") + ")", [&] { Cancel = cancelNotInList; });
}

void EventRecorder::Note(std::string event, const std::function<void()>& answer) {
    log_.push_back(std::move(event));
    if (answer) answer();
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
