#include "tests/frame/FrameFixture.h"

namespace cp::test {
namespace {

constexpr OLE_COLOR kShadow = 0x808080;
constexpr OLE_COLOR kHighlight = 0xFFFFFF;
constexpr OLE_COLOR kWindowText = static_cast<OLE_COLOR>(0x80000008u);

using LayoutTest = FrameTest;

LONG EditWidth(sim::ControlHost& host) {
    RECT rect{};
    GetWindowRect(host.EditHwnd(), &rect);
    return rect.right - rect.left;
}

TEST_F(LayoutTest, AppearanceShowsHidesAndColoursTheLinesAndAnUnnamedOneKeepsThem) {
    control().Appearance(lbFlat);
    for (LineIndex i : {kInnerTop, kInnerLeft, kInnerRight, kInnerBottom})
        EXPECT_FALSE(Line(i).Visible()) << i;
    for (LineIndex i : {kOuterTop, kOuterLeft, kOuterRight, kOuterBottom}) {
        EXPECT_TRUE(Line(i).Visible()) << i;
        EXPECT_EQ(Line(i).BorderColor(), kWindowText) << i;
    }

    control().Appearance(lbFlatNoBorder);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_FALSE(host().Line(i).Visible()) << i;

    // Back to the sunken frame: the outer colours return, the inner ones are never touched.
    Line(kInnerRight).SetBorderColor(0x123456);
    control().Appearance(lb3D);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_TRUE(host().Line(i).Visible()) << i;
    EXPECT_EQ(
        (std::vector<OLE_COLOR>{Line(kOuterTop).BorderColor(), Line(kOuterLeft).BorderColor(),
                                Line(kOuterRight).BorderColor(), Line(kOuterBottom).BorderColor(),
                                Line(kInnerRight).BorderColor()}),
        (std::vector<OLE_COLOR>{kShadow, kShadow, kHighlight, kHighlight, 0x123456}));

    // An appearance without a name keeps the lines and the button, but follows the width.
    control().Appearance(lbFlat);
    ClearLog();
    control().Appearance(static_cast<typAppearance>(7));
    EXPECT_EQ(control().Appearance(), 7);
    EXPECT_FALSE(Line(kInnerTop).Visible());
    EXPECT_EQ(Line(kOuterTop).BorderColor(), kWindowText);
    EXPECT_EQ(DrawnButton(), (RECT{64, 1, 80, 20}));
    // Repainted where it was, the glyph in the position of a button that is not flat.
    EXPECT_EQ(Describe(ControlDrawing()),
              (std::vector<std::string>{"Fill(64,1,80,20 #ffffff)", "Fill(64,1,80,20 #c0c0c0)",
                                        "Edge(64,1,80,20 5/15)", "Blt(68,9 8x5 from 0,0)"}));
    host().UserControl().SetWidth(1500);
    EXPECT_EQ(Line(kOuterBottom).X2(), 1500);
    EXPECT_EQ(DrawnButton(), (RECT{64, 1, 80, 20}));
}

// Placed by a host that keeps its size exactly as put: below the minimum width the control is
// widened and laid out for it, the height is always put back to one row, and a width between
// pixels rounds the button ties to even.
TEST_F(LayoutTest, TheRightHandEndsFollowTheWidthAndAnExactSizeIsWidenedAndCutToOneRow) {
    host().UserControl().SetWidth(3000);
    EXPECT_EQ(
        (std::vector<float>{Line(kOuterTop).X2(), Line(kInnerTop).X2(), Line(kInnerBottom).X2(),
                            Line(kOuterBottom).X2(), Line(kInnerRight).X1(), Line(kInnerRight).X2(),
                            Line(kOuterRight).X1(), Line(kOuterRight).X2()}),
        (std::vector<float>{2985, 2970, 2985, 3000, 2970, 2970, 2985, 2985}));
    // 3000 - 315 twips: 179 pixels, ending where the button begins.
    EXPECT_EQ(EditWidth(host()), 179);
    EXPECT_EQ(DrawnButton(), (RECT{182, 2, 198, 19}));
    // Left ends are not the layout's business.
    EXPECT_EQ(Line(kOuterLeft).X1(), 0);

    PlaceExactly(389, 315);
    EXPECT_EQ(host().UserControl().WidthPuts(), (std::vector<float>{390}));
    EXPECT_TRUE(host().UserControl().HeightPuts().empty());
    EXPECT_EQ(DrawnButton(), (RECT{8, 2, 24, 19}));
    EXPECT_EQ(Line(kOuterBottom).X2(), 390);
    EXPECT_EQ(EditWidth(host()), 5);  // 75 twips

    PlaceExactly(390, 315);
    EXPECT_TRUE(host().UserControl().WidthPuts().empty());
    EXPECT_EQ(DrawnButton(), (RECT{8, 2, 24, 19}));

    PlaceExactly(1215, 400);
    EXPECT_EQ(host().UserControl().HeightPuts(), (std::vector<float>{315}));
    EXPECT_EQ(host().UserControl().Height(), 315);
    PlaceExactly(300, 100);
    EXPECT_EQ(host().UserControl().WidthPuts(), (std::vector<float>{390}));
    EXPECT_EQ(host().UserControl().Height(), 315);
    PlaceExactly(1222.5f, 315);
    EXPECT_EQ(DrawnButton(), (RECT{64, 2, 80, 19}));  // round(63.5) = 64

    // Through the form host, whose control window takes whole pixels.
    Place({});
    host().UserControl().SetHeight(600);
    EXPECT_EQ(host().UserControl().Height(), 315);
}

}  // namespace
}  // namespace cp::test
