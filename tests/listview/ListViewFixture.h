// A control on a simulated form whose rows the tests draw and whose windows they drive.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "control/ColumnPick.h"
#include "control/Startup.h"
#include "platform/sim/Form.h"
#include "platform/sim/World.h"
#include "tests/support/ColumnPickProbe.h"

namespace cp::test {

inline std::unique_ptr<HostedControl> MakeColumnPick(const ControlSite& site) {
    return std::make_unique<ColumnPick>(site);
}

class ListViewTest : public ::testing::Test {
protected:
    ListViewTest() { ComponentStart(); }

    sim::ControlHost& AddControl(sim::Form& form) { return form.AddControl(&MakeColumnPick); }
    static ColumnPick& ControlOf(sim::ControlHost& host) { return host.ControlAs<ColumnPick>(); }

    sim::World world;
    sim::Form form{world};
};

}  // namespace cp::test
