// The one control-on-a-form fixture of the tests on the simulated platform: a SimControl that
// is a test.
#pragma once

#include <gtest/gtest.h>

#include "tests/support/sim/SimControl.h"

namespace cp::test {

class ControlOnForm : public ::testing::Test, public SimControl {
protected:
    explicit ControlOnForm(SimControlOptions options = {}) : SimControl(std::move(options)) {}
};

}  // namespace cp::test
