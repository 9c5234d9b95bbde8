#include <gtest/gtest.h>

#include "platform/HostForm.h"
#include "tests/scenarios/ScenarioFixture.h"

namespace cp::test {
namespace {

// The middle of the drop-down button of a control of the default width, which sits inside the
// sunken frame at the right end: ten pixels in from the right edge, halfway down.
constexpr float kButtonX = form::kControlWidth - 150;
constexpr float kButtonY = 150;

using ButtonScenario = ControlScenario;

// Any mouse button opens the list on the row of the text; a second press closes it, and the
// press that closed the list ended with it, so the next one opens again.
TEST_F(ButtonScenario, APressOpensTheListOnTheRowOfTheTextAndASecondPressClosesIt) {
    Fill({"Apple", "Banana", "Cherry"});
    control.Text("Banana");
    for (std::int16_t button : {kLeftButton, kRightButton, kMiddleButton}) {
        SCOPED_TRACE(button);
        for (int press = 0; press < 2; ++press) {
            driver->MouseDownOnControl(control, kButtonX, kButtonY, button);
            driver->MouseUpOnControl(control, kButtonX, kButtonY, button);
            const bool open = press == 0;
            EXPECT_EQ(Read(), (Reading{"Banana", 0, 0, 1, 1, open}));
            EXPECT_TRUE(driver->EditHasFocus(control));
        }
    }
}

}  // namespace
}  // namespace cp::test
