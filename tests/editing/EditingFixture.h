// A control on a simulated form, for the editing tests that reach past what a user can do:
// failures planned in the simulator, and the private procedures and state record.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/ColumnPick.h"
#include "control/Startup.h"
#include "platform/sim/Form.h"
#include "platform/sim/ListBoxClass.h"
#include "platform/sim/User.h"
#include "platform/sim/World.h"
#include "tests/support/ColumnPickProbe.h"
#include "tests/support/EventRecorder.h"

namespace cp::test {

class EditingTest : public ::testing::Test {
protected:
    EditingTest() {
        // A data-less list, whether or not a creation hook already made it one.
        if (sim::ListBoxState* list = sim::InspectListBox(host.ListHwnd()))
            list->style |= LBS_NODATA | LBS_OWNERDRAWFIXED;
        control.SetEventSink(&events);
    }

    // One row per text, in one column.
    void Fill(const std::vector<std::string>& rows) {
        std::string items;
        for (const std::string& row : rows)
            items += (items.empty() ? "" : ";") + row;
        control.ColumnWidths("1500");
        control.AddList(items);
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

    // The component starts on the thread before its first control is created.
    bool started = (ComponentStart(), true);
    sim::World world;
    sim::Form form{world};
    sim::User user{world};
    sim::ControlHost& host =
        form.AddControl([](const ControlSite& site) { return std::make_unique<ColumnPick>(site); });
    ColumnPick& control = host.ControlAs<ColumnPick>();
    ColumnPickProbe probe{control};
    EventRecorder events;
};

}  // namespace cp::test
