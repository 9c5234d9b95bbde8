// A line object of the control's frame (see FrameLineShape), drawn by the host on the
// control's surface after the control's own paint.
#pragma once

#include "platform/FrameLineShape.h"

namespace cp::win32 {

class LineShape final : public FrameLineShape {
public:
    using FrameLineShape::FrameLineShape;

    // Draws the line, both end points included, with a pen of its own.
    void Draw(HDC hdc) const;
};

}  // namespace cp::win32
