#include "platform/sim/LineObject.h"

#include "platform/sim/World.h"

namespace cp::sim {
namespace {

void Check(std::string_view operation) {
    World::Current().CheckFailure(operation);
}

}  // namespace

float LineObject::X1() {
    Check("LineObject.X1");
    return x1_;
}

void LineObject::SetX1(float twips) {
    Check("LineObject.SetX1");
    x1_ = twips;
}

float LineObject::X2() {
    Check("LineObject.X2");
    return x2_;
}

void LineObject::SetX2(float twips) {
    Check("LineObject.SetX2");
    x2_ = twips;
}

OLE_COLOR LineObject::BorderColor() {
    Check("LineObject.BorderColor");
    return borderColor_;
}

void LineObject::SetBorderColor(OLE_COLOR color) {
    Check("LineObject.SetBorderColor");
    borderColor_ = color;
}

bool LineObject::Visible() {
    Check("LineObject.Visible");
    return visible_;
}

void LineObject::SetVisible(bool visible) {
    Check("LineObject.SetVisible");
    visible_ = visible;
}

}  // namespace cp::sim
