// The control on a screen of 144 pixels per inch: sizes given in twips follow the screen's
// twips per pixel, rows follow its font, and the list's rows still meet the mouse in pixels.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "control/ColumnPick.h"
#include "control/Startup.h"
#include "platform/sim/Form.h"
#include "platform/sim/User.h"
#include "platform/sim/World.h"
#include "runtime/ScreenUnits.h"
#include "tests/support/ColumnPickProbe.h"
#include "tests/support/EventRecorder.h"

namespace cp::test {
namespace {

constexpr int kDpi = 144;
constexpr int kRowPixels = 22;      // 15 pixels at 96, scaled (22.5, to even)
constexpr int kControlPixels = 32;  // 315 twips at 10 twips to the pixel (31.5, to even)

// The world plays the screen before the form and the control are made.
struct DenseWorld : sim::World {
    DenseWorld() { SetScreenDpi(kDpi); }
};

class HighDpiTest : public ::testing::Test {
protected:
    HighDpiTest() {
        ComponentStart();
        sim::ControlPlacement placement;
        placement.left = 400;
        placement.top = 400;
        placement.width = 3000;
        host = &form.AddControl(
            [](const ControlSite& site) { return std::make_unique<ColumnPick>(site); }, placement);
        control = &host->ControlAs<ColumnPick>();
        control->SetEventSink(&events);
        probe = std::make_unique<ColumnPickProbe>(*control);
        control->ColumnCount(2);
        control->ColumnWidths("1500;600");
        for (int r = 0; r < 20; ++r)
            control->AddItem("Row " + std::to_string(r) + ";" + std::to_string(r));
    }
    HWND List() const { return host->ListHwnd(); }

    DenseWorld world;
    sim::Form form{world, sim::FormOptions{.left = 0, .top = 0, .width = 800, .height = 600}};
    EventRecorder events;
    sim::ControlHost* host = nullptr;
    ColumnPick* control = nullptr;
    std::unique_ptr<ColumnPickProbe> probe;
    sim::User user{world};
};

TEST_F(HighDpiTest, TwipsBecomeTheScreensPixels) {
    EXPECT_EQ(TwipsPerPixel(), 10);
    EXPECT_EQ(probe->lngColumnWidths(), (std::vector<std::int32_t>{150, 60}));
    const RECT window = world.Windows().ScreenRect(host->Hwnd());
    EXPECT_EQ(window.right - window.left, 300);
    EXPECT_EQ(window.bottom - window.top, kControlPixels);

    // The button grows with the screen and fills the height inside the 3-D frame.
    const RECT button = probe->rctButton();
    EXPECT_EQ(button.right - button.left, 24);
    EXPECT_EQ(button.top, 2);
    EXPECT_EQ(button.bottom, kControlPixels - 2);
    EXPECT_EQ(button.right, 300 - 2);
}

TEST_F(HighDpiTest, TheListShowsWholeRowsAndFollowsTheMouseInPixels) {
    control->ShowDropDown();
    const RECT list = world.Windows().ScreenRect(List());
    const RECT own = world.Windows().ScreenRect(host->Hwnd());
    EXPECT_EQ(list.top, own.bottom) << "the list opens right below the control";
    EXPECT_EQ(list.bottom - list.top, 2 + 8 * kRowPixels);

    // The pointer on the lower edge of a row's band, and one pixel below it.
    const float bandBottom = static_cast<float>((3 * kRowPixels - 1) * 10);
    user.MouseMove(List(), 100, bandBottom);
    EXPECT_EQ(probe->lngHotRow(), 2);
    user.MouseMove(List(), 100, bandBottom + 10);
    EXPECT_EQ(probe->lngHotRow(), 3);
    user.Click(List(), 100, bandBottom + 10);
    EXPECT_EQ(control->Text(), "Row 3");
    EXPECT_EQ(events.Count("AfterUpdate"), 1);
}

}  // namespace
}  // namespace cp::test
