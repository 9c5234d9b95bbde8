// A control on a simulated form, for the editing tests that reach past what a user can do:
// failures planned in the simulator, and the private procedures and state record.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/ListBoxClass.h"
#include "platform/sim/User.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {

class EditingTest : public ::testing::Test {
protected:
    // One row per text, in one column.
    void Fill(const std::vector<std::string>& rows) {
        std::string items;
        for (const std::string& row : rows)
            items += (items.empty() ? "" : ";") + row;
        simControl.Fill(1, "1500", items);
    }
    void Focus() { user.Focus(host.EditHwnd()); }
    std::string Text() { return control.Text(); }
    // The titles of the message boxes shown so far.
    std::vector<std::string> ReportTitles() {
        std::vector<std::string> titles;
        for (const sim::MessageBoxRecord& box : world.MessageBoxes())
            titles.push_back(box.title.value_or(""));
        return titles;
    }

    SimControl simControl;
    sim::World& world = simControl.world();
    sim::Form& form = simControl.form();
    sim::ControlHost& host = simControl.host();
    ColumnPick& control = simControl.control();
    ColumnPickProbe& probe = simControl.probe();
    EventRecorder& events = simControl.events();
    sim::User user{world};
};

}  // namespace cp::test
