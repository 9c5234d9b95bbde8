// The control's frame as the user sees it on the screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scenarios/ScenarioFixture.h"

namespace cp::test {
namespace {

// Pixels of the frame's lines at the control's left end, in pixels of its client area: each
// side's outer line lies on the control's edge, its inner line one pixel in.
struct FramePixel {
    const char* line;
    int x;
    int y;
};
constexpr FramePixel kOuterLeft{"outer left", 0, 10};
constexpr FramePixel kInnerLeft{"inner left", 1, 10};
constexpr FramePixel kOuterTop{"outer top", 10, 0};
constexpr FramePixel kInnerTop{"inner top", 10, 1};
constexpr FramePixel kInnerBottom{"inner bottom", 10, 19};
constexpr FramePixel kOuterBottom{"outer bottom", 10, 20};
// Inside every frame and beside the edit field: the background whatever the appearance.
constexpr FramePixel kBackground{"background", 2, 2};

using FrameScenario = ControlScenario;

TEST_F(FrameScenario, TheLinesThatANewAppearanceHidesLeaveTheScreen) {
    struct Case {
        typAppearance appearance;
        std::vector<FramePixel> shown;
        std::vector<FramePixel> hidden;
    };
    const std::vector<Case> cases = {
        {lbFlat, {kOuterLeft, kOuterTop}, {kInnerLeft, kInnerTop, kInnerBottom}},
        {lbFlatNoBorder,
         {},
         {kOuterLeft, kInnerLeft, kOuterTop, kInnerTop, kInnerBottom, kOuterBottom}},
    };
    auto pixel = [&](const FramePixel& p) { return driver->ControlPixel(control, p.x, p.y); };
    for (const Case& c : cases) {
        SCOPED_TRACE("from lb3D to appearance " + std::to_string(c.appearance));
        control.Appearance(lb3D);
        const COLORREF background = pixel(kBackground);
        for (const FramePixel& p : {kOuterLeft, kInnerLeft, kOuterTop, kInnerTop})
            EXPECT_NE(pixel(p), background) << p.line << " line of the sunken frame";

        control.Appearance(c.appearance);
        EXPECT_EQ(pixel(kBackground), background);
        for (const FramePixel& p : c.shown)
            EXPECT_NE(pixel(p), background) << p.line << " line still shown";
        for (const FramePixel& p : c.hidden)
            EXPECT_EQ(pixel(p), background) << p.line << " line hidden";
    }
}

}  // namespace
}  // namespace cp::test
