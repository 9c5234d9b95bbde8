// The pixels of a window's client area, as the drawing calls and the host's own painting leave
// them: fills, edges, lines and copies write into it; text does not (the simulator has no
// glyphs). Pixels that nothing has painted yet read as kUnpainted, so that a test can tell a
// pixel that was never drawn from one of any colour. The pixels are allocated at the first
// write: most windows of a test are never drawn on.
#pragma once

#include <optional>
#include <vector>

#include "platform/basApi.h"

namespace cp::sim {

class Surface {
public:
    static constexpr COLORREF kUnpainted = 0xFFFFFFFF;

    // A window that changes size keeps the pixels that stay inside it.
    void Resize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }

    // While a paint is handled, writes reach only the part being painted, as the window
    // system clips a paint to its update region; nullopt ends the clipping.
    void Clip(std::optional<RECT> rect) { clip_ = rect; }

    // kUnpainted outside the surface too.
    COLORREF At(int x, int y) const;
    // Writes outside the surface (or the clipping) are dropped.
    void Set(int x, int y, COLORREF color);
    void Fill(const RECT& rect, COLORREF color);
    // The pixels from `from` towards `to`, the end point excluded, as LineTo draws them.
    void Line(POINT from, POINT to, COLORREF color);

private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    bool Clipped(int x, int y) const {
        return clip_ &&
               (x < clip_->left || y < clip_->top || x >= clip_->right || y >= clip_->bottom);
    }

    int width_ = 0;                 // client width in pixels
    int height_ = 0;                // client height in pixels
    std::vector<COLORREF> pixels_;  // row by row from the top; empty until the first write
    std::optional<RECT> clip_;      // the part being painted, during a paint
};

}  // namespace cp::sim
