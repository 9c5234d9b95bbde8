// A long filtered list: the first screen of matches shows with the keystroke, the rest of the
// rows is found between the thread's messages, and whatever needs every row finds the rest at
// once. The idle steps are held where a scenario looks at the list before they ran.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <tuple>
#include <vector>

#include "tests/scenarios/ScenarioFixture.h"

namespace cp::test {
namespace {

// More rows than a keystroke searches whole: one in four an "Island", the others a "Town".
constexpr int kRows = 40000;

std::string PlaceName(int row) {
    return (row % 4 == 1 ? "Island " : "Town ") + std::to_string(row);
}

class GrowingListScenario : public ControlScenario {
protected:
    GrowingListScenario() {
        control.ColumnCount(2);
        control.ColumnWidths("1500;500");
        std::string items;
        for (int row = 0; row < kRows; ++row)
            items += (row == 0 ? "" : ";") + PlaceName(row) + ";C" + std::to_string(row);
        control.AddList(items);
        control.MatchMode(2);
        control.FilterList(true);
        driver->FocusControl(control);
        control.ShowDropDown();
        driver->HoldIdleSteps(true);
    }
    ~GrowingListScenario() override { driver->HoldIdleSteps(false); }

    // The rows whose name holds text (lower case), in order, as the user would find them.
    static std::vector<int> MatchingRows(const std::string& text) {
        std::vector<int> found;
        for (int row = 0; row < kRows; ++row) {
            std::string name = PlaceName(row);
            for (char& c : name)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (name.find(text) != std::string::npos) found.push_back(row);
        }
        return found;
    }
    static int Matching(const std::string& text) {
        return static_cast<int>(MatchingRows(text).size());
    }
    // The list's count, its selected and top rows, and the current row of the table.
    using ListSeen = std::tuple<int, int, int, std::int32_t>;
    ListSeen LookAtList() {
        return {driver->ListWindowCount(control), driver->ListSelection(control),
                driver->ListTopIndex(control), control.ListIndex()};
    }

