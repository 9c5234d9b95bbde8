#include <gtest/gtest.h>

#include "tests/scenarios/Driver.h"

namespace cp::test {
namespace {

TEST(TypingScenario, TypedTextStandsInTheFocusedEditField) {
    std::unique_ptr<Driver> driver = MakeDriver();
    EventRecorder events;
    ColumnPick& control = driver->AddControl({}, events);

    driver->FocusControl(control);
    driver->TypeText("abc");

    EXPECT_TRUE(driver->EditHasFocus(control));
    EXPECT_EQ(driver->EditText(control), "abc");
    EXPECT_EQ(driver->SelStart(control), 3);
    EXPECT_EQ(driver->SelLength(control), 0);
    EXPECT_FALSE(driver->ListVisible(control));
}

}  // namespace
}  // namespace cp::test
