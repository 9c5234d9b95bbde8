// The mouse in the open list: hover and drag tracking by the row bands, and the commit.
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
    void Move(float y) { user().MouseMove(List(), 0, y); }
    void Press() { user().MouseDown(List(), 0, 0); }
    void Release(float y) { user().MouseUp(List(), 0, y); }
    int Selection() const { return ListState().selection; }
};

TEST_F(ListMouseTest, HoverSelectsTheRowOfItsBandAndAReleaseWithoutARowCommitsNothing) {
    Open(30, 15);
    gListProc = reinterpret_cast<WNDPROC>(
        SetWindowLong(List(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&CountSelections)));
    const std::pair<float, int> bands[] = {{0, 0}, {210, 0}, {225, 1}, {435, 1}, {3360, 14}};
    for (const auto& [y, row] : bands) {
        Move(y);
        EXPECT_EQ(Selection(), row) << y;
    }
    EXPECT_EQ(gSelections, 3);  // none for a movement within the row
    Move(3375);                 // below the last band, and above the list: no row
    Move(-15);
    EXPECT_EQ(Selection(), 14);

    // Dragging and picking themselves are user scenarios; here, what a user cannot reach: a
    // stored row count beyond the bands fails every drag movement, but not the hover.
    PlaceWithSixteenListRows();
    Fill(5);  // fewer rows than the stored count: the list opens
    control().ShowDropDown();
    Press();
    Move(700);
    ASSERT_EQ(ReportTitles(), std::vector<std::string>{"ColumnPick - lstListBox_MouseMove"});
    Release(700);
    Move(700);
    EXPECT_EQ((std::tuple{Selection(), world().MessageBoxes().size()}), (std::tuple{3, 1u}));

    // A release without a row commits nothing; the same row again is reported again.
    events().ClearLog();
    Open(0);
    Press();
    Release(100);
    EXPECT_EQ((std::tuple{control().ComboBoxIsOpen(), events().Joined()}), (std::tuple{true, ""}));

    Open(5);
    Move(500);  // row 2
    Press();
    Release(500);
    EXPECT_EQ(events().Joined(), "AfterUpdate");
    host().RaiseListClick();  // no comparison: the same row again is reported again
    EXPECT_EQ(events().Count("AfterUpdate"), 2);

    // A list that reports the press itself commits before the release: the press ends there.
    probe().blnListMouseDown() = true;
    host().RaiseListClick();
    EXPECT_FALSE(probe().blnListMouseDown());

    // A Value write that fails leaves the next pick to the user.
    Open(5);
    events().ClearLog();
    world().FailNext("ListBox.SetListIndex", 5);
    EXPECT_THROW(control().Value(Variant("Row 3")), RuntimeError);
    Move(500);  // band 2
    Release(500);
    EXPECT_EQ(control().Text(), "Row 2");
    EXPECT_EQ(events().Count("AfterUpdate"), 1);
}

}  // namespace
}  // namespace cp::test
