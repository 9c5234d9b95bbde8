#include <gtest/gtest.h>

#include "platform/sim/ListBoxClass.h"
#include "platform/sim/SimConstants.h"
#include "platform/sim/SimWindowApi.h"
#include "platform/sim/World.h"
#include "tests/sim/SimTestSupport.h"

namespace cp::sim::test {
namespace {

// Five whole rows: 2 border pixels + 5 x 15.
constexpr int kFiveRows = 2 + 5 * kListRowHeight;
constexpr int kWidth = 102;

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = CreateRecordingOwner();
        list = CreateVirtualList(owner, RECT{10, 10, 10 + kWidth, 10 + kFiveRows}, WS_VSCROLL);
        font = world.Graphics().CreateFont("Test");
        SendMessage(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        SendMessage(list, LB_SETCOUNT, 20, 0);
    }
    LRESULT Send(UINT message, WPARAM wParam = 0) { return SendMessage(list, message, wParam, 0); }
    std::vector<UINT> DrawnRows() {
        std::vector<UINT> rows;
        for (const OwnerEvent& e : OwnerLog())
            if (e.message == WM_DRAWITEM) rows.push_back(e.item.itemID);
        return rows;
    }
    std::vector<UINT> Notifications() {
        std::vector<UINT> codes;
        for (const OwnerEvent& e : OwnerLog())
            if (e.message == WM_COMMAND) codes.push_back(e.code);
        return codes;
    }
    World world;
    HWND owner = nullptr;
    HWND list = nullptr;
    HFONT font = nullptr;
};

TEST_F(ListBoxTest, TopRowStaysWithinTheScrollLimits) {
    EXPECT_EQ(Send(LB_SETTOPINDEX, 18), 0);
    EXPECT_EQ(Send(LB_GETTOPINDEX), 15);  // 20 rows, 5 visible
    Send(LB_SETTOPINDEX, 3);
    EXPECT_EQ(Send(LB_GETTOPINDEX), 3);
    SendMessage(list, LB_SETCOUNT, 4, 0);
    EXPECT_EQ(Send(LB_GETTOPINDEX), 0);
    Send(LB_SETTOPINDEX, 2);
    EXPECT_EQ(Send(LB_GETTOPINDEX), 0);
    EXPECT_EQ(Send(LB_GETITEMHEIGHT), kListRowHeight);
}

TEST_F(ListBoxTest, SelectionScrollsIntoViewWithoutNotifying) {
    EXPECT_EQ(Send(LB_SETCURSEL, 12), 12);
    EXPECT_EQ(Send(LB_GETCURSEL), 12);
    EXPECT_EQ(Send(LB_GETTOPINDEX), 8);
    EXPECT_EQ(Send(LB_SETCURSEL, 2), 2);
    EXPECT_EQ(Send(LB_GETTOPINDEX), 2);

    EXPECT_EQ(Send(LB_SETCURSEL, 25), LB_ERR);  // refused: the selection stays
    EXPECT_EQ(Send(LB_GETCURSEL), 2);
    Send(LB_SETCURSEL, 4);
    EXPECT_EQ(Send(LB_SETCURSEL, static_cast<WPARAM>(-1)), LB_ERR);
    EXPECT_EQ(Send(LB_GETCURSEL), -1);
    EXPECT_TRUE(Notifications().empty());

    Send(LB_SETCURSEL, 7);
    EXPECT_EQ(Send(LB_DELETESTRING, 3), 19);
    EXPECT_EQ(Send(LB_GETCURSEL), 6);
    Send(LB_RESETCONTENT);
    EXPECT_EQ(Send(LB_GETCOUNT), 0);
    EXPECT_EQ(Send(LB_GETCURSEL), -1);
}

TEST_F(ListBoxTest, PaintsVisibleRowsThroughItsOwnerWhereverItStands) {
    Send(LB_SETCURSEL, 1);
    SetParent(list, nullptr);
    EXPECT_FALSE(PaintWindow(list));  // hidden: nothing to paint
    ShowWindow(list, true);           // showing paints

    ASSERT_EQ(DrawnRows(), (std::vector<UINT>{0, 1, 2, 3, 4}));
    const OwnerEvent& second = OwnerLog()[1];
    EXPECT_EQ(second.item.CtlType, ODT_LISTBOX);
    EXPECT_EQ(second.item.itemAction, ODA_DRAWENTIRE);
    EXPECT_EQ(second.item.itemState, ODS_SELECTED);
    EXPECT_EQ(second.item.hwndItem, list);
    EXPECT_EQ(second.font, font);
    // Client width: the window less its border and the scroll bar that 20 rows need.
    EXPECT_EQ(second.item.rcItem, (RECT{0, 15, kWidth - 2 - kScrollBarWidth, 30}));
    EXPECT_EQ(OwnerLog()[0].item.itemState, 0u);

    OwnerLog().clear();
    Send(LB_SETCURSEL, 3);  // the old and the new row are redrawn at once
    ASSERT_EQ(DrawnRows(), (std::vector<UINT>{1, 3}));
    EXPECT_EQ(OwnerLog()[0].item.itemAction, ODA_SELECT);
    EXPECT_EQ(OwnerLog()[1].item.itemState, ODS_SELECTED);

    OwnerLog().clear();
    Send(LB_SETTOPINDEX, 16);  // scrolling repaints what shows, up to the last row
    EXPECT_EQ(DrawnRows(), (std::vector<UINT>{15, 16, 17, 18, 19}));
    EXPECT_EQ(world.Graphics().Live().dcs, 0);
}

TEST_F(ListBoxTest, KeepsWholeRowsAndDropsTheScrollBarWhenAllRowsShow) {
    MoveWindow(list, RECT{0, 0, kWidth, kFiveRows + 7});
    RECT r{};
    GetWindowRect(list, &r);
    EXPECT_EQ(r.bottom - r.top, kFiveRows);
    SendMessage(list, LB_SETCOUNT, 5, 0);
    EXPECT_EQ(GetClientRect(list).right, kWidth - 2);
}

}  // namespace
}  // namespace cp::sim::test
