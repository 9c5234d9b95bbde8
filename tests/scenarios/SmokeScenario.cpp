// The smallest user scenario: a control on a form takes what the user types.
#include <gtest/gtest.h>

#include "tests/scenarios/Driver.h"

namespace cp::test {
namespace {

TEST(SmokeScenario, TypedTextAppearsInTheEditField) {
    auto driver = MakeDriver();
    EventRecorder events;
    ColumnPick& control = driver->AddControl(ControlSpec{}, events);
    driver->FocusControl(control);
    driver->TypeText("abc");
    EXPECT_EQ(driver->EditText(control), "abc");
    EXPECT_TRUE(driver->EditHasFocus(control));
    EXPECT_TRUE(driver->MessageBoxes().empty());
}

}  // namespace
}  // namespace cp::test
