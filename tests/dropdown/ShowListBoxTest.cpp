// Opening and closing the list: its size and place on the screen, the desktop and the form
// watcher, the painting of an empty list, the focus and the reports.
#include <algorithm>

#include "hosting/basHookListBox.h"
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

// The list takes its size from the rows and ListWidth and floats as a tool window. The header
// band (a row and its line, 16 pixels) goes with the list below or above: a list that would fit
// below without it goes above with it.
TEST_F(DropDownTest, TheListTakesItsSizeAndPlaceOpensOnlyWhenItMayAndFailuresLeaveItClosed) {
    for (const auto& [rows, pixels] : {std::pair{0, 17}, {5, 77}, {20, 122}}) {  // ListRows 8
        PlaceAt();
        Fill(rows);
        control().ShowDropDown();
        EXPECT_EQ(ListOnScreen().bottom - ListOnScreen().top, pixels) << rows;
        EXPECT_EQ(ListOnScreen().right - ListOnScreen().left, 150);  // as wide as the control
        control().HideListBox(AfterHide::LeaveFocus);
    }
    control().ListWidth(3000);
    SetWindowLong(List(), GWL_EXSTYLE, WS_EX_APPWINDOW);
    control().ShowDropDown();
    EXPECT_EQ(ListOnScreen().right - ListOnScreen().left, 200);
    EXPECT_TRUE(control().ComboBoxIsOpen() && IsWindowVisible(List()) && Watched(form().Hwnd()));
    EXPECT_EQ(GetParent(List()), nullptr);
    EXPECT_EQ(GetWindowLong(List(), GWL_EXSTYLE), WS_EX_TOOLWINDOW);

    control().HideListBox(AfterHide::LeaveFocus);
    EXPECT_FALSE(control().ComboBoxIsOpen() || IsWindowVisible(List()) || Watched(form().Hwnd()));
    EXPECT_EQ(GetParent(List()), host().Hwnd());
    EXPECT_TRUE(probe().blnListShown());

    struct Case {
        int left, top;  // the control on an 800 x 600 screen, pixels
        bool heads;     // ColumnHeads
        RECT list;      // where its list of five rows opens
    } const cases[] = {
        {40, 500, false, RECT{40, 521, 190, 598}},    // 7815 + 1155 < 9000: below
        {40, 502, false, RECT{40, 425, 190, 502}},    // 7845 + 1155 = 9000: above
        {700, 100, false, RECT{650, 121, 800, 198}},  // 10500 + 2250 > 12000: pulled in
        {650, 100, false, RECT{650, 121, 800, 198}},  // 9750 + 2250 = 12000: pulled in as well
        {40, 484, true, RECT{40, 505, 190, 598}},     // 7575 + 1395 < 9000: below
        {40, 486, true, RECT{40, 393, 190, 486}},     // 7605 + 1395 = 9000: above
    };
    for (const Case& c : cases) {
        PlaceAt(c.left, c.top);
        control().ColumnHeads(c.heads);
        Fill(5);
        control().ShowDropDown();
        EXPECT_EQ(ListOnScreen(), c.list) << c.left << "," << c.top << (c.heads ? ", heads" : "");
        control().HideListBox(AfterHide::LeaveFocus);
    }
    world().SetScreenSize(800, 100);  // above a control near the top: partly off the screen
    PlaceAt(40, 10);
    Fill(5);
    control().ShowDropDown();
    EXPECT_EQ(ListOnScreen().top, 10 - 77);

    // ShowDropDown opens only an unlocked, closed list; closing it moves the focus if asked.
    PlaceAt();
    Fill(5);
    SetFocus(form().TextFieldHwnd());
    control().Locked(true);
    control().ShowDropDown();
    EXPECT_FALSE(control().ComboBoxIsOpen());
    EXPECT_EQ(GetFocus(), form().TextFieldHwnd());
    control().Locked(false);
    for (const AfterHide focus : {AfterHide::LeaveFocus, AfterHide::FocusEditField}) {
        control().ShowDropDown();
        EXPECT_EQ(GetFocus(), host().EditHwnd());
        SetFocus(nullptr);  // gone nowhere: no other control of the form took it
        control().ShowDropDown();
        EXPECT_EQ(GetFocus(), nullptr);
        user().MouseMove(List(), 0, 3 * 225 + 100);  // the pointer on row 3
        control().HideListBox(focus);
        EXPECT_EQ(GetFocus(), focus == AfterHide::FocusEditField ? host().EditHwnd() : nullptr);
        EXPECT_EQ(probe().lngHotRow(), -1);
        EXPECT_FALSE(control().ComboBoxIsOpen());
    }
    // A press of the button opens the list; closing it otherwise ends the press.
    const RECT button = DrawnButton();
    user().MouseDown(host().Hwnd(), static_cast<float>(button.left + 4) * kTwipsPerPixel,
                     static_cast<float>(button.top + 4) * kTwipsPerPixel);
    ASSERT_TRUE(control().ComboBoxIsOpen() && ButtonDrawnPressed());
    control().HideListBox(AfterHide::LeaveFocus);
    EXPECT_FALSE(ButtonDrawnPressed());

    // Failures are reported and leave the list closed or its watcher stopped.
    PlaceWithSixteenListRows();
    Fill(20);
    control().ShowDropDown();
    EXPECT_EQ(ReportTitles(), std::vector<std::string>{"ColumnPick - ShowListBox"});
    EXPECT_EQ(Prompts(), std::vector<std::string>{"Unable to execute the sub ShowListBox!\r\n\r\n"
                                                  "Error 9: Subscript out of range"});
    EXPECT_FALSE(control().ComboBoxIsOpen() || IsWindowVisible(List()) || Watched(form().Hwnd()));
    control().Clear();
    Fill(12);  // fewer rows than that pick an entry the table has
    control().ShowDropDown();
    EXPECT_EQ(ListOnScreen().bottom - ListOnScreen().top, 182);

    world().FailNext("SetParent", 5);
    control().HideListBox(AfterHide::FocusEditField);
    EXPECT_EQ(world().MessageBoxes().back().title, "ColumnPick - HideListBox");
    EXPECT_TRUE(control().ComboBoxIsOpen());  // the steps after the failure did not run
    // An edit field that cannot take the focus still lets the watcher go.
    world().FailNext("TextBox.SetFocus", 5);
    control().HideListBox(AfterHide::FocusEditField);
    EXPECT_EQ(world().MessageBoxes().size(), 3u);
    EXPECT_FALSE(control().ComboBoxIsOpen() || Watched(form().Hwnd()));

    // An empty list is painted in the normal background once it is up.
    PlaceAt();
    Fill(0);
    control().BackColorNormal(static_cast<OLE_COLOR>(0x80000018u));  // a system colour
    std::size_t drawnBefore = 0;
    world().OnDoEvents([&] {
        EXPECT_TRUE(IsWindowVisible(List()));
        drawnBefore = world().Graphics().Log().size();
    });
    const sim::GdiCounts live = world().Graphics().Live();
    control().ShowDropDown();
    const auto& log = world().Graphics().Log();
    const auto fill = std::find_if(log.begin() + static_cast<std::ptrdiff_t>(drawnBefore),
                                   log.end(), [&](const sim::DrawRecord& r) {
                                       return r.op == sim::DrawOp::FillRect && r.window == List();
                                   });
    ASSERT_NE(fill, log.end());
    EXPECT_EQ((std::tuple{fill->fillColor, fill->rect, world().Graphics().Live()}),
              (std::tuple{sim::Gdi::SysColor(0x18), RECT{0, 0, 150, 17}, live}));

    // Closed by what ran meanwhile, it is left closed and unwatched.
    control().HideListBox(AfterHide::LeaveFocus);
    world().OnDoEvents([&] { control().HideListBox(AfterHide::LeaveFocus); });
    control().ShowDropDown();
    EXPECT_FALSE(control().ComboBoxIsOpen() || Watched(form().Hwnd()));
    EXPECT_EQ(world().Graphics().Live(), live);
}

}  // namespace
}  // namespace cp::test
