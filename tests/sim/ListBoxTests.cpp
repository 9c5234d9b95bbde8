// What the simulated list window hands its owner to draw a row with: the owner draws every row
// through the record, so the record must carry what the real list's does.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "platform/sim/BuiltInClasses.h"
#include "platform/sim/ListBoxClass.h"
#include "platform/sim/SimConstants.h"
#include "platform/sim/SimWindowApi.h"
#include "platform/sim/World.h"

namespace cp::sim::test {
namespace {

struct DrawnRow {
    DRAWITEMSTRUCT item{};
    HFONT font = nullptr;  // selected into the record's context
};
thread_local std::vector<DrawnRow> drawn;

LRESULT OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_DRAWITEM) return DefWindowProc(hwnd, message, wParam, lParam);
    DrawnRow row{.item = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam)};
    if (DeviceContext* dc = World::Current().Graphics().Dc(row.item.hDC))
        row.font = static_cast<HFONT>(dc->font);
    drawn.push_back(row);
    return 1;
}

// Five whole rows, 102 pixels wide with its border.
constexpr int kWidth = 102;
constexpr int kFiveRows = 2 + 5 * kListRowHeight;

TEST(ListWindow, RowsAreDrawnWithTheListsFontInTheWidthLeftBesideTheScrollBar) {
    World world;
    drawn.clear();
    RegisterClass("Owner", OwnerProc);
    const HWND owner = CreateWindow("Owner", WS_VISIBLE, 0, nullptr, RECT{100, 50, 400, 300});
    const HWND list = CreateWindow(
        "ThunderRT6ListBox",
        WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NODATA | LBS_OWNERDRAWFIXED, 0, owner,
        RECT{10, 10, 10 + kWidth, 10 + kFiveRows}, 7);
    const HFONT font = world.Graphics().CreateFont("Test");
    SendMessage(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    SendMessage(list, LB_SETCOUNT, 20, 0);
    SendMessage(list, LB_SETCURSEL, 1, 0);
    ShowWindow(list, true);

    ASSERT_EQ(drawn.size(), 5u);
    const DRAWITEMSTRUCT& second = drawn[1].item;
    EXPECT_EQ(
        (std::tuple{second.CtlType, second.itemID, second.itemAction, second.itemState,
                    second.hwndItem, drawn[1].font}),
        (std::tuple{UINT{ODT_LISTBOX}, 1u, UINT{ODA_DRAWENTIRE}, UINT{ODS_SELECTED}, list, font}));
    EXPECT_EQ(second.rcItem, (RECT{0, 15, kWidth - 2 - kScrollBarWidth, 30}));
    EXPECT_EQ(drawn[0].item.itemState, 0u);

    // All rows shown: no scroll bar.
    SendMessage(list, LB_SETCOUNT, 5, 0);
    EXPECT_EQ(GetClientRect(list).right, kWidth - 2);
}

}  // namespace
}  // namespace cp::sim::test
