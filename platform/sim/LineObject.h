// One of the host's line objects: a windowless shape that the form host draws over the
// control's own painting, with both end points included. It starts as the control's design
// creates it (end points in twips, colour, visible) and keeps what is put. Every change asks
// the host to repaint the control's surface.
#pragma once

#include <functional>
#include <string>

#include "platform/ControlDesign.h"
#include "platform/Host.h"

namespace cp::sim {

class LineObject : public cp::LineObject {
public:
    explicit LineObject(const design::LineDesign& design);

    float X1() override;
    void SetX1(float twips) override;
    float X2() override;
    void SetX2(float twips) override;
    OLE_COLOR BorderColor() override;
    void SetBorderColor(OLE_COLOR color) override;
    bool Visible() override;
    void SetVisible(bool visible) override;

    const std::string& Name() const { return name_; }
    // The host's reading of the line for drawing it (no failure is planned on these).
    float Y1() const { return y1_; }
    float Y2() const { return y2_; }
    float DrawnX1() const { return x1_; }
    float DrawnX2() const { return x2_; }
    OLE_COLOR DrawnColor() const { return borderColor_; }
    bool Shown() const { return visible_; }
    // Called after every change that the line's drawing shows.
    void OnChange(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    template <class T>
    void Change(T& field, T value) {
        if (field == value) return;
        field = value;
        if (changed_) changed_();
    }

    std::string name_;               // the object's name on the control ("linOuterTop")
    float x1_, y1_, x2_, y2_;        // end points in twips
    OLE_COLOR borderColor_;          // BorderColor
    bool visible_ = true;            // Visible
    std::function<void()> changed_;  // the host's repaint request
};

}  // namespace cp::sim
