#include <gtest/gtest.h>

#include "tests/scenarios/ScenarioFixture.h"

namespace cp::test {
namespace {

class ButtonScenario : public ControlScenario {
protected:
    // The middle of the drop-down button of a control of the default width, which sits inside
    // the sunken frame at the right end: ten pixels in from the right edge, halfway down.
    static constexpr float kButtonX = ControlSetup{}.width - 150;
    static constexpr float kButtonY = 150;
    // On the frame just right of the button.
    static constexpr float kBesideButtonX = ControlSetup{}.width - 15;

    void Press(std::int16_t button = kLeftButton) {
        driver->MouseDownOnControl(control, kButtonX, kButtonY, button);
        driver->MouseUpOnControl(control, kButtonX, kButtonY, button);
    }
};

TEST_F(ButtonScenario, APressOpensTheListOnTheRowOfTheTextAndASecondPressClosesIt) {
    Fill({"Apple", "Banana", "Cherry"});
    control.Text("Banana");
    Press();
    EXPECT_TRUE(driver->ListVisible(control));
    EXPECT_TRUE(control.ComboBoxIsOpen());
    EXPECT_EQ(driver->ListSelection(control), 1);
    EXPECT_TRUE(driver->EditHasFocus(control));

    Press();
    EXPECT_FALSE(driver->ListVisible(control));
    EXPECT_FALSE(control.ComboBoxIsOpen());
    EXPECT_TRUE(driver->EditHasFocus(control));
    EXPECT_EQ(Text(), "Banana");

    // The press that closed the list ended with it: the next one opens again.
    Press();
    EXPECT_TRUE(driver->ListVisible(control));
}

TEST_F(ButtonScenario, AnyMouseButtonOpensTheList) {
    Fill({"Apple", "Banana"});
    for (std::int16_t button : {kRightButton, kMiddleButton}) {
        Press(button);
        EXPECT_TRUE(driver->ListVisible(control)) << button;
        Press(button);
        EXPECT_FALSE(driver->ListVisible(control)) << button;
    }
}

TEST_F(ButtonScenario, APressBesideTheButtonOrOnALockedControlOpensNothing) {
    Fill({"Apple", "Banana"});
    driver->MouseDownOnControl(control, kBesideButtonX, kButtonY);
    driver->MouseUpOnControl(control, kBesideButtonX, kButtonY);
    EXPECT_FALSE(driver->ListVisible(control));

    control.Locked(true);
    Press();
    EXPECT_FALSE(driver->ListVisible(control));
    EXPECT_FALSE(control.ComboBoxIsOpen());
}

}  // namespace
}  // namespace cp::test
