// One ColumnPick on a form of the simulated platform, started as a host starts it, with its
// events recorded: the common ground of the control's unit tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "control/ColumnPick.h"
#include "platform/sim/Form.h"
#include "platform/sim/World.h"
#include "tests/support/ColumnPickProbe.h"
#include "tests/support/EventRecorder.h"

namespace cp::test {

struct SimControlOptions {
    sim::ControlPlacement placement{};
    sim::FormOptions form{};
    bool started = true;  // the component's start routine has run on the thread
};

class SimControl {
public:
    explicit SimControl(SimControlOptions options = {});

    ColumnPick& control() { return *control_; }
    ColumnPickProbe& probe() { return probe_; }
    sim::ControlHost& host() { return *host_; }
    sim::World& world() { return world_; }
    sim::Form& form() { return form_; }
    EventRecorder& events() { return events_; }

    // The prompts of the message boxes shown so far.
    std::vector<std::string> Prompts() const;
    // The list window's row count, selection and top row as the window itself holds them.
    int ListWindowCount();
    int ListWindowSelection();
    int ListWindowTopIndex();

    // Sets widths and fills the table from an item string; fails the test on any message.
    void Fill(std::int16_t columns, const std::string& widths, const std::string& items);

private:
    sim::World world_;
    sim::Form form_;
    EventRecorder events_;
    sim::ControlHost* host_ = nullptr;
    ColumnPick* control_ = nullptr;
    ColumnPickProbe probe_;
};

}  // namespace cp::test
