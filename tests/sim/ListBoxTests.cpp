// What the simulated list window hands its owner to draw a row with: the owner draws every row
// through the record, so the record must carry what the real list's does.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
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

// What the owner heard of the scroll bar: the request, and the list's top row then.
using HeardScroll = std::pair<int, int>;
thread_local std::vector<HeardScroll> heard;
thread_local HWND scrolled = nullptr;  // the list whose scroll bar the owner hears

LRESULT OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSimChildScroll) {
        const ListBoxState* s = InspectListBox(scrolled);
        heard.push_back({static_cast<int>(wParam & 0xFFFF), s ? s->top : -1});
        return 0;
    }
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

// A list window of five whole rows on an owner window of the given procedure, in a world of
// its own.
class ListWindow : public ::testing::Test {
protected:
    HWND MakeList(LRESULT (*ownerProc)(HWND, UINT, WPARAM, LPARAM), DWORD style, int count) {
        RegisterClass("Owner", ownerProc);
        owner = CreateWindow("Owner", WS_VISIBLE, 0, nullptr, RECT{100, 50, 400, 300});
        const HWND list = CreateWindow("ThunderRT6ListBox",
                                       WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NODATA | style, 0,
                                       owner, RECT{10, 10, 10 + kWidth, 10 + kFiveRows}, 7);
        scrolled = list;
        SendMessage(list, LB_SETCOUNT, static_cast<WPARAM>(count), 0);
        return list;
    }

    World world;
    HWND owner = nullptr;
};

TEST_F(ListWindow, RowsAreDrawnWithTheListsFontInTheWidthLeftBesideTheScrollBar) {
    drawn.clear();
    const HWND list = MakeList(OwnerProc, LBS_NOTIFY | LBS_OWNERDRAWFIXED, 20);
    const HFONT font = world.Graphics().CreateFont("Test");
    SendMessage(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
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
}

WPARAM Request(int request, int position = 0) {
    return static_cast<WPARAM>(request) | (static_cast<WPARAM>(position) << 16);
}

// The scroll bar's requests move the top row within the list's ends, the owner hearing each
// before the list moves; a thumb's move counts only while the thumb is dragged, and its
// release goes by the position in the message.
TEST_F(ListWindow, TheScrollBarsRequestsMoveTheTopRowWithinTheEnds) {
    heard.clear();
    const HWND list = MakeList(OwnerProc, 0, 20);
    ShowWindow(list, true);
    const struct {
        WPARAM request;
        int top;
    } steps[] = {{Request(SB_BOTTOM), 15},
                 {Request(SB_TOP), 0},
                 {Request(SB_THUMBPOSITION, 12), 12},
                 {Request(SB_THUMBTRACK, 3), 12},
                 {Request(SB_ENDSCROLL), 12}};
    int before = 0;
    for (const auto& step : steps) {
        SendMessage(list, WM_VSCROLL, step.request, 0);
        EXPECT_EQ(InspectListBox(list)->top, step.top) << "request " << (step.request & 0xFFFF);
        ASSERT_FALSE(heard.empty());
        EXPECT_EQ(heard.back(), (HeardScroll{static_cast<int>(step.request & 0xFFFF), before}));
        before = step.top;
    }

    heard.clear();
    DragScrollThumb(list, 4, 2);
    EXPECT_EQ(
        heard,
        (std::vector<HeardScroll>{
            {SB_THUMBTRACK, 12}, {SB_THUMBTRACK, 8}, {SB_THUMBPOSITION, 4}, {SB_ENDSCROLL, 4}}));
    EXPECT_EQ(InspectListBox(list)->top, 4);

    // All rows shown: no scroll bar to press.
    SendMessage(list, LB_SETCOUNT, 5, 0);
    heard.clear();
    PressScrollBar(list, SB_LINEDOWN);
    DragScrollThumb(list, 3);
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(InspectListBox(list)->top, 0);
}

// An owner that places the list itself from the scroll bar's tracking position, as the
// control does: what it read of the scroll bar at each thumb request (the request, the
// message's high word, GetScrollInfo's tracking position).
using ReadThumb = std::tuple<int, int, int>;
thread_local std::vector<ReadThumb> readThumb;

LRESULT PlacingOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kSimChildScroll) return DefWindowProc(hwnd, message, wParam, lParam);
    const int request = static_cast<int>(wParam & 0xFFFF);
    if (request != SB_THUMBTRACK && request != SB_THUMBPOSITION) return 0;
    SCROLLINFO info;
    info.fMask = SIF_TRACKPOS;
    EXPECT_TRUE(GetScrollInfo(scrolled, SB_VERT, &info));
    readThumb.push_back({request, static_cast<int>(wParam >> 16), info.nTrackPos});
    SendMessage(scrolled, LB_SETTOPINDEX, static_cast<WPARAM>(info.nTrackPos), 0);
    return 1;
}

// Past 65,535 rows the message carries the thumb's position in 16 bits, the tracking position
// whole, until the drag's last message; an owner that places the list has the last word.
TEST_F(ListWindow, TheScrollBarTellsTheDraggedThumbsWholePositionToAnOwnerThatPlacesTheList) {
    readThumb.clear();
    const HWND list = MakeList(PlacingOwnerProc, 0, 200000);
    ShowWindow(list, true);

    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
    EXPECT_EQ((std::tuple{info.nMin, info.nMax, info.nPage, info.nPos, info.nTrackPos}),
              (std::tuple{0, 199999, 5u, 0, 0}));

    DragScrollThumb(list, 150000, 2);
    EXPECT_EQ(readThumb, (std::vector<ReadThumb>{{SB_THUMBTRACK, 75000 - 65536, 75000},
                                                 {SB_THUMBTRACK, 150000 - 131072, 150000},
                                                 {SB_THUMBPOSITION, 150000 - 131072, 150000}}));
    EXPECT_EQ(InspectListBox(list)->top, 150000);
    info.fMask = SIF_TRACKPOS;
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
    EXPECT_EQ(info.nTrackPos, 150000) << "no drag on: the tracking position is the position";

    // A window with no scroll bar has none to read.
    EXPECT_FALSE(GetScrollInfo(owner, SB_VERT, &info));
}

}  // namespace
}  // namespace cp::sim::test
