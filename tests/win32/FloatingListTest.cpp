// The real control's list on the real window system: a data-less, owner-drawn list whose rows
// the control draws, opened as a tool window of the desktop and given back to the control on
// closing.
#include <gtest/gtest.h>

#include "platform/win32/WindowsApi.h"
#include "tests/win32/RealControl.h"

namespace cp::test {
namespace {

constexpr COLORREF kSelectedBack = 0x800000;  // the default BackColorSelected, &H800000
constexpr COLORREF kNormalBack = 0xFFFFFF;    // the default BackColorNormal

TEST(RealList, IsADataLessOwnerDrawnListWhoseRowsTheControlDraws) {
    RealControl scene;
    scene.FillNumbered(5);
    scene.control().ListIndex(1);
    scene.control().ShowDropDown();
    ::UpdateWindow(scene.List());
    Pump();

    // Only the control draws the rows of a data-less list: row 1 selected, the others in the
    // normal colours, each with its text.
    constexpr int kRow = 15;
    EXPECT_EQ(PixelAt(scene.List(), 1, kRow * 1 + 1), kSelectedBack);
    EXPECT_EQ(PixelAt(scene.List(), 1, kRow * 2 + 1), kNormalBack);
    for (int row = 0; row < 5; ++row) {
        const COLORREF back = row == 1 ? kSelectedBack : kNormalBack;
        int inked = 0;
        for (int x = 0; x < 40; ++x)
            for (int y = row * kRow; y < (row + 1) * kRow; ++y)
                inked += PixelAt(scene.List(), x, y) != back;
        EXPECT_GT(inked, 20) << "row " << row << " shows its text";
    }
}

// Where the list opens (below, above, pulled in) is the drop-down suite's; the placement under
// the control is a scenario on both platforms. What only the real window system shows: the
// list is a tool window of the desktop that never takes the focus, and goes back on closing.
TEST(RealList, OpensAsAToolWindowOfTheDesktopAndGoesBackOnClosing) {
    RealControl scene;
    scene.FillNumbered(20);
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        scene.control().ShowDropDown();
        HWND list = scene.List();
        ASSERT_TRUE(::IsWindowVisible(list));
        EXPECT_EQ(::GetAncestor(list, GA_PARENT), ::GetDesktopWindow());
        EXPECT_EQ(::GetWindowLongPtrW(list, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW),
                  WS_EX_TOOLWINDOW);
        EXPECT_EQ(::GetFocus(), scene.Edit());

        scene.control().HideListBox(AfterHide::FocusEditField);
        EXPECT_FALSE(::IsWindowVisible(list));
        EXPECT_EQ(::GetParent(list), scene.Window());
    }
    EXPECT_TRUE(scene.boxes.Calls().empty());
}

}  // namespace
}  // namespace cp::test
