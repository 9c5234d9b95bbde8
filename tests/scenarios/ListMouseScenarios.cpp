// Picking a row with the mouse: one pick, one AfterUpdate, however the row was reached.
#include <gtest/gtest.h>

#include "tests/scenarios/ScenarioFixture.h"

namespace cp::test {
namespace {

class ListMouseScenario : public ControlScenario {
protected:
    void ExpectCommitted(int row) {
        EXPECT_EQ(Read(), (Reading{RowText(row), 0, 3, row, row, false}));
        EXPECT_EQ((std::tuple{driver->EditHasFocus(control), CommittedRow(), Log()}),
                  (std::tuple{true, row, Events{"AfterUpdate"}}));
    }
};

TEST_F(ListMouseScenario, TheRowUnderThePointerFollowsItAndAClickPicksItOnce) {
    OpenNumbered(10);
    driver->MouseMoveOnList(control, kX, RowY(3));
    EXPECT_TRUE(Log().empty());
    // A key moves the row on, and the pointer takes it back from there.
    driver->PressKey(vbKeyDown);
    driver->MouseMoveOnList(control, kX, RowY(3));
    EXPECT_EQ(driver->ListSelection(control), 3);
    events.ClearLog();

    driver->MouseDownOnList(control, kX, RowY(3));
    driver->MouseUpOnList(control, kX, RowY(3));
    ExpectCommitted(3);
}

// While the button is held the list window follows the pointer itself as well, so a movement
// below or above it may scroll by more than the control's one row; every movement scrolls, the
// bottom (or top) visible row stays selected, and the ends are kept.
TEST_F(ListMouseScenario, DraggingScrollsToTheEndsAndTheReleaseOrAPressOnAnotherRowPicksOnce) {
    OpenNumbered(20);
    driver->MouseDownOnList(control, kX, RowY(7));
    // The floating list never takes the focus from the edit field.
    EXPECT_TRUE(driver->EditHasFocus(control));
    int previous = driver->ListTopIndex(control);
    for (int move = 0; move < 20 && previous < 12; ++move) {
        driver->MouseMoveOnList(control, kX, RowY(8) + 300);
        const int top = driver->ListTopIndex(control);
        EXPECT_GT(top, previous);
        EXPECT_EQ(driver->ListSelection(control), top + 7);
        previous = top;
    }
    EXPECT_EQ(previous, 12);
    driver->MouseMoveOnList(control, kX, RowY(8) + 300);
    EXPECT_EQ(driver->ListTopIndex(control), 12);
    EXPECT_EQ(driver->ListSelection(control), 19);

    for (int move = 0; move < 20 && previous > 0; ++move) {
        driver->MouseMoveOnList(control, kX, -150);
        const int top = driver->ListTopIndex(control);
        EXPECT_LT(top, previous);
        EXPECT_EQ(driver->ListSelection(control), top);
        previous = top;
    }
    // Above a list at its first row the list stays there.
    driver->MouseMoveOnList(control, kX, -150);
    EXPECT_EQ(driver->ListTopIndex(control), 0);
    EXPECT_EQ((std::pair{previous, Log()}), (std::pair{0, Events{}}));
    driver->MouseUpOnList(control, kX, -150);
    ExpectCommitted(0);

    // A press on another row than the tracked one picks that row once.
    OpenList();
    driver->MouseMoveOnList(control, kX, RowY(1));
    driver->MouseDownOnList(control, kX, RowY(4));
    driver->MouseUpOnList(control, kX, RowY(4));
    ExpectCommitted(4);
}

}  // namespace
}  // namespace cp::test
