#include "platform/sim/LineObject.h"

#include "platform/sim/World.h"

namespace cp::sim {
namespace {

void Check(std::string_view operation) {
    World::Current().CheckFailure(operation);
}

}  // namespace

LineObject::LineObject(const design::LineDesign& design)
    : name_(design.name),
      x1_(design.x1),
      y1_(design.y1),
      x2_(design.x2),
      y2_(design.y2),
      borderColor_(design.color) {}

float LineObject::X1() {
    Check("LineObject.X1");
    return x1_;
}

void LineObject::SetX1(float twips) {
    Check("LineObject.SetX1");
    Change(x1_, twips);
}

float LineObject::X2() {
    Check("LineObject.X2");
    return x2_;
}

void LineObject::SetX2(float twips) {
    Check("LineObject.SetX2");
    Change(x2_, twips);
}

OLE_COLOR LineObject::BorderColor() {
    Check("LineObject.BorderColor");
    return borderColor_;
}

void LineObject::SetBorderColor(OLE_COLOR color) {
    Check("LineObject.SetBorderColor");
    Change(borderColor_, color);
}

bool LineObject::Visible() {
    Check("LineObject.Visible");
    return visible_;
}

void LineObject::SetVisible(bool visible) {
    Check("LineObject.SetVisible");
    Change(visible_, visible);
}

}  // namespace cp::sim
