// The mouse in the open list, driven through the control's own handlers: hover and drag
// tracking by the row bands, and the commit.
#include "platform/sim/SimWindowApi.h"
#include "runtime/RuntimeError.h"
#include "tests/dropdown/DropDownFixture.h"

namespace cp::test {
namespace {

// Counts the selection messages that reach the list.
thread_local int gSelections = 0;
thread_local WNDPROC gListProc = nullptr;
LRESULT CountSelections(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == LB_SETCURSEL) ++gSelections;
    return CallWindowProc(gListProc, hWnd, uMsg, wParam, lParam);
}

class ListMouseTest : public DropDownTest {
protected:
    void Open(int rows, std::int16_t listRows = 8) {
        PlaceAt();
        Fill(rows);
        control().ListRows(listRows);
        control().ShowDropDown();
    }
    void Move(float y) { probe().lstListBox_MouseMove(0, 0, 0, y); }
    void Press() { probe().lstListBox_MouseDown(1, 0, 0, 0); }
    int Selection() const { return ListState().selection; }
};

TEST_F(ListMouseTest, HoverSelectsTheRowOfTheBandOnceForEachRow) {
    Open(30, 15);
    gListProc = reinterpret_cast<WNDPROC>(
        SetWindowLong(List(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&CountSelections)));
    const std::pair<float, int> bands[] = {{0, 0}, {210, 0}, {225, 1}, {435, 1}, {3360, 14}};
    for (const auto& [y, row] : bands) {
        Move(y);
        EXPECT_EQ(Selection(), row) << y;
    }
    EXPECT_EQ(gSelections, 3);  // none for a movement within the row
    Move(3361);                 // below the last band, and above the list: no row
    Move(-1);
    EXPECT_EQ(probe().lngHotRow(), 14);
    SendMessage(List(), LB_SETTOPINDEX, 7, 0);
    Move(500);  // band 2
    EXPECT_EQ(Selection(), 9);
}

// Dragging and picking themselves are user scenarios; here, what a user cannot reach.
TEST_F(ListMouseTest, AStoredRowCountBeyondTheBandsFailsEveryDragMovementButNotHover) {
    Open(20);
    Press();
    probe().intListRows() = 16;  // only a stored value can give this
    Move(700);
    ASSERT_EQ(ReportTitles(), std::vector<std::string>{"ColumnPick - lstListBox_MouseMove"});
    probe().blnListMouseDown() = false;
    Move(700);
    EXPECT_EQ(Selection(), 3);
    EXPECT_EQ(world().MessageBoxes().size(), 1u);
}

TEST_F(ListMouseTest, AReleaseWithoutARowCommitsNothingAndTheSameRowIsReportedAgain) {
    Open(0);
    Press();
    probe().lstListBox_MouseUp(1, 0, 0, 100);
    EXPECT_TRUE(control().ComboBoxIsOpen());
    EXPECT_TRUE(events().Log().empty());

    Open(5);
    Move(500);  // row 2
    Press();
    probe().lstListBox_MouseUp(1, 0, 0, 500);
    EXPECT_EQ(events().Joined(), "AfterUpdate");
    probe().lstListBox_Click();  // no comparison: the same row again is reported again
    EXPECT_EQ(events().Count("AfterUpdate"), 2);
}

TEST_F(ListMouseTest, TheControlsOwnSelectionCommitsNothing) {
    Open(5);
    probe().blnIgnoreListClick() = true;
    control().ListIndex(3);
    EXPECT_FALSE(probe().blnIgnoreListClick());
    EXPECT_TRUE(control().ComboBoxIsOpen());
    EXPECT_TRUE(events().Log().empty());
    control().ListIndex(4);  // the host's own put commits as a pick does
    EXPECT_EQ(probe().lngCommittedIndex(), 4);
    EXPECT_EQ(events().Count("AfterUpdate"), 1);
}

TEST_F(ListMouseTest, AValueWriteThatFailsLeavesTheNextPickToTheUser) {
    Open(5);
    world().FailNext("ListBox.SetListIndex", 5);
    EXPECT_THROW(control().Value(Variant("Row 3")), RuntimeError);
    Move(500);  // band 2
    probe().lstListBox_MouseUp(1, 0, 0, 500);
    EXPECT_EQ(control().Text(), "Row 2");
    EXPECT_EQ(events().Count("AfterUpdate"), 1);
}

}  // namespace
}  // namespace cp::test
