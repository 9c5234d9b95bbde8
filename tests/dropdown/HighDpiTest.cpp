// The control on a screen of 144 pixels per inch: sizes given in twips follow the screen's
// twips per pixel, rows follow its font, and the list's rows still meet the mouse in pixels.
#include <string>

#include "runtime/ScreenUnits.h"
#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {
namespace {

constexpr int kDpi = 144;
constexpr int kRowPixels = 22;      // 15 pixels at 96, scaled (22.5, to even)
constexpr int kControlPixels = 32;  // 315 twips at 10 twips to the pixel (31.5, to even)

// The world plays the screen before the control is made.
class HighDpiTest : public ControlOnForm {
protected:
    HighDpiTest()
        : ControlOnForm({.placement = {.left = 400, .top = 400, .width = 3000},
                         .form = {.left = 0, .top = 0, .width = 800, .height = 600},
                         .prepare = [](sim::World& screen) { screen.SetScreenDpi(kDpi); }}) {
        control().ColumnCount(2);
        control().ColumnWidths("1500;600");
        for (int r = 0; r < 20; ++r)
            control().AddItem("Row " + std::to_string(r) + ";" + std::to_string(r));
    }
};

TEST_F(HighDpiTest, TwipsBecomeTheScreensPixelsAndTheListMeetsTheMouseInThem) {
    EXPECT_EQ(TwipsPerPixel(), 10);
    EXPECT_EQ(world().Windows().ScreenRect(host().Hwnd()),
              (RECT{40, 40, 340, 40 + kControlPixels}));
    // The button grows with the screen and fills the height inside the 3-D frame.
    EXPECT_EQ(DrawnButton(), (RECT{300 - 2 - 24, 2, 300 - 2, kControlPixels - 2}));

    // The list shows whole rows and follows the mouse in pixels.
    control().ShowDropDown();
    const RECT list = world().Windows().ScreenRect(List());
    const RECT own = world().Windows().ScreenRect(host().Hwnd());
    EXPECT_EQ(list.top, own.bottom) << "the list opens right below the control";
    EXPECT_EQ(list.bottom - list.top, 2 + 8 * kRowPixels);
    // The line between the columns stands after the first column's 1500 twips.
    world().Windows().UpdateAll();
    std::vector<LONG> lines;
    for (const sim::DrawRecord& r : world().Graphics().Log())
        if (r.op == sim::DrawOp::LineTo && r.window == List() && r.from.y == 0)
            lines.push_back(r.to.x);
    EXPECT_EQ(lines, std::vector<LONG>{151});

    // The pointer on the lower edge of a row's band, and one pixel below it.
    const float bandBottom = static_cast<float>((3 * kRowPixels - 1) * 10);
    user().MouseMove(List(), 100, bandBottom);
    EXPECT_EQ(ListState().selection, 2);
    user().MouseMove(List(), 100, bandBottom + 10);
    EXPECT_EQ(ListState().selection, 3);
    user().Click(List(), 100, bandBottom + 10);
    EXPECT_EQ(control().Text(), "Row 3");
    EXPECT_EQ(events().Count("AfterUpdate"), 1);
}

}  // namespace
}  // namespace cp::test
