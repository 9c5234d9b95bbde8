#include "platform/FrameLineShape.h"

#include "platform/Twips.h"

namespace cp {

FrameLineShape::FrameLineShape(const design::LineDesign& design)
    : name_(design.name),
      x1_(design.x1),
      y1_(design.y1),
      x2_(design.x2),
      y2_(design.y2),
      color_(design.color) {}

std::optional<LinePixels> FrameLineShape::Pixels() const {
    if (!visible_) return std::nullopt;
    return LinePixels{POINT{PixelsFromTwips(x1_), PixelsFromTwips(y1_)},
                      POINT{PixelsFromTwips(x2_), PixelsFromTwips(y2_)}, color_};
}

}  // namespace cp
