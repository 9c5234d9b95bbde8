// A control on a simulated form for the frame's tests, with its drawing log, its line objects
// and its state record at hand.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "control/ColumnPick.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {

// The line objects in the order the form host lists them.
enum LineIndex : std::size_t {
    kOuterTop,
    kOuterLeft,
    kOuterRight,
    kOuterBottom,
    kInnerTop,
    kInnerLeft,
    kInnerRight,
    kInnerBottom,
};

// What a drawing record says in a line, for readable comparisons of whole sequences:
// "Fill(63,2,79,19 #c0c0c0)", "Edge(63,2,79,19 5/15)", "Blt(67,8 from 0,0)".
std::string Describe(const sim::DrawRecord& record);
std::vector<std::string> Describe(const std::vector<sim::DrawRecord>& records);

class FrameTest : public ControlOnForm {
protected:
    // The width at which the control is designed, in twips.
    static constexpr float kDesignWidth = 1215;

    explicit FrameTest(float width = kDesignWidth)
        : ControlOnForm({.placement = {.width = width}}) {}

    sim::LineShape& Line(LineIndex index) { return host().Line(index); }
    const std::vector<sim::DrawRecord>& Log() { return world().Graphics().Log(); }
    void ClearLog() { world().Graphics().ClearLog(); }

    void PressAt(float x, float y, std::int16_t button = 1) {
        user().MouseDown(host().Hwnd(), x, y, button);
    }
    void MoveTo(float x, float y) { user().MouseMove(host().Hwnd(), x, y); }
    void ReleaseAt(float x, float y) { user().MouseUp(host().Hwnd(), x, y); }
    // Places a further control whose host keeps its size in twips exactly as put, rather than
    // in the form window's whole pixels; the helpers speak of it from then on.
    void PlaceExactly(float width, float height) {
        Place({.width = width, .height = height, .sizing = sim::Sizing::Exact});
    }
    // The control painted again as the window system asks for it, described record by record.
    std::vector<std::string> Repainted() {
        ClearLog();
        Repaint();
        return Describe(ControlDrawing());
    }
    // A point in the middle of the button, in twips.
    float ButtonX();
    float ButtonY();
};

// The button at the design width in the sunken frame, wiped and drawn raised or pressed.
std::vector<std::string> RaisedLook();
std::vector<std::string> PressedLook();

}  // namespace cp::test
