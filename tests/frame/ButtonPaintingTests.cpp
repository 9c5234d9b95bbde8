#include "tests/frame/FrameFixture.h"

namespace cp::test {
namespace {

using ButtonPaintingTest = FrameTest;

// The button is wiped in the background colour. The host's start-up sizes the control and then
// paints it; the paint finds it laid out and draws the button as it stands, without laying out
// again, pressed during a press.
TEST_F(ButtonPaintingTest, APaintWipesInTheBackgroundAndDrawsTheButtonWithoutLayingOutAgain) {
    ClearLog();
    control().BackColorNormal(0x00FF00);  // repaints
    EXPECT_EQ(Describe(ControlDrawing()).at(0), "Fill(63,2,79,19 #00ff00)");
    // A system colour wipes in its current value, as the control's background shows it.
    control().BackColorNormal(static_cast<OLE_COLOR>(0x80000005u));
    EXPECT_EQ(Repainted().at(0), "Fill(63,2,79,19 #ffffff)");
    EXPECT_EQ(GetSysColor(5), 0xFFFFFFu);

    EXPECT_EQ(Line(kOuterBottom).X2(), 1215);
    Line(kOuterBottom).SetX2(0);
    EXPECT_EQ(Repainted(), RaisedLook());
    EXPECT_EQ(Line(kOuterBottom).X2(), 0);

    PressAt(ButtonX(), ButtonY());
    EXPECT_EQ(Repainted(), PressedLook());
}

// The arrow, raised and pressed, copied from the arrow bitmap onto the control's own surface.
std::vector<const sim::DrawRecord*> Arrows(const std::vector<sim::DrawRecord>& log) {
    std::vector<const sim::DrawRecord*> arrows;
    for (const sim::DrawRecord& record : log)
        if (record.op == sim::DrawOp::BitBlt) arrows.push_back(&record);
    return arrows;
}

TEST_F(ButtonPaintingTest, EachAppearancePlacesTheGlyphAndAGreyOneShowsWhenDisabled) {
    struct Case {
        typAppearance appearance;
        RECT button;
        POINT raised;
        POINT pressed;
    };
    for (const Case& c : {Case{lbFlat, {64, 1, 80, 20}, {68, 8}, {69, 10}},
                          Case{lbFlatNoBorder, {65, 0, 81, 21}, {69, 8}, {70, 9}},
                          Case{lb3D, {63, 2, 79, 19}, {67, 8}, {68, 9}}}) {
        control().Appearance(c.appearance);
        EXPECT_EQ(DrawnButton(), c.button) << c.appearance;
        ClearLog();
        Repaint();
        PressAt(ButtonX(), ButtonY());
        const std::vector<sim::DrawRecord> log = ControlDrawing();
        const std::vector<const sim::DrawRecord*> arrows = Arrows(log);
        ASSERT_EQ(arrows.size(), 2u) << c.appearance;
        for (bool pressed : {false, true}) {
            const sim::DrawRecord& arrow = *arrows[pressed ? 1 : 0];
            const POINT at = pressed ? c.pressed : c.raised;
            EXPECT_EQ(arrow.rect, (RECT{at.x, at.y, at.x + 8, at.y + 5}))
                << c.appearance << (pressed ? " pressed" : " raised");
            const sim::GdiObject* source = world().Graphics().Object(arrow.srcBitmap);
            ASSERT_NE(source, nullptr);
            EXPECT_EQ((std::tuple{source->resourceId, arrow.rop, arrow.dc}),
                      (std::tuple{10, SRCCOPY, host().UserControl().hDC()}));
        }
        control().HideListBox(AfterHide::LeaveFocus);
        ReleaseAt(ButtonX(), ButtonY());
    }

    // A disabled control shows the grey glyph, unless pressed.
    control().Enabled(false);
    ClearLog();
    Repaint();
    ASSERT_EQ(Arrows(ControlDrawing()).size(), 1u);
    EXPECT_EQ(Arrows(ControlDrawing())[0]->srcPoint.y, 5);

    control().Enabled(true);  // redraws the glyph at once
    EXPECT_EQ(Log().back().srcPoint.y, 0);

    PressAt(ButtonX(), ButtonY());
    host().UserControl().SetEnabled(false);
    ClearLog();
    Repaint();
    ASSERT_EQ(Arrows(ControlDrawing()).size(), 1u);
    EXPECT_EQ(Arrows(ControlDrawing())[0]->srcPoint.y, 0);

    // The paint has no handler of its own: the failure reaches the host, as a painting error.
    const sim::GdiCounts before = world().Graphics().Live();
    for (const char* call : {"DrawEdge", "BitBlt", "FillRect"}) {
        world().FailNext(call, 5);
        Repaint();
    }
    ASSERT_EQ(world().HostErrors().size(), 3u);
    for (const sim::HostError& error : world().HostErrors())
        EXPECT_EQ(error.notification, "UserControl_Paint");
    EXPECT_EQ(world().Graphics().Live(), before);
}

}  // namespace
}  // namespace cp::test
