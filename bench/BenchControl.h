// The control that the fill benchmarks fill: three columns, on a form of the simulated platform.
#pragma once

#include <memory>

#include "control/ColumnPick.h"
#include "platform/sim/Form.h"
#include "platform/sim/World.h"
#include "reports/Startup.h"

namespace cp::bench {

class BenchControl {
    // The component starts before its first control is made, as a host's does: the list it
    // makes is then the control's data-less one.
    struct Started {
        Started() { ComponentStart(); }
    };

public:
    BenchControl() {
        control_.ColumnCount(std::int16_t{3});
        control_.ColumnWidths("600;1200;1800");
    }
    ColumnPick& Control() { return control_; }
    // The simulator records every drawing and measuring call; a benchmark that repeats them
    // forgets the record between rounds.
    void ForgetDrawing() { world_.Graphics().ClearLog(); }
    // The simulated world, for a benchmark that types into the control and runs its messages.
    sim::World& World() { return world_; }
    // The control's edit field, which takes the keys typed.
    HWND EditHwnd() const { return host_.EditHwnd(); }
    // The first message box that a fill showed, or null.
    const char* FirstMessage() const {
        return world_.MessageBoxes().empty() ? nullptr : world_.MessageBoxes()[0].prompt.c_str();
    }

private:
    Started started_;
    sim::World world_;
    sim::Form form_{world_};
    sim::ControlHost& host_ = form_.AddControl(
        [](const ControlSite& site) { return std::make_unique<ColumnPick>(site); });
    ColumnPick& control_ = host_.ControlAs<ColumnPick>();
};

}  // namespace cp::bench
