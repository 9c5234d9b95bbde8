// The paint handler and the faces of the drop-down button, which the control paints into its
// own drawing surface.
#include "control/ColumnPick.h"
#include "frame/GdiScope.h"
#include "listview/TranslateColor.h"

namespace cp {
namespace {

constexpr COLORREF kButtonFace = 0xC0C0C0;  // a fixed grey, not the system's button face
constexpr UINT kPressedEdgeFlags = BF_RECT | BF_FLAT;

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
    if (!blnPaintedOnce) {
        // The first paint comes before the control has its place: lay it out, which paints
        // the button as well.
        UserControl_Resize();
        blnPaintedOnce = true;
        return;
    }
    ClearButton();
    if (blnButtonDown)
        DrawPressedButton();
    else
        DrawButton();
    DrawArrow();
}

void ColumnPick::ClearButton() {
    // A system colour gives its current RGB value, as the control's own background does, so
    // that the wiped area matches the background around it.
    FillSolid(UserControl.hDC(), rctButton, TranslateColor(lngBackColorNormal));
}

void ColumnPick::DrawButton() {
    DrawFace(UserControl.hDC(), rctButton, EDGE_RAISED, BF_RECT);
}

void ColumnPick::DrawPressedButton() {
    DrawFace(UserControl.hDC(), rctButton, EDGE_SUNKEN, kPressedEdgeFlags);
}

}  // namespace cp
