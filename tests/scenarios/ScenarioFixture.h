// A form with one control on it, filled with one-column rows, and its events recorded: the
// common start of the editing scenarios.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/scenarios/Driver.h"
#include "tests/support/ColumnPickProbe.h"

namespace cp::test {

class ControlScenario : public ::testing::Test {
protected:
    // No scenario here expects the error report.
    void TearDown() override {
        for (const MessageBoxRecord& box : driver->MessageBoxes())
            ADD_FAILURE() << "message box: " << box.prompt;
    }

    // One row per text, in one column.
    void Fill(const std::vector<std::string>& rows) {
        std::string items;
        for (const std::string& row : rows)
            items += (items.empty() ? "" : ";") + row;
        control.ColumnWidths("1500");
        control.AddList(items);
    }
    // The rows "r00" to "r<n-1>".
    void FillNumbered(int n) {
        std::vector<std::string> rows;
        for (int i = 0; i < n; ++i)
            rows.push_back((i < 10 ? "r0" : "r") + std::to_string(i));
        Fill(rows);
    }
    std::int32_t CommittedRow() { return ColumnPickProbe(control).lngCommittedIndex(); }
    std::string Text() { return driver->EditText(control); }
    int SelStart() { return driver->SelStart(control); }
    int SelLength() { return driver->SelLength(control); }
    std::vector<std::string> Log() { return events.Log(); }

    std::unique_ptr<Driver> driver = MakeDriver();
    EventRecorder events;
    ColumnPick& control = driver->AddControl(events);
};

using Events = std::vector<std::string>;

}  // namespace cp::test