    // The first screen: eight rows and one more, which tells that the list scrolls.
    static constexpr int kFirstScreen = 9;
    static constexpr int kListRows = 8;  // the rows the open list shows
};

// The keystroke shows the first screen on the first match; the list grows to every match
// between messages, staying on its row; a longer text starts from the rows found before.
TEST_F(GrowingListScenario, TheFirstScreenShowsAtOnceAndTheRestBetweenMessages) {
    driver->TypeText("isl");
    EXPECT_EQ(LookAtList(), (ListSeen{kFirstScreen, 0, 0, 1}));
    EXPECT_EQ((std::tuple{driver->ListVisible(control), Text()}), (std::tuple{true, "isl"}));

    driver->RunIdleSteps(control);
    EXPECT_EQ(LookAtList(), (ListSeen{Matching("isl"), 0, 0, 1}));

    driver->TypeText("and 3");
    EXPECT_EQ(LookAtList(), (ListSeen{kFirstScreen, 0, 0, 33}));
    driver->RunIdleSteps(control);
    EXPECT_EQ(LookAtList(), (ListSeen{Matching("island 3"), 0, 0, 33}));
    EXPECT_EQ(control.RowName(Matching("island 3") - 1), "Island 39997, C39997");

    // Enter commits the first match, as in a list found whole.
    driver->PressKey(vbKeyReturn);
    EXPECT_EQ((std::tuple{Text(), driver->ListVisible(control)}), (std::tuple{"Island 33", false}));
}

// Paging past the rows found so far, and a reader counting the rows, find the rest first: the
// page ends where a whole list would end it, and the reader hears every row.
TEST_F(GrowingListScenario, PagingPastTheRowsFoundAReaderAndADragBelowFindTheRestAtOnce) {
    const int islands = Matching("isl");
    driver->TypeText("isl");
    driver->PressKey(vbKeyPageDown);
    EXPECT_EQ(LookAtList(), (ListSeen{islands, 7, 0, 29}));
    EXPECT_EQ(Text(), "Island 29");

    driver->SelectText(0, 9);
    driver->TypeText("town 1");
    EXPECT_EQ(driver->ListWindowCount(control), kFirstScreen);
    EXPECT_EQ(control.RowCount(), Matching("town 1"));
    EXPECT_EQ(driver->ListWindowCount(control), Matching("town 1"));
    EXPECT_EQ(control.RowName(control.RowCount() - 1), "Town 19999, C19999");

    // A drag below the list goes past the rows found so far, as the keys do: it finds the rest.
    driver->SelectText(0, 6);
    driver->TypeText("isl");
    ASSERT_EQ(driver->ListWindowCount(control), kFirstScreen);
    driver->MouseDownOnList(control, kX, RowY(kListRows - 1));
    driver->MouseMoveOnList(control, kX, RowY(kListRows) + 300);
    EXPECT_EQ(driver->ListWindowCount(control), islands);
    driver->MouseUpOnList(control, kX, RowY(kListRows) + 300);
}

// The scroll bar goes over the whole list: what would take it to the last row found so far
// finds the rest first, as the keys do, so that the arrows stop at the true last row and the
// thumb's place is a share of every match. An up arrow needs no more rows.
TEST_F(GrowingListScenario, TheScrollBarFindsTheRestBeforeItReachesTheLastRowFound) {
    const int islands = Matching("isl");
    driver->TypeText("isl");
    driver->PressListScrollBar(control, Driver::ScrollPress::UpArrow);
    EXPECT_EQ(LookAtList(), (ListSeen{kFirstScreen, 0, 0, 1}));
    driver->PressListScrollBar(control, Driver::ScrollPress::DownArrow);
    EXPECT_EQ(LookAtList(), (ListSeen{islands, 0, 1, 1}));
    driver->DragListThumb(control, islands - kListRows);
    EXPECT_EQ(LookAtList(), (ListSeen{islands, 0, islands - kListRows, 1}));
    EXPECT_EQ(control.RowName(islands - 1), "Island 39997, C39997");
    EXPECT_EQ(Text(), "isl");

    // The thumb first: dragged to the middle of every match, not of the first screen.
    driver->SelectText(0, 3);
    driver->TypeText("town 1");
    ASSERT_EQ(driver->ListWindowCount(control), kFirstScreen);
    const std::vector<int> towns = MatchingRows("town 1");
    const int middle = static_cast<int>(towns.size()) / 2;
    driver->DragListThumb(control, middle);
    EXPECT_EQ(LookAtList(), (ListSeen{static_cast<int>(towns.size()), 0, middle, towns[0]}));
    EXPECT_EQ(control.RowName(middle),
              PlaceName(towns[middle]) + ", C" + std::to_string(towns[middle]));

    // A page below that would pass the rows found so far finds the rest first.
    driver->SelectText(0, 6);
    driver->TypeText("island 2");
    ASSERT_EQ(driver->ListWindowCount(control), kFirstScreen);
    driver->PressListScrollBar(control, Driver::ScrollPress::PageBelow);
    EXPECT_EQ(LookAtList(),
              (ListSeen{Matching("island 2"), 0, kListRows, MatchingRows("island 2")[0]}));
}

// A change of a setting, or of the rows from an event, while the list is still growing: the
// list shows every row at once, and the steps that come later add no row to it.
TEST_F(GrowingListScenario, ASettingOrARowChangeWhileTheListGrowsShowsEveryRow) {
    driver->TypeText("isl");
    control.FilterList(false);
    EXPECT_EQ(driver->ListWindowCount(control), kRows);
    driver->RunIdleSteps(control);
    EXPECT_EQ(driver->ListWindowCount(control), kRows);

    control.FilterList(true);
    driver->TypeText("x");
    driver->SelectText(0, 4);
    driver->TypeText("town");
    ASSERT_EQ(driver->ListWindowCount(control), kFirstScreen);
    const RECT filtered = driver->ListScreenRect(control);
    constexpr std::int16_t kKeyF6 = 117;  // a key that the control leaves to the host
    events.onKeyDown = [&](std::int16_t& keyCode, std::int16_t&) {
        if (keyCode == kKeyF6) control.Clear();
    };
    driver->PressKey(kKeyF6);
    driver->RunIdleSteps(control);
    EXPECT_EQ(driver->ListWindowCount(control), 0);
    const RECT cleared = driver->ListScreenRect(control);
    EXPECT_EQ(cleared.top, filtered.top);
    EXPECT_LT(cleared.bottom - cleared.top, filtered.bottom - filtered.top);
}

}  // namespace
}  // namespace cp::test
