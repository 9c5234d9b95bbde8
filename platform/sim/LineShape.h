// One of the host's line objects (see FrameLineShape): the form host draws it over the
// control's paint and repaints the control, erased, when it changes. Its members can be made
// to fail, by the names of LineObject's members ("LineObject.SetX1").
#pragma once

#include "platform/FrameLineShape.h"

namespace cp::sim {

class LineShape final : public FrameLineShape {
public:
    using FrameLineShape::FrameLineShape;

    float X1() override;
    void SetX1(float twips) override;
    float X2() override;
    void SetX2(float twips) override;
    OLE_COLOR BorderColor() override;
    void SetBorderColor(OLE_COLOR color) override;
    bool Visible() override;
    void SetVisible(bool visible) override;
};

}  // namespace cp::sim
