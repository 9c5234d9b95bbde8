// A control on a simulated form that fills the screen's top-left corner, so that a control's
// place on the form is its place on the screen.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "control/ColumnPick.h"
#include "control/Startup.h"
#include "platform/sim/Form.h"
#include "platform/sim/ListBoxClass.h"
#include "platform/sim/World.h"
#include "runtime/Conversions.h"
#include "tests/support/ColumnPickProbe.h"
#include "tests/support/EventRecorder.h"

namespace cp::test {

class DropDownTest : public ::testing::Test {
protected:
    DropDownTest() { ComponentStart(); }

    // A control whose window stands at (left, top) on the screen, in pixels, 21 pixels high.
    ColumnPick& Place(int left = 40, int top = 40, float width = 2250) {
        sim::ControlPlacement placement;
        placement.left = static_cast<float>(left * kTwipsPerPixel);
        placement.top = static_cast<float>(top * kTwipsPerPixel);
        placement.width = width;
        host = &form.AddControl(
            [](const ControlSite& site) { return std::make_unique<ColumnPick>(site); }, placement);
        control = &host->ControlAs<ColumnPick>();
        control->SetEventSink(&events);
        probe = std::make_unique<ColumnPickProbe>(*control);
        return *control;
    }
    // Rows "Row 0" to "Row n-1" in one column.
    void Fill(int rows) {
        control->ColumnWidths("");
        for (int r = 0; r < rows; ++r)
            control->AddItem("Row " + std::to_string(r));
    }
    HWND List() const { return host->ListHwnd(); }
    RECT ListOnScreen() { return world.Windows().ScreenRect(List()); }
    const sim::ListBoxState& ListState() const { return *sim::InspectListBox(List()); }

    sim::World world;
    sim::Form form{world, sim::FormOptions{.left = 0, .top = 0, .width = 800, .height = 600}};
    EventRecorder events;
    sim::ControlHost* host = nullptr;
    ColumnPick* control = nullptr;
    std::unique_ptr<ColumnPickProbe> probe;
};

}  // namespace cp::test
