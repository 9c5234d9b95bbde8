#include "platform/sim/LineShape.h"

#include "platform/sim/World.h"

namespace cp::sim {
namespace {

void Check(Operation operation) {
    World::Current().CheckFailure(operation);
}

}  // namespace

float LineShape::X1() {
    Check("LineObject.X1");
    return FrameLineShape::X1();
}

void LineShape::SetX1(float twips) {
    Check("LineObject.SetX1");
    FrameLineShape::SetX1(twips);
}

float LineShape::X2() {
    Check("LineObject.X2");
    return FrameLineShape::X2();
}

void LineShape::SetX2(float twips) {
    Check("LineObject.SetX2");
    FrameLineShape::SetX2(twips);
}

OLE_COLOR LineShape::BorderColor() {
    Check("LineObject.BorderColor");
    return FrameLineShape::BorderColor();
}

void LineShape::SetBorderColor(OLE_COLOR color) {
    Check("LineObject.SetBorderColor");
    FrameLineShape::SetBorderColor(color);
}

bool LineShape::Visible() {
    Check("LineObject.Visible");
    return FrameLineShape::Visible();
}

void LineShape::SetVisible(bool visible) {
    Check("LineObject.SetVisible");
    FrameLineShape::SetVisible(visible);
}

}  // namespace cp::sim
