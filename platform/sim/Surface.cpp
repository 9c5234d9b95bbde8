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

// Row by row within the surface and the clipping: long runs of tests paint many lists.
void Surface::Fill(const RECT& rect, COLORREF color) {
    RECT r{std::max<LONG>(0, rect.left), std::max<LONG>(0, rect.top),
           std::min<LONG>(width_, rect.right), std::min<LONG>(height_, rect.bottom)};
    if (clip_) {
        r.left = std::max(r.left, clip_->left);
        r.top = std::max(r.top, clip_->top);
        r.right = std::min(r.right, clip_->right);
        r.bottom = std::min(r.bottom, clip_->bottom);
    }
    if (r.left >= r.right || r.top >= r.bottom) return;
    if (pixels_.empty()) pixels_.assign(static_cast<std::size_t>(width_) * height_, kUnpainted);
    for (LONG y = r.top; y < r.bottom; ++y) {
        const auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
        std::fill(row + r.left, row + r.right, color);
    }
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
