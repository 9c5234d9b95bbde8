// The shared error report: every procedure with an error trap hands its failure here, which
// shows title, message, number and description in a message box.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "reports/ReportTitles.h"
#include "runtime/RuntimeError.h"

namespace cp {

void ErrorReport(std::int32_t number, std::string_view description, std::string_view title,
                 std::string_view message);

// Reports the failure being handled (call it only from inside a catch block).
void ReportCurrentError(std::string_view title, std::string_view message);
// The same with the control's own wording for a sub: "ColumnPick - <name>" over "Unable to
// execute the sub <name>!".
void ReportCurrentSubError(std::string_view name);

// Runs body under an error trap: a failure ends it and goes to the error report with the given
// title and message. Returns false when the body failed.
template <class Body>
bool Trapped(const ReportTitle& report, Body&& body) {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (...) {
        ReportCurrentError(report.title, report.message);
        return false;
    }
}

// The trap of the control's own subs. The texts are only put together when a failure comes,
// so that a trapped procedure costs nothing on its normal path.
template <class Body>
bool TrappedSub(std::string_view name, Body&& body) {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (...) {
        ReportCurrentSubError(name);
        return false;
    }
}

}  // namespace cp
