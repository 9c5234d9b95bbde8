#include "platform/sim/Surface.h"

#include <algorithm>
#include <cstdlib>

namespace cp::sim {

void Surface::Resize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (!pixels_.empty()) {
        std::vector<COLORREF> resized(static_cast<std::size_t>(width) * height, kUnpainted);
        for (int y = 0; y < std::min(height, height_); ++y)
            for (int x = 0; x < std::min(width, width_); ++x)
                resized[static_cast<std::size_t>(y) * width + x] = At(x, y);
        pixels_ = std::move(resized);
    }
    width_ = width;
    height_ = height;
}

COLORREF Surface::At(int x, int y) const {
    if (!Inside(x, y) || pixels_.empty()) return kUnpainted;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Surface::Set(int x, int y, COLORREF color) {
    if (!Inside(x, y) || Clipped(x, y)) return;
    if (pixels_.empty()) pixels_.assign(static_cast<std::size_t>(width_) * height_, kUnpainted);
    pixels_[static_cast<std::size_t>(y) * width_ + x] = color;
}

void Surface::Fill(const RECT& rect, COLORREF color) {
    for (int y = std::max(0, rect.top); y < std::min(height_, rect.bottom); ++y)
        for (int x = std::max(0, rect.left); x < std::min(width_, rect.right); ++x)
            Set(x, y, color);
}

void Surface::Line(POINT from, POINT to, COLORREF color) {
    // Bresenham's walk, which is what the window system's one-pixel pens do.
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int stepX = from.x < to.x ? 1 : -1;
    const int stepY = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    POINT p = from;
    while (p.x != to.x || p.y != to.y) {
        Set(p.x, p.y, color);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            p.y += stepY;
        }
    }
}

}  // namespace cp::sim
