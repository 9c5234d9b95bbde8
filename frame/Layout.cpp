// The layout pass: the control's fixed height and minimum width, the frame lines for each
// appearance, the right-hand ends that follow the width, and the button rectangle.
#include <optional>

#include "control/ColumnPick.h"
#include "runtime/Conversions.h"
#include "runtime/ScreenUnits.h"

namespace cp {
namespace {

constexpr float kFixedHeight = 315;       // twips: one row, 21 pixels
constexpr float kSpaceRightOfEdit = 315;  // twips: the button and the frame
constexpr double kButtonWidthAt96 = 16;   // pixels on a screen of 96 pixels per inch

// One pixel of the screen, in twips: the frame's lines stay one pixel wide at any density.
float OnePixel() {
    return static_cast<float>(TwipsPerPixel());
}

// The button grows with the screen's density; the arrow glyph keeps its pixel size, centred.
double ButtonWidth() {
    return RoundHalfEven(kButtonWidthAt96 * kTwipsPerPixel / TwipsPerPixel());
}

constexpr OLE_COLOR kShadow = 0x808080;
constexpr OLE_COLOR kHighlight = 0xFFFFFF;
constexpr OLE_COLOR kWindowText = static_cast<OLE_COLOR>(0x80000008u);

// The eight line objects of the frame, inner ones first, each group in the order left, top,
// right, bottom.
struct FrameLines {
    LineObject& innerLeft;
    LineObject& innerTop;
    LineObject& innerRight;
    LineObject& innerBottom;
    LineObject& outerLeft;
    LineObject& outerTop;
    LineObject& outerRight;
    LineObject& outerBottom;
};

// Which of the frame's two rings of lines an appearance shows.
enum class ShownLines { None, OuterOnly, Both };

void ShowLines(const FrameLines& l, ShownLines shown) {
    const bool inner = shown == ShownLines::Both;
    const bool outer = shown != ShownLines::None;
    l.innerLeft.SetVisible(inner);
    l.innerTop.SetVisible(inner);
    l.innerRight.SetVisible(inner);
    l.innerBottom.SetVisible(inner);
    l.outerLeft.SetVisible(outer);
    l.outerTop.SetVisible(outer);
    l.outerRight.SetVisible(outer);
    l.outerBottom.SetVisible(outer);
}

// Shows, hides and colours the lines; an appearance without a name of its own leaves them.
void StyleLines(const FrameLines& l, std::uint8_t byteAppearance) {
    switch (byteAppearance) {
        case lb3D:
            // Two pixels sunken: the inner lines keep their own colours.
            ShowLines(l, ShownLines::Both);
            l.outerLeft.SetBorderColor(kShadow);
            l.outerTop.SetBorderColor(kShadow);
            l.outerRight.SetBorderColor(kHighlight);
            l.outerBottom.SetBorderColor(kHighlight);
            break;
        case lbFlatNoBorder:
            ShowLines(l, ShownLines::None);
            break;
        case lbFlat:
            // One pixel in the window-text colour.
            ShowLines(l, ShownLines::OuterOnly);
            l.outerLeft.SetBorderColor(kWindowText);
            l.outerTop.SetBorderColor(kWindowText);
            l.outerRight.SetBorderColor(kWindowText);
            l.outerBottom.SetBorderColor(kWindowText);
            break;
        default:
            break;
    }
}

void MoveRightEnds(const FrameLines& l, float W) {
    l.outerTop.SetX2(W - OnePixel());
    l.innerTop.SetX2(W - 2 * OnePixel());
    l.innerBottom.SetX2(W - OnePixel());
    l.outerBottom.SetX2(W);
    l.innerRight.SetX1(W - 2 * OnePixel());
    l.innerRight.SetX2(W - 2 * OnePixel());
    l.outerRight.SetX1(W - OnePixel());
    l.outerRight.SetX2(W - OnePixel());
}

// Where the button stands for an appearance: its left edge lies `inset` pixels left of the
// control's right edge, inside the frame that the appearance draws.
struct ButtonPlacement {
    double inset;  // pixels from the right edge to the button's left edge
    LONG top;      // pixels
    LONG bottom;   // pixels, exclusive
};

// The frame that each appearance draws is as many pixels wide as it has lines; the button
// fills the control's height inside it.
std::optional<ButtonPlacement> PlacementFor(std::uint8_t byteAppearance) {
    LONG frame = 0;
    switch (byteAppearance) {
        case lbFlat:
            frame = 1;
            break;
        case lbFlatNoBorder:
            frame = 0;
            break;
        case lb3D:
            frame = 2;
            break;
        default:
            return std::nullopt;
    }
    const auto height = static_cast<LONG>(RoundHalfEven(kFixedHeight / TwipsPerPixel()));
    return ButtonPlacement{ButtonWidth() + frame, frame, height - frame};
}

}  // namespace

void ColumnPick::UserControl_Resize() {
    const float W = UserControl.Width();
    if (W < kMinimumWidth) {
        // The put runs this pass again for the new width before it returns.
        UserControl.SetWidth(static_cast<float>(kMinimumWidth));
    } else {
        const FrameLines lines{linInnerLeft, linInnerTop, linInnerRight, linInnerBottom,
                               linOuterLeft, linOuterTop, linOuterRight, linOuterBottom};
        StyleLines(lines, static_cast<std::uint8_t>(Appearance()));
        MoveRightEnds(lines, W);
        txtTextBox.SetWidth(W - kSpaceRightOfEdit);
        // The old place of the button is wiped before the button moves.
        ClearButton();
        SetButtonRect();
        DrawButton();
        DrawArrow(CurrentFace());
    }
    if (UserControl.Height() != kFixedHeight) UserControl.SetHeight(kFixedHeight);
}

void ColumnPick::SetButtonRect() {
    const std::optional<ButtonPlacement> placement =
        PlacementFor(static_cast<std::uint8_t>(Appearance()));
    const double n = static_cast<double>(UserControl.Width()) / TwipsPerPixel();
    if (!placement) return;
    button.rctButton.left = CLng(n - placement->inset);
    button.rctButton.top = placement->top;
    button.rctButton.right = CLng(button.rctButton.left + ButtonWidth());
    button.rctButton.bottom = placement->bottom;
}

}  // namespace cp
