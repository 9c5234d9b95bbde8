#include "platform/sim/Edges.h"

#include "platform/sim/Gdi.h"

namespace cp::sim {
namespace {

// System colour indices of the three-dimensional look.
constexpr int kFace = 15;        // COLOR_3DFACE
constexpr int kShadow = 16;      // COLOR_3DSHADOW
constexpr int kHighlight = 20;   // COLOR_3DHILIGHT
constexpr int kDarkShadow = 21;  // COLOR_3DDKSHADOW
constexpr int kLight = 22;       // COLOR_3DLIGHT

constexpr UINT BF_LEFT = 0x0001;
constexpr UINT BF_TOP = 0x0002;
constexpr UINT BF_RIGHT = 0x0004;
constexpr UINT BF_BOTTOM = 0x0008;

struct RingColours {
    int topLeft = -1;  // -1: the ring is not drawn
    int bottomRight = -1;
};

RingColours OuterRing(UINT edge, UINT flags) {
    const UINT outer = edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
    if (outer == 0) return {};
    if (flags & BF_FLAT) return {kShadow, kShadow};
    return outer == BDR_SUNKENOUTER ? RingColours{kShadow, kHighlight}
                                    : RingColours{kLight, kDarkShadow};
}

RingColours InnerRing(UINT edge, UINT flags) {
    const UINT inner = edge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
    if (inner == 0) return {};
    if (flags & BF_FLAT) return {kFace, kFace};
    return inner == BDR_SUNKENINNER ? RingColours{kDarkShadow, kLight}
                                    : RingColours{kHighlight, kShadow};
}

void PaintRing(Surface& surface, const RECT& r, RingColours colours, UINT flags) {
    if (colours.topLeft < 0 || r.left >= r.right || r.top >= r.bottom) return;
    const COLORREF topLeft = Gdi::SysColor(colours.topLeft);
    const COLORREF bottomRight = Gdi::SysColor(colours.bottomRight);
    if (flags & BF_LEFT) surface.Fill(RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    if (flags & BF_TOP) surface.Fill(RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    if (flags & BF_RIGHT) surface.Fill(RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    if (flags & BF_BOTTOM) surface.Fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

}  // namespace

void PaintEdge(Surface& surface, const RECT& rect, UINT edge, UINT flags) {
    PaintRing(surface, rect, OuterRing(edge, flags), flags);
    const RECT inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    PaintRing(surface, inner, InnerRing(edge, flags), flags);
}

}  // namespace cp::sim
