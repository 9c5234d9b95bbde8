#include <gtest/gtest.h>

#include "dropdown/ListPlacement.h"

namespace cp {
namespace {

// A screen of 800 x 600 pixels and a list of five rows, 2250 twips wide.
ListPlacementInput Input(RECT control) {
    return ListPlacementInput{1155, 2250, 9000, 12000, control};
}

TEST(ListPlacementTest, BelowWhenItFitsAboveWhenItWouldReachTheScreensEdge) {
    // 7815 + 1155 = 8970 < 9000: the list hangs from the control's lower edge.
    ListPosition at = PlaceList(Input(RECT{40, 500, 190, 521}));
    EXPECT_EQ(at.top, 7815);
    EXPECT_EQ(at.left, 600);
    // 7845 + 1155 = 9000 exactly: the comparison is strict, so the list goes above.
    at = PlaceList(Input(RECT{40, 502, 190, 523}));
    EXPECT_EQ(at.top, 7530 - 1155);  // pixel 425
}

TEST(ListPlacementTest, PulledInFromTheRightEdgeOnlyWhenItWouldReachIt) {
    // 10500 + 2250 = 12750: the list's right edge goes on the screen's right edge.
    EXPECT_EQ(PlaceList(Input(RECT{700, 100, 850, 121})).left, 9750);  // pixel 650
    // 9750 + 2250 = 12000 exactly: pulled in as well.
    EXPECT_EQ(PlaceList(Input(RECT{650, 100, 800, 121})).left, 9750);
    EXPECT_EQ(PlaceList(Input(RECT{649, 100, 799, 121})).left, 9735);
}

TEST(ListPlacementTest, NoFurtherLimitKeepsTheListOnTheScreen) {
    // A short screen: above a control near the top, the list starts above the screen.
    ListPlacementInput in{1155, 15000, 1500, 12000, RECT{0, 10, 150, 31}};
    const ListPosition at = PlaceList(in);
    EXPECT_EQ(at.top, 150 - 1155);
    EXPECT_EQ(at.left, 12000 - 15000);  // wider than the screen
}

}  // namespace
}  // namespace cp
