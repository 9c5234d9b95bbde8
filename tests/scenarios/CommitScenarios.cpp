#include <gtest/gtest.h>

#include "tests/scenarios/ScenarioFixture.h"

namespace cp::test {
namespace {

using CommitScenario = ControlScenario;

TEST_F(CommitScenario, FocusLossCommitsATypedPrefixsRowNoRowForAnEmptiedTextAndNothingForOther) {
    Start({"Apple", "apricot"});
    // The caret stands before the "p", so typing the "a" selects the row but does not complete.
    driver->TypeText("p");
    driver->PressKey(vbKeyHome);
    driver->TypeText("a");
    ASSERT_EQ(Read(), (Reading{"ap", 1, 0, 0, 0, false}));
    events.ClearLog();
    driver->MoveFocusAway();

    EXPECT_EQ(Read(), (Reading{"Apple", 0, 0, 0, 0, false}));
    EXPECT_EQ((std::tuple{CStr(control.Value()), Log(), RowEscapeRestores()}),
              (std::tuple{"Apple", Events{"AfterUpdate"}, 0}));

    // Emptied, the text commits no row.
    driver->SelectText(0, 5);
    driver->PressKey(vbKeyDelete);
    events.ClearLog();
    driver->MoveFocusAway();
    EXPECT_EQ(Read(), (Reading{"", 0, 0, -1, -1, false}));
    EXPECT_EQ((std::tuple{control.Value().IsNull(), Log(), RowEscapeRestores()}),
              (std::tuple{true, Events{"AfterUpdate"}, -1}));

    // Text in no row, with NotInList left alone, commits nothing.
    driver->TypeText("x");
    events.ClearLog();
    driver->MoveFocusAway();

    EXPECT_EQ((std::tuple{Text(), driver->EditHasFocus(control), Log()}),
              (std::tuple{"x", false, Events{"NotInList(0)"}}));

    // The text is still unsettled: the next focus loss asks again.
    driver->FocusControl(control);
    driver->MoveFocusAway();
    EXPECT_EQ(Log(), (Events{"NotInList(0)", "NotInList(0)"}));
}

TEST_F(CommitScenario, FocusLossWithoutAnEditSinceTheLastCommitRaisesNothing) {
    Fill({"Apple", "apricot"});
    // Tabbing through a new control.
    driver->FocusControl(control);
    driver->MoveFocusAway();
    EXPECT_EQ((std::pair{Log(), CommittedRow()}), (std::pair{Events{}, -1}));

    // Nor after a commit by the focus loss itself.
    driver->FocusControl(control);
    driver->SelectText(0, 5);
    driver->TypeText("apr");
    driver->MoveFocusAway();
    ASSERT_EQ(CommittedRow(), 1);
    driver->FocusControl(control);
    events.ClearLog();
    driver->MoveFocusAway();
    EXPECT_EQ(Log(), Events{});
}

// With no current row and NotInList left alone, Enter commits no row.
TEST_F(CommitScenario, EnterCommitsEveryTimeAndNeverReachesTheField) {
    Start({"Apple", "apricot"});
    driver->TypeText("apr");
    events.ClearLog();
    driver->PressKey(vbKeyReturn);
    driver->PressKey(vbKeyReturn);

    EXPECT_EQ(Read(), (Reading{"apricot", 0, 7, 1, 1, false}));
    EXPECT_EQ(Log(), (Events{"KeyDown(13,0)", "AfterUpdate", "KeyPress(0)", "KeyUp(13,0)",
                             "KeyDown(13,0)", "AfterUpdate", "KeyPress(0)", "KeyUp(13,0)"}));
    EXPECT_EQ(RowEscapeRestores(), 1);

    driver->SelectText(0, 7);
    driver->TypeText("x");
    events.ClearLog();
    driver->PressKey(vbKeyReturn);
    EXPECT_EQ(Read(), (Reading{"x", 0, 1, -1, -1, false}));
    EXPECT_TRUE(control.Value().IsNull());
    EXPECT_EQ(Log(), (Events{"KeyDown(13,0)", "NotInList(0)", "AfterUpdate", "KeyPress(0)",
                             "KeyUp(13,0)"}));
    EXPECT_EQ(RowEscapeRestores(), -1);
}

TEST_F(CommitScenario, NavigationCommitsOnlyWhenTheFocusLeavesWithTheListClosedOrOpen) {
    Start({"Apple", "Banana", "Cherry"});
    driver->PressKey(vbKeyDown);
    driver->PressKey(vbKeyDown);
    EXPECT_EQ(events.Count("AfterUpdate"), 0);
    driver->MoveFocusAway();

    EXPECT_EQ(Read(), (Reading{"Banana", 0, 0, 1, 1, false}));
    EXPECT_EQ((std::pair{events.Count("AfterUpdate"), RowEscapeRestores()}), (std::pair{1, 1}));

    // With the list open, the focus loss closes it and commits.
    driver->SelectText(0, 6);
    driver->TypeText("c");
    driver->PressKey(vbKeyDown, vbAltMask);
    events.ClearLog();
    driver->MoveFocusAway();
    EXPECT_EQ(Read(), (Reading{"Cherry", 0, 0, 2, 2, false}));
    EXPECT_EQ((std::tuple{driver->EditHasFocus(control), Log(), RowEscapeRestores()}),
              (std::tuple{false, Events{"AfterUpdate"}, 2}));
}

// NotInList cancelled, by a focus loss or by Enter: the list opens and the text stays.
TEST_F(CommitScenario, TextInNoRowWithNotInListCancelledReopensTheList) {
    Fill({"Apple", "apricot"});
    struct Case {
        const char* how;
        void (*settle)(Driver&);
        Events log;
    };
    const Case cases[] = {
        {"focus loss", [](Driver& d) { d.MoveFocusAway(); }, {"NotInList(0)"}},
        {"Enter",
         [](Driver& d) { d.PressKey(vbKeyReturn); },
         {"KeyDown(13,0)", "NotInList(0)", "KeyPress(0)", "KeyUp(13,0)"}},
    };
    events.cancelNotInList = true;
    for (const Case& c : cases) {
        driver->FocusControl(control);
        driver->SelectText(0, static_cast<int>(Text().size()));
        driver->TypeText("x");
        events.ClearLog();
        c.settle(*driver);

        EXPECT_EQ(Read(), (Reading{"x", 1, 0, -1, -1, true})) << c.how;
        EXPECT_EQ((std::tuple{driver->EditHasFocus(control), CommittedRow(), Log()}),
                  (std::tuple{true, -1, c.log}))
            << c.how;
        control.HideListBox(AfterHide::FocusEditField);
    }
}

}  // namespace
}  // namespace cp::test
