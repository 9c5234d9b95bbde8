// The pixels of DrawEdge, in the classic look: each border is a ring one pixel wide, the outer
// ring at the rectangle's edge and the inner one inside it; a ring's top and left sides take
// one colour and its bottom and right sides (with the corners they reach) another. Raised,
// sunken and flat borders take the three-dimensional system colours as Windows does; the face
// inside is left alone.
#pragma once

#include "platform/basApi.h"
#include "platform/sim/Surface.h"

namespace cp::sim {

void PaintEdge(Surface& surface, const RECT& rect, UINT edge, UINT flags);

}  // namespace cp::sim
