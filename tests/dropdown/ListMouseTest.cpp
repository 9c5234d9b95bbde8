// The mouse in the open list, driven through the control's own handlers: hover and drag
// tracking by the row bands, and the commit.
#include "platform/sim/EditClass.h"
#include "platform/sim/SimWindowApi.h"
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
        Place();
        Fill(rows);
        control->ListRows(listRows);
        probe->ShowListBox();
    }
    void Move(float y) { probe->lstListBox_MouseMove(0, 0, 0, y); }
    int Selection() const { return ListState().selection; }
    int Top() const { return ListState().top; }
};

TEST_F(ListMouseTest, HoverSelectsTheRowUnderThePointerByItsBand) {
    Open(30, 15);
    const std::pair<float, int> bands[] = {{0, 0}, {210, 0}, {225, 1}, {435, 1}, {3360, 14}};
    for (const auto& [y, row] : bands) {
        Move(y);
        EXPECT_EQ(Selection(), row) << y;
        EXPECT_EQ(probe->lngHotRow(), row) << y;
    }
    Move(3361);  // below the last band, and above the list: no row
    Move(-1);
    EXPECT_EQ(Selection(), 14);

    SendMessage(List(), LB_SETTOPINDEX, 7, 0);
    Move(500);  // band 2
    EXPECT_EQ(Selection(), 9);
}

TEST_F(ListMouseTest, MovingWithinOneRowSendsNoSecondSelection) {
    Open(10);
    gSelections = 0;
    gListProc = reinterpret_cast<WNDPROC>(
        SetWindowLong(List(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&CountSelections)));
    Move(20);
    Move(100);
    Move(210);
    EXPECT_EQ(gSelections, 1);
    Move(211);
    EXPECT_EQ(gSelections, 2);
    SetWindowLong(List(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(gListProc));
}

TEST_F(ListMouseTest, DraggingBelowOrAboveScrollsOneRowPerMovementToTheEnd) {
    Open(20);
    probe->lstListBox_MouseDown(1, 0, 0, 0);
    for (int step = 1; step <= 13; ++step) {
        Move(2000);  // below the eight rows shown
        const int top = std::min(step, 12);
        EXPECT_EQ(Top(), top) << step;
        EXPECT_EQ(Selection(), top + 7) << step;  // the bottom visible row
    }
    for (int step = 1; step <= 13; ++step) {
        Move(-15);  // above the list
        const int top = std::max(12 - step, 0);
        EXPECT_EQ(Top(), top) << step;
        EXPECT_EQ(Selection(), top) << step;
    }
    Move(700);  // back over the rows: band 3
    EXPECT_EQ(Selection(), 3);
}

TEST_F(ListMouseTest, DraggingOverRowsTheListLacksTakesTheBandAllTheSame) {
    Open(3);
    Move(300);  // hover: row 1
    probe->lstListBox_MouseDown(1, 0, 0, 0);
    Move(1000);  // band 4, within the eight rows the list could show
    EXPECT_EQ(probe->lngHotRow(), 4);
    EXPECT_EQ(Selection(), 1);  // the list refuses a row it does not have
    EXPECT_TRUE(world.MessageBoxes().empty());
}

TEST_F(ListMouseTest, ListRowsBeyondTheTableFailEveryDragMovementButNotHover) {
    Open(20);
    probe->intListRows() = 16;
    Move(300);
    EXPECT_EQ(Selection(), 1);
    probe->lstListBox_MouseDown(1, 0, 0, 0);
    Move(-15);
    ASSERT_EQ(world.MessageBoxes().size(), 1u);
    EXPECT_EQ(world.MessageBoxes()[0].title, "ColumnPick - lstListBox_MouseMove");
    EXPECT_EQ(world.MessageBoxes()[0].prompt,
              "Unable to execute the sub lstListBox_MouseMove!\r\n\r\nError 9: Subscript out "
              "of range");
}

TEST_F(ListMouseTest, AReleaseCommitsTheSelectedRow) {
    Open(5);
    Move(500);  // row 2
    probe->lstListBox_MouseDown(1, 0, 0, 500);
    probe->lstListBox_MouseUp(1, 0, 0, 500);
    EXPECT_FALSE(control->ComboBoxIsOpen());
    EXPECT_EQ(sim::GetFocus(), host->EditHwnd());
    EXPECT_EQ(sim::EditText(host->EditHwnd()), "Row 2");
    const sim::EditState& edit = *sim::InspectEdit(host->EditHwnd());
    EXPECT_EQ(edit.First(), 0u);
    EXPECT_EQ(edit.Last(), 5u);
    EXPECT_EQ(control->ListIndex(), 2);
    EXPECT_EQ(probe->lngCommittedIndex(), 2);
    EXPECT_FALSE(probe->blnListMouseDown() || probe->blnTextChanged() || probe->blnUserEdited());
    EXPECT_EQ(events.Joined(), "AfterUpdate");

    // The commit makes no comparison: the same row again is reported again.
    probe->lstListBox_Click();
    EXPECT_EQ(events.Count("AfterUpdate"), 2);
}

TEST_F(ListMouseTest, AReleaseWithoutASelectedRowDoesNothing) {
    Open(0);
    probe->lstListBox_MouseDown(1, 0, 0, 100);
    probe->lstListBox_MouseUp(1, 0, 0, 100);
    EXPECT_TRUE(control->ComboBoxIsOpen());
    EXPECT_TRUE(events.Log().empty());
}

TEST_F(ListMouseTest, TheControlsOwnSelectionCommitsNothing) {
    Open(5);
    probe->blnIgnoreListClick() = true;
    control->ListIndex(3);
    EXPECT_FALSE(probe->blnIgnoreListClick());
    EXPECT_TRUE(control->ComboBoxIsOpen());
    EXPECT_EQ(probe->lngCommittedIndex(), -1);
    EXPECT_TRUE(events.Log().empty());

    control->ListIndex(4);  // the host's put commits as a pick does
    EXPECT_FALSE(control->ComboBoxIsOpen());
    EXPECT_EQ(probe->lngCommittedIndex(), 4);
    EXPECT_EQ(events.Count("AfterUpdate"), 1);
}

}  // namespace
}  // namespace cp::test
