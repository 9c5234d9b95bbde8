// The error trap of the database fills, which hands a failure to the error report with a
// description that tells the user where it came from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "reports/ErrorReport.h"
#include "runtime/RuntimeError.h"

namespace cp {

class Database;

// The description of a failure of the query fill: the database's name goes with the engine's
// text when a name was taken for a parameter (with advice on brackets) or the input table or
// query is unknown; any other failure keeps its own description.
std::string QueryFailureDescription(const RuntimeError& error, Database& dbDatabase);

// The description of a failure of the recordset fill, always with advice: on brackets when a
// name was taken for a parameter, on the cursor type otherwise.
std::string RecordsetFailureDescription(const RuntimeError& error);

// Runs a fill under the error trap: a failure ends it and goes to the error report with the
// fill's title and message and the description that describe composes for it.
template <class Describe, class Body>
void TrappedFill(const ReportTitle& report, Describe&& describe, Body&& body) {
    Trapped(report, [&] {
        try {
            std::forward<Body>(body)();
        } catch (...) {
            const RuntimeError error = CurrentError();
            throw RuntimeError(error.Number(), describe(error));
        }
    });
}

}  // namespace cp
