// Opening and closing the list: its size, its place on the screen, the desktop and the form
// watcher, the painting of an empty list, the focus and the reports.
#include <algorithm>

#include "listview/basHookListBox.h"
#include "platform/sim/SimWindowApi.h"
#include "tests/dropdown/DropDownFixture.h"

namespace cp::test {
namespace {

using sim::GetFocus;
using sim::IsWindowVisible;
using sim::SetFocus;

bool Watched(HWND form) {
    return GetWindowLong(form, GWL_WNDPROC) == reinterpret_cast<LONG_PTR>(&FormWindowProc);
}

TEST_F(DropDownTest, OpensBelowAboveOrPulledInAsTheScreenAllows) {
    struct Case {
        int left, top;  // the control on the screen, pixels
        RECT list;      // where its list of five rows opens
    };
    const Case cases[] = {
        {40, 500, RECT{40, 521, 190, 598}},    // 7815 + 1155 < 9000: below
        {40, 502, RECT{40, 425, 190, 502}},    // 7845 + 1155 = 9000: above
        {700, 100, RECT{650, 121, 800, 198}},  // 10500 + 2250 > 12000: pulled in
    };
    for (const Case& c : cases) {
        Place(c.left, c.top);
        Fill(5);
        probe->ShowListBox();
        EXPECT_EQ(ListOnScreen(), c.list) << c.left << "," << c.top;
        control->HideListBox(false);
    }
    // On a short screen the list above a control near the top starts above the screen.
    world.SetScreenSize(800, 100);
    Place(40, 10);
    Fill(5);
    probe->ShowListBox();
    EXPECT_EQ(ListOnScreen().top, -67);
}

TEST_F(DropDownTest, HeightFollowsTheRowsUpToListRowsAndWidthFollowsListWidth) {
    const std::pair<int, int> heights[] = {{0, 17}, {5, 77}, {20, 122}};  // rows, pixels
    for (const auto& [rows, pixels] : heights) {
        Place();
        Fill(rows);
        probe->ShowListBox();
        EXPECT_EQ(ListOnScreen().bottom - ListOnScreen().top, pixels) << rows;
        EXPECT_EQ(ListOnScreen().right - ListOnScreen().left, 150);  // the control's 2250
        control->HideListBox(false);
    }
    control->ListWidth(3000);
    probe->ShowListBox();
    EXPECT_EQ(ListOnScreen().right - ListOnScreen().left, 200);
}

TEST_F(DropDownTest, FloatsOnTheDesktopAsAToolWindowWhileOpen) {
    Place();
    Fill(3);
    SetWindowLong(List(), GWL_EXSTYLE, WS_EX_APPWINDOW);
    probe->ShowListBox();
    EXPECT_TRUE(control->ComboBoxIsOpen());
    EXPECT_TRUE(IsWindowVisible(List()));
    EXPECT_EQ(GetParent(List()), nullptr);
    EXPECT_EQ(GetWindowLong(List(), GWL_EXSTYLE), WS_EX_TOOLWINDOW);
    EXPECT_TRUE(Watched(form.Hwnd()));

    control->HideListBox(false);
    EXPECT_FALSE(control->ComboBoxIsOpen());
    EXPECT_FALSE(IsWindowVisible(List()));
    EXPECT_EQ(GetParent(List()), host->Hwnd());
    EXPECT_FALSE(Watched(form.Hwnd()));
    EXPECT_TRUE(probe->blnListShown());
    EXPECT_TRUE(world.MessageBoxes().empty());
}

TEST_F(DropDownTest, AnEmptyListIsPaintedInTheNormalBackgroundOnceItIsUp) {
    Place();
    Fill(0);
    constexpr OLE_COLOR kInfoBackground = static_cast<OLE_COLOR>(0x80000018u);
    control->BackColorNormal(kInfoBackground);
    std::size_t drawnBefore = 0;
    world.OnDoEvents([&] {
        EXPECT_TRUE(IsWindowVisible(List()));
        drawnBefore = world.Graphics().Log().size();
    });
    const sim::GdiCounts live = world.Graphics().Live();
    probe->ShowListBox();

    const auto& log = world.Graphics().Log();
    const auto fill = std::find_if(log.begin() + static_cast<std::ptrdiff_t>(drawnBefore),
                                   log.end(), [&](const sim::DrawRecord& r) {
                                       return r.op == sim::DrawOp::FillRect && r.window == List();
                                   });
    ASSERT_NE(fill, log.end());
    EXPECT_EQ(fill->fillColor, sim::Gdi::SysColor(0x18));
    EXPECT_EQ(fill->rect, (RECT{0, 0, 150, 17}));
    EXPECT_EQ(world.Graphics().Live(), live);
    EXPECT_TRUE(Watched(form.Hwnd()));
}

TEST_F(DropDownTest, AListClosedWhileMessagesRunIsLeftClosedAndUnwatched) {
    Place();
    Fill(0);
    const sim::GdiCounts live = world.Graphics().Live();
    world.OnDoEvents([&] { control->HideListBox(false); });
    probe->ShowListBox();
    EXPECT_FALSE(control->ComboBoxIsOpen());
    EXPECT_FALSE(Watched(form.Hwnd()));
    EXPECT_EQ(world.Graphics().Live(), live);
}

TEST_F(DropDownTest, MoreListRowsThanTheTableHoldsStopTheOpeningWithItsReport) {
    Place();
    Fill(20);
    probe->intListRows() = 16;  // only a stored value can give this
    probe->ShowListBox();
    ASSERT_EQ(world.MessageBoxes().size(), 1u);
    EXPECT_EQ(world.MessageBoxes()[0].title, "ColumnPick - ShowListBox");
    EXPECT_EQ(world.MessageBoxes()[0].prompt,
              "Unable to execute the sub ShowListBox!\r\n\r\nError 9: Subscript out of range");
    EXPECT_FALSE(control->ComboBoxIsOpen());
    EXPECT_FALSE(IsWindowVisible(List()));
    EXPECT_FALSE(Watched(form.Hwnd()));

    // Fewer rows than that pick an entry the table has.
    control->Clear();
    Fill(12);
    probe->ShowListBox();
    EXPECT_TRUE(control->ComboBoxIsOpen());
    EXPECT_EQ(ListOnScreen().bottom - ListOnScreen().top, 182);  // 2730 twips
}

TEST_F(DropDownTest, ShowDropDownDoesNothingWhenLockedOrAlreadyOpen) {
    Place();
    Fill(5);
    SetFocus(form.TextFieldHwnd());
    control->Locked(true);
    control->ShowDropDown();
    EXPECT_FALSE(control->ComboBoxIsOpen());
    EXPECT_EQ(GetFocus(), form.TextFieldHwnd());

    control->Locked(false);
    control->ShowDropDown();
    EXPECT_TRUE(control->ComboBoxIsOpen());
    EXPECT_EQ(GetFocus(), host->EditHwnd());
    SetFocus(List());  // still inside the control
    control->ShowDropDown();
    EXPECT_EQ(GetFocus(), List());
    EXPECT_TRUE(Watched(form.Hwnd()));
}

TEST_F(DropDownTest, ClosingResetsTheTrackingAndMovesTheFocusOnlyWhenAsked) {
    Place();
    Fill(5);
    for (const bool setFocus : {false, true}) {
        probe->ShowListBox();
        SetFocus(List());
        probe->lngHotRow() = 3;
        probe->blnButtonDown() = probe->blnShownPressed() = probe->blnShownReleased() = true;
        control->HideListBox(setFocus);
        EXPECT_EQ(GetFocus(), setFocus ? host->EditHwnd() : List());
        EXPECT_EQ(probe->lngHotRow(), -1);
        EXPECT_FALSE(probe->blnButtonDown() || probe->blnShownPressed() ||
                     probe->blnShownReleased());
        EXPECT_FALSE(control->ComboBoxIsOpen());
    }
}

TEST_F(DropDownTest, AFailedClosingIsReportedAndAFailedFocusStillStopsTheWatcher) {
    Place();
    Fill(5);
    probe->ShowListBox();
    world.FailNext("SetParent", 5);
    control->HideListBox(true);
    ASSERT_EQ(world.MessageBoxes().size(), 1u);
    EXPECT_EQ(world.MessageBoxes()[0].title, "ColumnPick - HideListBox");
    EXPECT_TRUE(control->ComboBoxIsOpen());  // the steps after the failure did not run

    world.FailNext("TextBox.SetFocus", 5);
    probe->lngHotRow() = 2;
    control->HideListBox(true);
    EXPECT_EQ(world.MessageBoxes().size(), 2u);
    EXPECT_FALSE(control->ComboBoxIsOpen());
    EXPECT_EQ(probe->lngHotRow(), -1);
    EXPECT_FALSE(Watched(form.Hwnd()));
}

}  // namespace
}  // namespace cp::test
