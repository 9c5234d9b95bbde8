// One of the host's line objects: end points, colour and visibility, kept as put.
#pragma once

#include <string>

#include "platform/Host.h"

namespace cp::sim {

class LineObject : public cp::LineObject {
public:
    explicit LineObject(std::string name) : name_(std::move(name)) {}

    float X1() override;
    void SetX1(float twips) override;
    float X2() override;
    void SetX2(float twips) override;
    OLE_COLOR BorderColor() override;
    void SetBorderColor(OLE_COLOR color) override;
    bool Visible() override;
    void SetVisible(bool visible) override;

    const std::string& Name() const { return name_; }

private:
    std::string name_;           // the object's name on the control ("linOuterTop")
    float x1_ = 0;               // X1 in twips
    float x2_ = 0;               // X2 in twips
    OLE_COLOR borderColor_ = 0;  // BorderColor
    bool visible_ = true;        // Visible
};

}  // namespace cp::sim
