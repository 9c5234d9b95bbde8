// The frame's line objects as every host keeps and draws them.
#include <gtest/gtest.h>

#include <vector>

#include "platform/FrameLineShape.h"

namespace cp::test {
namespace {

TEST(FrameLineShape, StartsAsDesignedIsDrawnInPixelsAndRepaintsErasedOnEveryChange) {
    FrameLineShape line{design::kFrameLines[static_cast<std::size_t>(design::FrameLine::InnerTop)]};
    std::vector<Erase> repaints;
    line.OnChange([&](Erase erase) { repaints.push_back(erase); });
    EXPECT_EQ(line.Name(), "linInnerTop");
    const auto pixels = line.Pixels();
    ASSERT_TRUE(pixels);
    EXPECT_EQ((std::tuple{pixels->from.x, pixels->from.y, pixels->to.x, pixels->color}),
              (std::tuple{1, 1, 79, design::kWindowText}));
    line.SetX2(1222.5f);  // 81.5 pixels: ties go to the even pixel
    EXPECT_EQ(line.Pixels()->to.x, 82);

    // A hidden line is not drawn.
    line.SetVisible(false);
    EXPECT_FALSE(line.Pixels());
    line.SetVisible(false);  // no change, no repaint
    line.SetX1(30);
    line.SetBorderColor(0x123456);
    EXPECT_EQ(repaints, std::vector<Erase>(4, Erase::Background));
}

}  // namespace
}  // namespace cp::test
