#include "reports/ErrorReport.h"

#include "platform/Host.h"

namespace cp {
namespace {

// The report's own failure: its description in a box titled "Attention!", with "!" added
// unless the description already ends with a full stop.
void ReportOwnFailure() {
    std::string text;
    try {
        text = CurrentError().Description();
    } catch (...) {
        text = StandardDescription(vberr::InvalidProcedureCall);
    }
    if (text.empty() || text.back() != '.') text += "!";
    try {
        host::MsgBox(text, vbExclamation, titles::kOwnFailure);
    } catch (...) {
        // Nothing is left to tell the user with; the report is the end of the line.
    }
}

}  // namespace

void ErrorReport(std::int32_t number, std::string_view description, std::string_view title,
                 std::string_view message) {
    try {
        // The hourglass of a database fill must not outlive the failure.
        host::SetScreenMousePointer(vbDefault);
        const std::string text = std::string(message) + "\r\n\r\nError " + std::to_string(number) +
                                 ": " + std::string(description);
        host::MsgBox(text, vbCritical, title);
    } catch (...) {
        ReportOwnFailure();
    }
}

void ReportCurrentError(std::string_view title, std::string_view message) {
    const RuntimeError error = CurrentError();
    ErrorReport(error.Number(), error.Description(), title, message);
}

void ReportCurrentSubError(std::string_view name) {
    const std::string title = std::string(titles::kSubTitle).append(name);
    const std::string message = std::string(titles::kSubMessage).append(name).append("!");
    ReportCurrentError(title, message);
}

}  // namespace cp
