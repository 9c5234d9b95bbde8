// Finding rows by any part of them: the word-start and contains modes over chosen columns, and
// the list that shows only the matching rows. The rows the list shows are read as a screen
// reader reads them.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "runtime/Conversions.h"
#include "tests/scenarios/ScenarioFixture.h"

namespace cp::test {
namespace {

class SearchScenario : public ControlScenario {
protected:
    SearchScenario() {
        control.ColumnCount(2);
        control.ColumnWidths("1500;500");
        control.BoundColumn(1);
        control.AddList(
            "Finland;FI;France;FR;Germany;DE;Iceland;IS;Ireland;IE;New Zealand;NZ;"
            "Papua New Guinea;PG;Poland;PL;Switzerland;CH;Thailand;TH");
    }

    void Search(std::int16_t mode, const std::string& columns, bool filter) {
        control.MatchMode(mode);
        control.SearchColumns(columns);
        control.FilterList(filter);
        driver->FocusControl(control);
    }
    // The list filtered by the search, open.
    void OpenFiltered(std::int16_t mode, const std::string& columns) {
        Search(mode, columns, true);
        control.ShowDropDown();
    }

    // What the user sees: the text, the rows the list shows, the one selected in it and
    // ListIndex.
    using Seen = std::tuple<std::string, std::vector<std::string>, int, std::int32_t>;
    // The ten rows, as the list shows them unfiltered.
    static std::vector<std::string> AllRows() {
        return {"Finland, FI",     "France, FR",      "Germany, DE",          "Iceland, IS",
                "Ireland, IE",     "New Zealand, NZ", "Papua New Guinea, PG", "Poland, PL",
                "Switzerland, CH", "Thailand, TH"};
    }
    // The seven rows that hold "land".
    static std::vector<std::string> LandRows() {
        return {"Finland, FI", "Iceland, IS",     "Ireland, IE", "New Zealand, NZ",
                "Poland, PL",  "Switzerland, CH", "Thailand, TH"};
    }
    Seen Look() {
        return {Text(), RowNames(0, control.RowCount()), driver->ListSelection(control),
                control.ListIndex()};
    }
};

TEST_F(SearchScenario, ContainsFiltersTheOpenListAndEnterCommitsTheFirstMatch) {
    OpenFiltered(2, "0");
    driver->TypeText("land");

    EXPECT_EQ(Look(), (Seen{"land", LandRows(), 0, 0}));
    EXPECT_TRUE(driver->ListVisible(control));
    // The list's keys move through the rows shown; ListIndex stays a row of the table.
    driver->PressKey(vbKeyDown);
    EXPECT_EQ(Look(), (Seen{"Iceland", LandRows(), 1, 3}));

    events.ClearLog();
    driver->PressKey(vbKeyReturn);
    EXPECT_EQ((std::tuple{driver->ListVisible(control), Text(), CStr(control.Value()),
                          control.ListCount(), Log()}),
              (std::tuple{false, "Iceland", "IS", 10,
                          Events{"KeyDown(13,0)", "AfterUpdate", "KeyPress(0)", "KeyUp(13,0)"}}));

    // The list reopens on every row.
    control.ShowDropDown();
    EXPECT_EQ((std::tuple{control.RowCount(), driver->ListSelection(control)}),
              (std::tuple{10, 3}));

    // Escape from a list filtered to other rows goes back to the committed row among them all.
    driver->TypeText("f");
    driver->PressKey(vbKeyEscape);
    EXPECT_EQ(Look(), (Seen{"Iceland", AllRows(), 3, 3}));
}

TEST_F(SearchScenario, WordStartFindsAWordInsideTheNameWithoutCompletingTheText) {
    Search(1, "0", false);
    driver->TypeText("new g");
    EXPECT_EQ(Look(), (Seen{"new g", AllRows(), 6, 6}));
}

TEST_F(SearchScenario, TheCodeColumnIsSearchedWithTheNameColumnAndThePrefixModeFiltersToo) {
    OpenFiltered(1, "1;0");
    driver->TypeText("ch");
    EXPECT_EQ(Look(), (Seen{"ch", {"Switzerland, CH"}, 0, 8}));

    // A word start in the name column counts as much as the code.
    driver->PressKey(vbKeyBack);
    driver->PressKey(vbKeyBack);
    driver->TypeText("f");
    EXPECT_EQ(Look(), (Seen{"f", {"Finland, FI", "France, FR"}, 0, 0}));

    // The prefix mode filters too.
    control.MatchMode(0);
    control.SearchColumns("0");
    driver->SelectText(0, 1);
    driver->TypeText("f");
    EXPECT_EQ(Look(), (Seen{"Finland", {"Finland, FI", "France, FR"}, 0, 0}));
}

TEST_F(SearchScenario, SwitchingTheModeWhileTheListIsOpenShowsEveryRowOnTheCurrentRow) {
    OpenFiltered(2, "0");
    driver->TypeText("land");
    driver->PressKey(vbKeyDown);
    control.FilterList(false);
    const Seen every{"Iceland", AllRows(), 3, 3};
    EXPECT_EQ(Look(), every);
    // The current row goes to the top, as far as the list lets it.
    EXPECT_EQ(driver->ListTopIndex(control), 2);
    control.MatchMode(0);
    EXPECT_EQ(Look(), every);
}

// The open list is as tall as the rows it shows (the height of one row when it shows none) and
// grows back with them, on its place under the control; a list filtered to no row comes back
// with its rows.
TEST_F(SearchScenario, TheOpenListTakesTheHeightOfTheRowsItShows) {
    OpenFiltered(2, "0");
    const LONG top = driver->ListScreenRect(control).top;
    std::vector<LONG> heights;
    const auto look = [&] {
        const RECT list = driver->ListScreenRect(control);
        heights.push_back(list.bottom - list.top);
        EXPECT_EQ(list.top, top) << "after \"" << Text() << "\"";
    };
    look();  // eight rows of ten
    driver->TypeText("land");
    look();  // seven
    driver->TypeText("x");
    EXPECT_EQ(Look(), (Seen{"landx", {}, -1, -1}));
    EXPECT_TRUE(driver->ListVisible(control));
    look();  // none
    driver->PressKey(vbKeyBack);
    EXPECT_EQ(Look(), (Seen{"land", LandRows(), 0, 0}));
    look();
    driver->SelectText(0, 4);
    driver->PressKey(vbKeyBack);
    look();

    const LONG one = heights[2];
    const LONG row = (heights[0] - one) / 7;
    EXPECT_GT(row, 0);
    EXPECT_EQ(heights,
              (std::vector<LONG>{one + 7 * row, one + 6 * row, one, one + 6 * row, one + 7 * row}));
}

// A host that adds a row from an event ends the filter: the open list shows every row again,
// as tall as it was before the typing, with its selection on the current row.
TEST_F(SearchScenario, ARowAddedFromAnEventGivesTheFilteredListItsHeightBack) {
    constexpr std::int16_t kKeyF6 = 117;  // a key that the control leaves to the host
    OpenFiltered(2, "0");
    const RECT before = driver->ListScreenRect(control);
    driver->TypeText("land");
    driver->PressKey(vbKeyDown);
    ASSERT_EQ(control.RowCount(), 7);
    events.onKeyDown = [&](std::int16_t& keyCode, std::int16_t&) {
        if (keyCode == kKeyF6) control.AddItem("Zambia;ZM");
    };
    driver->PressKey(kKeyF6);

    EXPECT_TRUE(driver->ListVisible(control));
    std::vector<std::string> withZambia = AllRows();
    withZambia.push_back("Zambia, ZM");
    EXPECT_EQ(Look(), (Seen{"Iceland", withZambia, 3, 3}));
    const RECT after = driver->ListScreenRect(control);
    EXPECT_EQ((std::tuple{after.top, after.bottom}), (std::tuple{before.top, before.bottom}));
}

}  // namespace
}  // namespace cp::test
