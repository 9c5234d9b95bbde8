#include <gtest/gtest.h>

#include "tests/scenarios/ScenarioFixture.h"

namespace cp::test {
namespace {

class NavigationScenario : public ControlScenario {
protected:
    // Types the row's text, which selects the row "r<nn>".
    void GoToRow(int row) {
        driver->SelectText(0, static_cast<int>(Text().size()));
        driver->TypeText(RowText(row));
        ASSERT_EQ(control.ListIndex(), row);
    }
};

// At the ends the row stays, and its text is written again and selected.
TEST_F(NavigationScenario, PageAndArrowKeysStepAndStopAtTheEnds) {
    Start(Numbered(20));  // eight list rows, the default
    struct Case {
        int from;
        std::int16_t key;
        int to;
    };
    for (const Case& c :
         {Case{3, vbKeyPageDown, 10}, Case{15, vbKeyPageDown, 19}, Case{10, vbKeyPageUp, 3},
          Case{5, vbKeyPageUp, 0}, Case{19, vbKeyDown, 19}, Case{0, vbKeyUp, 0}}) {
        GoToRow(c.from);
        events.ClearLog();
        driver->PressKey(c.key);

        EXPECT_EQ(Read(), (Reading{RowText(c.to), 0, 3, c.to, c.to, false}))
            << c.from << " key " << c.key;
        EXPECT_EQ(Log(),
                  (Events{"Change", "KeyDown(0,0)", "KeyUp(" + std::to_string(c.key) + ",0)"}));
    }
}

TEST_F(NavigationScenario, ALockedControlOpensNothingOnAltDownAndTakesNoTyping) {
    Fill({"Apple", "Banana"});
    control.Locked(true);
    driver->FocusControl(control);
    driver->PressKey(vbKeyDown, vbAltMask);

    EXPECT_EQ(Read(), (Reading{"", 0, 0, -1, -1, false}));
    EXPECT_EQ(Log(), (Events{"KeyDown(40,4)", "KeyUp(40,4)"}));
    driver->TypeText("a");
    driver->PressKey(vbKeyBack);
    EXPECT_EQ(Text(), "");
}

// Up with no current row raises NotInList, then Change.
TEST_F(NavigationScenario, AltShiftDownMovesLikeDownAndUpFromNoRowAsksNotInList) {
    Start({"Apple", "Banana"});
    driver->PressKey(vbKeyDown, vbAltMask | vbShiftMask);
    EXPECT_EQ(Read(), (Reading{"Apple", 0, 5, 0, 0, false}));
    EXPECT_EQ(Log(), (Events{"Change", "KeyDown(0,5)", "KeyUp(40,5)"}));

    driver->TypeText("x");
    events.ClearLog();
    driver->PressKey(vbKeyUp);
    EXPECT_EQ(Read(), (Reading{"x", 0, 1, -1, -1, false}));
    EXPECT_EQ(Log(), (Events{"NotInList(0)", "Change", "KeyDown(0,0)", "KeyUp(38,0)"}));
}

// Alt+Down opens the list on the typed row and Alt+Up closes it; Escape after navigating in the
// open list restores the committed row.
TEST_F(NavigationScenario, AltDownOpensTheListAndEscapeAfterNavigatingRestoresTheCommittedRow) {
    Start({"Apple", "Banana", "Cherry"});
    driver->TypeText("b");
    events.ClearLog();
    driver->PressKey(vbKeyDown, vbAltMask);

    EXPECT_EQ(Read(), (Reading{"Banana", 1, 5, 1, 1, true}));
    EXPECT_TRUE(driver->EditHasFocus(control));

    driver->PressKey(vbKeyUp, vbAltMask);
    EXPECT_EQ(Read(), (Reading{"Banana", 1, 5, 1, 1, false}));
    EXPECT_TRUE(driver->EditHasFocus(control));
    EXPECT_EQ(Log(), (Events{"KeyDown(40,4)", "KeyUp(40,4)", "KeyDown(38,4)", "KeyUp(38,4)"}));
    // With the list closed, Escape leaves the typed row as it is.
    driver->PressKey(vbKeyEscape);
    ASSERT_EQ(Read(), (Reading{"Banana", 1, 5, 1, 1, false}));
    driver->PressKey(vbKeyReturn);
    driver->PressKey(vbKeyDown, vbAltMask);
    driver->PressKey(vbKeyDown);
    ASSERT_EQ(Text(), "Cherry");
    ASSERT_TRUE(driver->ListVisible(control));
    events.ClearLog();
    driver->PressKey(vbKeyEscape);

    EXPECT_EQ(Read(), (Reading{"Banana", 0, 0, 1, 1, false}));
    EXPECT_TRUE(driver->EditHasFocus(control));
    EXPECT_EQ(Log(), (Events{"KeyDown(27,0)", "KeyPress(0)", "KeyUp(27,0)"}));

    driver->MoveFocusAway();
    EXPECT_EQ(Log(), (Events{"KeyDown(27,0)", "KeyPress(0)", "KeyUp(27,0)"}));
}

}  // namespace
}  // namespace cp::test
