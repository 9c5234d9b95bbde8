// The open list's scroll bar over a long list filled into memory: the arrows move it a row, the
// trough a page, and the thumb to its place; the rows shown are the rows there, the current
// row and the text stay as they were, and a click picks the row under the pointer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scenarios/ScenarioFixture.h"

namespace cp::test {
namespace {

constexpr int kShown = 8;  // the rows the open list shows

class ScrollBarScenario : public ControlScenario {
protected:
    int Top() { return driver->ListTopIndex(control); }
    // The rows the list shows, as a reader names them.
    std::vector<std::string> Shown() { return RowNames(Top(), kShown); }
    static std::vector<std::string> RowsFrom(int first) {
        std::vector<std::string> names;
        for (int r = first; r < first + kShown; ++r)
            names.push_back(RowText(r));
        return names;
    }
    using enum Driver::ScrollPress;
};

// The arrows and the trough, at either end of the list as well: nothing is selected or
// committed by them, and the list stays open.
TEST_F(ScrollBarScenario, TheArrowsMoveTheListARowAndTheTroughAPageWithinItsEnds) {
    OpenNumbered(100);
    const struct {
        Driver::ScrollPress press;
        int top;
    } steps[] = {{UpArrow, 0},   {DownArrow, 1}, {PageBelow, 1 + kShown}, {UpArrow, kShown},
                 {PageAbove, 0}, {PageAbove, 0}, {PageBelow, kShown}};
    for (const auto& step : steps) {
        driver->PressListScrollBar(control, step.press);
        EXPECT_EQ(Top(), step.top) << "after the press that should show " << step.top;
    }
    driver->DragListThumb(control, 100 - kShown);
    driver->PressListScrollBar(control, DownArrow);
    driver->PressListScrollBar(control, PageBelow);
    EXPECT_EQ(Shown(), RowsFrom(100 - kShown));
    EXPECT_EQ(Read(), (Reading{"", 0, 0, -1, -1, true}));
    EXPECT_TRUE(Log().empty());
}

// Past the 65,536 rows that the scroll bar's messages can name: the thumb's moves and its
// release show the rows at the thumb, not those at its place modulo 65,536, and a click
// there commits the row clicked.
TEST_F(ScrollBarScenario, TheThumbLetGoPastRow65535ShowsTheRowsAtTheThumb) {
    constexpr int kRows = 200000;
    OpenNumbered(kRows);
    for (const int place : {150000, 65536, 65535, 131071 + 5, kRows - kShown}) {
        driver->DragListThumb(control, place);
        EXPECT_EQ(Shown(), RowsFrom(place)) << "thumb let go at " << place;
    }
    driver->DragListThumb(control, 150000);
    EXPECT_EQ(Read(), (Reading{"", 0, 0, -1, -1, true}));
    ClickListRow(3);
    EXPECT_EQ(Read(), (Reading{RowText(150003), 0, 7, 150003, 150003, false}));
}

}  // namespace
}  // namespace cp::test
