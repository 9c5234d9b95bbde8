// The paint handler and the faces of the drop-down button, which the control paints into its
// own drawing surface, with the arrow glyph copied from the glyph bitmap: its upper half is the
// normal arrow, its lower half the grey arrow of a disabled control.
#include "control/ColumnPick.h"
#include "frame/GdiScope.h"
#include "platform/OleColor.h"
#include "runtime/Conversions.h"

namespace cp {
namespace {

constexpr COLORREF kButtonFace = 0xC0C0C0;  // a fixed grey, not the system's button face
constexpr UINT kPressedEdgeFlags = BF_RECT | BF_FLAT;

constexpr int kGlyphWidth = 8;   // pixels
constexpr int kGlyphHeight = 5;  // pixels
constexpr int kNormalGlyphRow = 0;
constexpr int kGreyGlyphRow = 5;

// How far the glyph's corner stands left of the button's middle, and above it.
constexpr double kRaisedLeft = 4;
constexpr double kPressedLeft = 3;  // one pixel right and down: the face is sunken
constexpr double kPressedUp = 1;
constexpr double kFlatRaisedUp = 3;  // the flat frame's button is two pixels taller
constexpr double kRaisedUp = 2;

void FillSolid(HDC hDC, const RECT& rect, COLORREF color) {
    SolidBrush brush(color);
    FillRect(hDC, &rect, brush.Handle());
    brush.Delete();
}

void DrawFace(HDC hDC, RECT rect, UINT edge, UINT flags) {
    FillSolid(hDC, rect, kButtonFace);
    DrawEdge(hDC, &rect, edge, flags);
}

}  // namespace

void ColumnPick::UserControl_Paint() {
    if (!button.blnPaintedOnce) {
        // The first paint comes before the control has its place: lay it out, which paints
        // the button as well.
        UserControl_Resize();
        button.blnPaintedOnce = true;
        return;
    }
    RedrawButton(CurrentFace());
}

ButtonFace ColumnPick::CurrentFace() const {
    return button.blnButtonDown ? ButtonFace::Pressed : ButtonFace::Raised;
}

void ColumnPick::RedrawButton(ButtonFace face) {
    ClearButton();
    if (face == ButtonFace::Pressed)
        DrawPressedButton();
    else
        DrawButton();
    DrawArrow(face);
}

void ColumnPick::ClearButton() {
    // A system colour gives its current RGB value, as the control's own background does, so
    // that the wiped area matches the background around it.
    FillSolid(UserControl.hDC(), button.rctButton, TranslateColor(settings.lngBackColorNormal));
}

void ColumnPick::DrawButton() {
    DrawFace(UserControl.hDC(), button.rctButton, EDGE_RAISED, BF_RECT);
}

void ColumnPick::DrawPressedButton() {
    DrawFace(UserControl.hDC(), button.rctButton, EDGE_SUNKEN, kPressedEdgeFlags);
}

void ColumnPick::DrawArrow(ButtonFace face) {
    const double L = button.rctButton.left;
    const double T = button.rctButton.top;
    const double halfWidth = (button.rctButton.right - L) / 2;
    // Only the half height is rounded in y; x rounds as a whole.
    const double halfHeight = RoundHalfEven((button.rctButton.bottom - T) / 2);
    int x = 0;
    int y = 0;
    int ySource = kNormalGlyphRow;
    if (face == ButtonFace::Pressed) {
        x = CLng(halfWidth + L - kPressedLeft);
        y = CLng(halfHeight + T - kPressedUp);
    } else {
        x = CLng(halfWidth + L - kRaisedLeft);
        const double up = Appearance() == lbFlat ? kFlatRaisedUp : kRaisedUp;
        y = CLng(halfHeight + T - up);
        if (!UserControl.Enabled()) ySource = kGreyGlyphRow;
    }
    const HDC hDC = UserControl.hDC();
    MemoryDc source(hDC);
    // Without a glyph picture the copy takes whatever the empty context holds.
    if (picArrow && picArrow->Handle()) source.SelectBitmap(picArrow->Handle());
    BitBlt(hDC, x, y, kGlyphWidth, kGlyphHeight, source.Handle(), 0, ySource, SRCCOPY);
    source.Delete();
}

}  // namespace cp
