// A line object of the control's frame: a windowless shape that the host draws on the
// control's surface after the control's own paint. Coordinates in twips of the control's
// client area.
#pragma once

#include <functional>

#include "platform/Host.h"

namespace cp::win32 {

class LineShape final : public LineObject {
public:
    LineShape(float x1, float y1, float x2, float y2, OLE_COLOR color);

    float X1() override { return x1_; }
    void SetX1(float twips) override { Change(x1_, twips); }
    float X2() override { return x2_; }
    void SetX2(float twips) override { Change(x2_, twips); }
    OLE_COLOR BorderColor() override { return color_; }
    void SetBorderColor(OLE_COLOR color) override { Change(color_, color); }
    bool Visible() override { return visible_; }
    void SetVisible(bool visible) override { Change(visible_, visible); }
    float Y1() const { return y1_; }
    float Y2() const { return y2_; }

    // Draws the line, both end points included, with a pen of its own.
    void Draw(HDC hdc) const;
    // Called after every change, so that the host repaints the surface.
    void OnChange(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    template <class T>
    void Change(T& field, T value) {
        if (field == value) return;
        field = value;
        if (changed_) changed_();
    }

    float x1_, y1_, x2_, y2_;        // end points, twips
    OLE_COLOR color_;                // BorderColor
    bool visible_ = true;            // Visible
    std::function<void()> changed_;  // repaint request
};

}  // namespace cp::win32
