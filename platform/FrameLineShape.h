// A line object of the control's frame as every host keeps it: a windowless shape that the
// host draws over the control's own painting, from its first to its last end point, both
// included, in its BorderColor, while it is visible. It starts as the control's design creates
// it and keeps what is put.
//
// A change asks the host to repaint the control's surface with the background erased first:
// the paint draws only the visible lines, so the pixels of a line that has been hidden or moved
// would otherwise keep its old colour where the background belongs.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "platform/ControlDesign.h"
#include "platform/Host.h"
#include "platform/Repaint.h"
#include "platform/basApi.h"

namespace cp {

// A visible line as the host draws it, in pixels of the control's client area.
struct LinePixels {
    POINT from;
    POINT to;  // drawn too
    OLE_COLOR color;
};

class FrameLineShape : public LineObject {
public:
    using RepaintRequest = std::function<void(Erase)>;

    explicit FrameLineShape(const design::LineDesign& design);

    float X1() override { return x1_; }
    void SetX1(float twips) override { Change(x1_, twips); }
    float X2() override { return x2_; }
    void SetX2(float twips) override { Change(x2_, twips); }
    OLE_COLOR BorderColor() override { return color_; }
    void SetBorderColor(OLE_COLOR color) override { Change(color_, color); }
    bool Visible() override { return visible_; }
    void SetVisible(bool visible) override { Change(visible_, visible); }

    // The object's name on the control ("linOuterTop").
    std::string_view Name() const { return name_; }
    float Y1() const { return y1_; }
    float Y2() const { return y2_; }
    // What the host draws; nothing while the line is hidden.
    std::optional<LinePixels> Pixels() const;
    void OnChange(RepaintRequest repaint) { repaint_ = std::move(repaint); }

private:
    template <class T>
    void Change(T& field, T value) {
        if (field == value) return;
        field = value;
        if (repaint_) repaint_(Erase::Background);
    }

    std::string_view name_;    // from the design
    float x1_, y1_, x2_, y2_;  // end points, twips
    OLE_COLOR color_;          // BorderColor
    bool visible_ = true;      // Visible
    RepaintRequest repaint_;   // the host's repaint of the control's surface
};

}  // namespace cp
