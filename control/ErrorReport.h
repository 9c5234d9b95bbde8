// The shared error report: every procedure with an error trap hands its failure here, which
// shows title, message, number and description in a message box.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/RuntimeError.h"

namespace cp {

void ErrorReport(std::int32_t number, std::string_view description, std::string_view title,
                 std::string_view message);

// Runs body under an error trap: a failure ends it and goes to the error report with the given
// title and message. Returns false when the body failed.
template <class Body>
bool Trapped(std::string_view title, std::string_view message, Body&& body) {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (...) {
        const RuntimeError error = CurrentError();
        ErrorReport(error.Number(), error.Description(), title, message);
        return false;
    }
}

// The trap of the control's own subs: "ColumnPick - <name>" over "Unable to execute the sub
// <name>!".
template <class Body>
bool TrappedSub(std::string_view name, Body&& body) {
    const std::string title = "ColumnPick - " + std::string(name);
    const std::string message = "Unable to execute the sub " + std::string(name) + "!";
    return Trapped(title, message, std::forward<Body>(body));
}

}  // namespace cp
