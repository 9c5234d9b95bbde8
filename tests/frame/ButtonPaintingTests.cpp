#include "tests/frame/FrameFixture.h"

namespace cp::test {
namespace {

using ButtonPaintingTest = FrameTest;

// The host's start-up sizes the control and then paints it; the paint finds it laid out and
// draws the button as it stands, without laying out again.
TEST_F(ButtonPaintingTest, APaintDrawsTheButtonWithoutLayingOutAgain) {
    EXPECT_EQ(Line(kOuterBottom).X2(), 1215);
    Line(kOuterBottom).SetX2(0);
    ClearLog();
    world().Windows().Invalidate(host().Hwnd(), nullptr, Erase::None);
    world().Windows().Update(host().Hwnd());
    EXPECT_EQ(Line(kOuterBottom).X2(), 0);
    EXPECT_EQ(Describe(ControlDrawing()), RaisedLook());
}

TEST_F(ButtonPaintingTest, APaintDuringAPressDrawsThePressedFace) {
    probe().blnButtonDown() = true;
    ClearLog();
    probe().UserControl_Paint();
    EXPECT_EQ(Describe(ControlDrawing()), PressedLook());
}

TEST_F(ButtonPaintingTest, EachAppearancePlacesTheButtonInItsFrameAndTheGlyphInItsMiddle) {
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
        EXPECT_EQ(probe().rctButton(), c.button) << c.appearance;
        for (bool pressed : {false, true}) {
            ClearLog();
            probe().DrawArrow(pressed ? ButtonFace::Pressed : ButtonFace::Raised);
            ASSERT_EQ(Log().size(), 1u);
            const POINT expected = pressed ? c.pressed : c.raised;
            EXPECT_EQ(Log()[0].rect, (RECT{expected.x, expected.y, expected.x + 8, expected.y + 5}))
                << c.appearance << (pressed ? " pressed" : " raised");
            // Copied from the arrow bitmap onto the control's own surface.
            const sim::GdiObject* source = world().Graphics().Object(Log()[0].srcBitmap);
            ASSERT_NE(source, nullptr);
            EXPECT_EQ(source->resourceId, 10);
            EXPECT_EQ(Log()[0].rop, SRCCOPY);
            EXPECT_EQ(Log()[0].dc, host().UserControl().hDC());
        }
    }
}

TEST_F(ButtonPaintingTest, ADisabledControlShowsTheGreyGlyphUnlessPressed) {
    control().Enabled(false);
    ClearLog();
    probe().UserControl_Paint();
    ASSERT_EQ(Log().size(), 4u);
    EXPECT_EQ(Log()[3].srcPoint.y, 5);

    control().Enabled(true);  // redraws the glyph at once
    EXPECT_EQ(Log().back().srcPoint.y, 0);

    host().UserControl().SetEnabled(false);
    ClearLog();
    probe().DrawArrow(ButtonFace::Pressed);
    EXPECT_EQ(Log()[0].srcPoint.y, 0);
}

TEST_F(ButtonPaintingTest, TheButtonIsWipedInTheBackgroundColour) {
    ClearLog();
    control().BackColorNormal(0x00FF00);  // repaints
    EXPECT_EQ(Describe(ControlDrawing()).at(0), "Fill(63,2,79,19 #00ff00)");
    // A system colour wipes in its current value, as the control's background shows it.
    control().BackColorNormal(static_cast<OLE_COLOR>(0x80000005u));
    ClearLog();
    probe().ClearButton();
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0].fillColor, GetSysColor(5));
}

TEST_F(ButtonPaintingTest, AFailedDrawingCallLeavesNoObjectBehind) {
    const sim::GdiCounts before = world().Graphics().Live();
    world().FailNext("DrawEdge", 5);
    EXPECT_THROW(probe().DrawButton(), RuntimeError);
    world().FailNext("BitBlt", 5);
    EXPECT_THROW(probe().DrawArrow(ButtonFace::Raised), RuntimeError);
    world().FailNext("FillRect", 5);
    EXPECT_THROW(probe().ClearButton(), RuntimeError);
    EXPECT_EQ(world().Graphics().Live(), before);
}

}  // namespace
}  // namespace cp::test
