#include <algorithm>
#include <tuple>

#include "platform/sim/SimWindowApi.h"
#include "tests/frame/FrameFixture.h"

namespace cp::test {
namespace {

using ButtonMouseTest = FrameTest;

std::ptrdiff_t Count(const std::vector<sim::DrawRecord>& log, UINT edge) {
    return std::ranges::count_if(
        log, [&](const auto& r) { return r.op == sim::DrawOp::DrawEdge && r.edge == edge; });
}

TEST_F(ButtonMouseTest, TheButtonSpansItsPixelsAndNoDrawingObjectOutlivesItsPresses) {
    // rctButton (63, 2, 79, 19): pixel columns 63 to 78, rows 2 to 18.
    const float left = 63 * kTwipsPerPixel;
    const float top = 2 * kTwipsPerPixel;
    const float right = 78 * kTwipsPerPixel;
    const float bottom = 18 * kTwipsPerPixel;
    for (const auto& [x, y, on] :
         {std::tuple{left, ButtonY(), true}, std::tuple{left - kTwipsPerPixel, ButtonY(), false},
          std::tuple{ButtonX(), top, true}, std::tuple{ButtonX(), top - kTwipsPerPixel, false},
          std::tuple{right, ButtonY(), true}, std::tuple{right + kTwipsPerPixel, ButtonY(), false},
          std::tuple{ButtonX(), bottom, true},
          std::tuple{ButtonX(), bottom + kTwipsPerPixel, false}}) {
        ClearLog();
        PressAt(x, y);
        EXPECT_EQ(Count(ControlDrawing(), EDGE_SUNKEN), on ? 1 : 0) << x << "," << y;
        ReleaseAt(x, y);
        if (control().ComboBoxIsOpen()) control().HideListBox(AfterHide::LeaveFocus);
    }

    // No drawing object outlives paints and presses.
    const sim::GdiCounts before = world().Graphics().Live();
    const float off = ButtonX() + 20 * kTwipsPerPixel;
    for (int i = 0; i < 50; ++i) {
        Repaint();
        PressAt(ButtonX(), ButtonY());
        MoveTo(off, ButtonY());
        MoveTo(ButtonX(), ButtonY());
        ReleaseAt(ButtonX(), ButtonY());
        if (control().ComboBoxIsOpen()) PressAt(ButtonX(), ButtonY());
        ReleaseAt(ButtonX(), ButtonY());
        control().Appearance(static_cast<typAppearance>(i % 3));
    }
    EXPECT_EQ(world().Graphics().Live(), before);
    EXPECT_TRUE(world().HostErrors().empty());
}

// A failing press is reported and leaves nothing behind; the next one draws the pressed look and
// the release the raised one.
TEST_F(ButtonMouseTest, APressDrawsThePressedLookAndTheReleaseTheRaisedOneUnlessItFails) {
    const sim::GdiCounts before = world().Graphics().Live();
    const float x = ButtonX();
    const float y = ButtonY();
    world().FailNext("DrawEdge", 5);
    PressAt(x, y);
    EXPECT_EQ(ReportTitles(), std::vector<std::string>{"ColumnPick - UserControl_MouseDown"});
    EXPECT_TRUE(world().HostErrors().empty());
    EXPECT_EQ(world().Graphics().Live(), before);
    // Stopped before the press was recorded.
    EXPECT_EQ(Repainted(), RaisedLook());

    ClearLog();
    // The host gets to show the pressed face before the list opens.
    std::vector<std::string> drawnBeforeTheList;
    world().OnDoEvents([&] {
        if (!drawnBeforeTheList.empty()) return;
        drawnBeforeTheList = Describe(ControlDrawing());
        EXPECT_EQ(sim::GetFocus(), host().EditHwnd());
        EXPECT_FALSE(control().ComboBoxIsOpen());
    });
    PressAt(ButtonX(), ButtonY());
    world().OnDoEvents(nullptr);
    const std::vector<std::string> pressed = PressedLook();
    EXPECT_EQ(drawnBeforeTheList, pressed);
    EXPECT_EQ(Describe(ControlDrawing()), pressed);
    EXPECT_TRUE(control().ComboBoxIsOpen());

    ClearLog();
    ReleaseAt(ButtonX(), ButtonY());
    EXPECT_EQ(Describe(ControlDrawing()), RaisedLook());
}

TEST_F(ButtonMouseTest, APressOnTheOpenListOnlyClosesItAndADragRedrawsOncePerCrossing) {
    PressAt(ButtonX(), ButtonY(), 2);
    ReleaseAt(ButtonX(), ButtonY());
    ASSERT_TRUE(control().ComboBoxIsOpen());

    ClearLog();
    PressAt(ButtonX(), ButtonY());
    EXPECT_EQ((std::tuple{control().ComboBoxIsOpen(), sim::IsWindowVisible(List()),
                          sim::GetFocus() == host().EditHwnd(), ControlDrawing().size()}),
              (std::tuple{false, false, true, 0u}));

    // Nothing is pressed, so dragging draws nothing; the release puts the raised face back.
    MoveTo(ButtonX() + 20 * kTwipsPerPixel, ButtonY());
    MoveTo(ButtonX(), ButtonY());
    EXPECT_TRUE(ControlDrawing().empty());
    ReleaseAt(ButtonX(), ButtonY());
    EXPECT_EQ(Count(ControlDrawing(), EDGE_RAISED), 1);
    EXPECT_FALSE(control().ComboBoxIsOpen());

    // Dragging off the button and back redraws it once for each crossing.
    PressAt(ButtonX(), ButtonY());
    ClearLog();
    const float off = ButtonX() + 20 * kTwipsPerPixel;
    MoveTo(ButtonX() + kTwipsPerPixel, ButtonY());  // still on: already shown pressed
    EXPECT_TRUE(ControlDrawing().empty());

    MoveTo(off, ButtonY());
    MoveTo(off + kTwipsPerPixel, ButtonY());
    EXPECT_EQ(Describe(ControlDrawing()), RaisedLook());

    ClearLog();
    MoveTo(ButtonX(), ButtonY());
    MoveTo(ButtonX(), ButtonY() + kTwipsPerPixel);
    EXPECT_EQ(Describe(ControlDrawing()), PressedLook());

    // Released off the button: it already stands raised.
    MoveTo(off, ButtonY());
    ClearLog();
    ReleaseAt(off, ButtonY());
    EXPECT_TRUE(ControlDrawing().empty());

    // Moving without a press draws nothing.
    MoveTo(ButtonX(), ButtonY());
    EXPECT_TRUE(ControlDrawing().empty());
}

TEST_F(ButtonMouseTest, ALockedControlIgnoresPressAndRelease) {
    control().Locked(true);
    ClearLog();
    PressAt(ButtonX(), ButtonY());
    EXPECT_EQ((std::tuple{ControlDrawing().empty(), world().DoEventsCount(), Repainted()}),
              (std::tuple{true, 0, RaisedLook()}));

    // A press that started before the lock is not ended by the release. (The list fails to
    // open: a lock waits for the open list to close.)
    control().Locked(false);
    world().FailNext("ListBox.SetHeight", 5);
    PressAt(ButtonX(), ButtonY());
    control().Locked(true);
    ClearLog();
    ReleaseAt(ButtonX(), ButtonY());
    EXPECT_TRUE(ControlDrawing().empty());
    EXPECT_EQ(Repainted(), PressedLook());
}

}  // namespace
}  // namespace cp::test
