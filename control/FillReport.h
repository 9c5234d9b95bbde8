// The texts of the database fills and their error trap, which hands a failure to the error
// report with a description that tells the user where it came from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "reports/ErrorReport.h"
#include "runtime/RuntimeError.h"

namespace cp {

class Database;

namespace messages {

inline constexpr const char* kFillWidthsFirst =
    "You must specify the width of the columns before filling the combobox! Example: "
    "ColumnPick1.ColumnWidths = \"\" for one column (the width of the listbox equals the "
    "combobox width) or \"1000;1800\" for two columns.";

inline constexpr const char* kFillTitle = "ColumnPick - FillComboBoxMultiColumn";
inline constexpr const char* kQueryFillMessage =
    "Unable to execute the sub FillComboBoxMultiColumn!";
inline constexpr const char* kRecordsetFillMessage =
    "Unable to execute the Function FillComboBoxMultiColumnRecordset!";

}  // namespace messages

// The description of a failure of the query fill: the database's name goes with the engine's
// text when a name was taken for a parameter (with advice on brackets) or the input table or
// query is unknown; any other failure keeps its own description.
std::string QueryFailureDescription(const RuntimeError& error, Database& dbDatabase);

// The description of a failure of the recordset fill, always with advice: on brackets when a
// name was taken for a parameter, on the cursor type otherwise.
std::string RecordsetFailureDescription(const RuntimeError& error);

// Runs a fill under the error trap: a failure ends it and goes to the error report with the
// fills' title, the given message and the description that describe composes for it.
template <class Describe, class Body>
void TrappedFill(std::string_view message, Describe&& describe, Body&& body) {
    Trapped(messages::kFillTitle, message, [&] {
        try {
            std::forward<Body>(body)();
        } catch (...) {
            const RuntimeError error = CurrentError();
            throw RuntimeError(error.Number(), describe(error));
        }
    });
}

}  // namespace cp
