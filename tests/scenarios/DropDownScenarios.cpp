// Opening and closing the list as a user and the host see it.
#include <gtest/gtest.h>

#include "tests/scenarios/ScenarioFixture.h"

namespace cp::test {
namespace {

using DropDownScenario = ControlScenario;

TEST_F(DropDownScenario, ShowDropDownOpensTheListUnderTheControlOnTheRowOfTheText) {
    Start(Numbered(5));
    driver->TypeText("r03");
    events.ClearLog();
    control.ShowDropDown();

    ASSERT_EQ(Read(), (Reading{"r03", 3, 0, 3, 3, true}));
    const RECT list = driver->ListScreenRect(control);
    const RECT box = driver->ControlScreenRect(control);
    EXPECT_EQ((std::tuple{list.top, list.left, list.right - list.left}),
              (std::tuple{box.bottom, box.left, box.right - box.left}));
    EXPECT_EQ((std::pair{driver->EditHasFocus(control), Log()}), (std::pair{true, Events{}}));
}

TEST_F(DropDownScenario, AClickElsewhereOrAnotherWindowActivatedClosesTheListWithoutACommit) {
    Start(Numbered(5));
    struct Case {
        const char* where;
        void (*click)(Driver&);
    };
    const Case cases[] = {
        {"on the form", [](Driver& d) { d.ClickOnForm(90, 90); }},
        {"on the caption", [](Driver& d) { d.ClickOnCaption(); }},
    };
    // The list opens again as often as the user likes.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        control.ShowDropDown();
        ASSERT_TRUE(driver->ListVisible(control));
        driver->MouseMoveOnList(control, 300, 400);
        events.ClearLog();
        c.click(*driver);

        EXPECT_EQ(Read(), (Reading{"", 0, 0, -1, 1, false}));
        EXPECT_EQ((std::tuple{driver->EditHasFocus(control), Log(), CommittedRow()}),
                  (std::tuple{true, Events{}, -1}));
    }

    // The form losing the activation closes the list; the control stays the form's active
    // control, so nothing is committed until the focus goes to another control of the form.
    driver->TypeText("r02");
    control.ShowDropDown();
    events.ClearLog();
    driver->ActivateOtherWindow();

    EXPECT_EQ(Read(), (Reading{"r02", 3, 0, 2, 2, false}));
    EXPECT_EQ((std::tuple{driver->EditHasFocus(control), Log(), CommittedRow()}),
              (std::tuple{true, Events{}, -1}));

    driver->FocusControl(control);
    driver->MoveFocusAway();
    EXPECT_EQ(Log(), (Events{"AfterUpdate"}));
    EXPECT_EQ(RowEscapeRestores(), 2);
}

// Unedited, the text stands for the committed row: the list opens with that row at its top,
// however far it was scrolled away when it closed.
TEST_F(DropDownScenario, TheListOpensWithTheCommittedRowAtItsTop) {
    Start(Numbered(20));
    driver->TypeText("r10");
    driver->PressKey(vbKeyReturn);
    driver->PressKey(vbKeyDown, vbAltMask);
    driver->PressListScrollBar(control, Driver::ScrollPress::PageAbove);
    driver->PressListScrollBar(control, Driver::ScrollPress::PageAbove);
    driver->PressKey(vbKeyEscape);
    driver->PressKey(vbKeyDown, vbAltMask);

    EXPECT_EQ((std::pair{Read(), driver->ListTopIndex(control)}),
              (std::pair{Reading{"r10", 0, 3, 10, 10, true}, 10}));
}

}  // namespace
}  // namespace cp::test
