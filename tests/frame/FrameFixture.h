// A control on a simulated form for the frame's tests, with its drawing log, its line objects
// and its state record at hand.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "control/ColumnPick.h"
#include "platform/sim/Form.h"
#include "platform/sim/User.h"
#include "platform/sim/World.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "tests/support/ColumnPickProbe.h"

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

class FrameTest : public ::testing::Test {
protected:
    // The width at which the control is designed, in twips.
    static constexpr float kDesignWidth = 1215;

    explicit FrameTest(float width = kDesignWidth);

    ColumnPick& Control() { return host.ControlAs<ColumnPick>(); }
    ColumnPickProbe Probe() { return ColumnPickProbe(Control()); }
    sim::LineShape& Line(LineIndex index) { return host.Line(index); }
    const std::vector<sim::DrawRecord>& Log() { return world.Graphics().Log(); }
    void ClearLog() { world.Graphics().ClearLog(); }
    // The drawing calls made on the control's own surface since the log was cleared.
    std::vector<sim::DrawRecord> ControlDrawing();

    void PressAt(float x, float y, std::int16_t button = 1) {
        user.MouseDown(host.Hwnd(), x, y, button);
    }
    void MoveTo(float x, float y) { user.MouseMove(host.Hwnd(), x, y); }
    void ReleaseAt(float x, float y) { user.MouseUp(host.Hwnd(), x, y); }
    // A point in the middle of the button, in twips.
    float ButtonX();
    float ButtonY();

    sim::World world;
    sim::Form form{world};
    sim::User user{world};
    sim::ControlHost& host;
};

// What a drawing record says in a line, for readable comparisons of whole sequences:
// "Fill(63,2,79,19 #c0c0c0)", "Edge(63,2,79,19 5/15)", "Blt(67,8 from 0,0)".
std::string Describe(const sim::DrawRecord& record);
std::vector<std::string> Describe(const std::vector<sim::DrawRecord>& records);
// The button at the design width in the sunken frame, wiped and drawn raised or pressed.
std::vector<std::string> RaisedLook();
std::vector<std::string> PressedLook();

// The host of a control whose size is kept exactly as put (the form host rounds it to whole
// pixels); everything else is the form host's. A put of a new size runs the resize
// notification, as the form host's does.
class ExactSizeHost : public UserControlHost {
public:
    ExactSizeHost(UserControlHost& inner, float width, float height)
        : inner_(inner), width_(width), height_(height) {}

    void Attach(HostedControl& control) { control_ = &control; }
    std::vector<float> widthPuts;   // every put of Width, in order
    std::vector<float> heightPuts;  // every put of Height, in order

    float Width() override { return width_; }
    void SetWidth(float twips) override;
    float Height() override { return height_; }
    void SetHeight(float twips) override;
    HWND hWnd() override { return inner_.hWnd(); }
    HDC hDC() override { return inner_.hDC(); }
    bool Enabled() override { return inner_.Enabled(); }
    void SetEnabled(bool enabled) override { inner_.SetEnabled(enabled); }
    void SetBackColor(OLE_COLOR color) override { inner_.SetBackColor(color); }
    HWND ParentHwnd() override { return inner_.ParentHwnd(); }
    void PropertyChanged(std::string_view key) override { inner_.PropertyChanged(key); }
    bool AmbientUserMode() override { return inner_.AmbientUserMode(); }

private:
    UserControlHost& inner_;
    float width_;
    float height_;
    HostedControl* control_ = nullptr;
};

// A second control over the child objects of the fixture's form host, held at an exact size.
struct ExactSizeControl {
    ExactSizeControl(sim::ControlHost& host, float width, float height);

    ExactSizeHost size;
    std::unique_ptr<ColumnPick> control;
    ColumnPickProbe Probe() { return ColumnPickProbe(*control); }
};

}  // namespace cp::test
