#include "platform/FrameLineShape.h"

#include "platform/Twips.h"

namespace cp {
namespace {

// A design position as the pixels it stands for on a screen of 96 pixels per inch.
double DesignPixels(float twips) {
    return static_cast<double>(twips) / kTwipsPerPixel;
}

// On the screen in use a line keeps its pixels from the left edge (the layout places the
// right-hand ends from the control's width later).
float ScreenX(float twips) {
    return static_cast<float>(DesignPixels(twips) * TwipsPerPixel());
}

// A line keeps its pixels from the edge it hugs, the top or the bottom, so that the frame stays
// crisp and whole at the control's height on the screen in use.
float ScreenY(float twips) {
    const double pixels = DesignPixels(twips);
    const double designHeight = DesignPixels(design::kFrameHeightTwips);
    if (pixels <= designHeight / 2) return static_cast<float>(pixels * TwipsPerPixel());
    const double height = RoundHalfEven(design::kFrameHeightTwips / TwipsPerPixel());
    return static_cast<float>((height - (designHeight - pixels)) * TwipsPerPixel());
}

}  // namespace

FrameLineShape::FrameLineShape(const design::LineDesign& design)
    : name_(design.name),
      x1_(ScreenX(design.x1)),
      y1_(ScreenY(design.y1)),
      x2_(ScreenX(design.x2)),
      y2_(ScreenY(design.y2)),
      color_(design.color) {}

std::optional<LinePixels> FrameLineShape::Pixels() const {
    if (!visible_) return std::nullopt;
    return LinePixels{POINT{PixelsFromTwips(x1_), PixelsFromTwips(y1_)},
                      POINT{PixelsFromTwips(x2_), PixelsFromTwips(y2_)}, color_};
}

}  // namespace cp
