#include <gtest/gtest.h>

#include "platform/sim/World.h"
#include "reports/ErrorReport.h"

namespace cp {
namespace {

TEST(ErrorReport, ShowsTitleMessageNumberAndDescription) {
    sim::World world;
    world.SetMousePointer(vbHourglass);
    ErrorReport(9, "Subscript out of range", "ColumnPick - AddList",
                "Unable to execute the sub AddList!");
    ASSERT_EQ(world.MessageBoxes().size(), 1u);
    const auto& box = world.MessageBoxes()[0];
    EXPECT_EQ(box.title, "ColumnPick - AddList");
    EXPECT_EQ(box.prompt,
              "Unable to execute the sub AddList!\r\n\r\nError 9: Subscript out of range");
    EXPECT_EQ(box.buttons, vbCritical);
    EXPECT_EQ(world.MousePointer(), vbDefault);  // the hourglass does not stay
}

TEST(ErrorReport, TakesNumbersBeyondSixteenBits) {
    sim::World world;
    EXPECT_TRUE(!TrappedSub("FillComboBoxMultiColumn", [] {
        Raise(static_cast<std::int32_t>(0x800A0BCD), "Automation failure");
    }));
    ASSERT_EQ(world.MessageBoxes().size(), 1u);
    EXPECT_EQ(world.MessageBoxes()[0].prompt,
              "Unable to execute the sub FillComboBoxMultiColumn!\r\n\r\nError -2146825267: "
              "Automation failure");
}

TEST(ErrorReport, TrapsEveryKindOfFailure) {
    sim::World world;
    EXPECT_FALSE(TrappedSub("A", [] { throw std::runtime_error("broken"); }));
    EXPECT_FALSE(TrappedSub("B", [] { throw 42; }));
    EXPECT_TRUE(TrappedSub("C", [] {}));
    ASSERT_EQ(world.MessageBoxes().size(), 2u);
    EXPECT_EQ(world.MessageBoxes()[0].prompt,
              "Unable to execute the sub A!\r\n\r\nError 5: broken");
}

TEST(ErrorReport, ItsOwnFailureGoesToTheAttentionBox) {
    const struct {
        const char* description;
        const char* shown;
    } cases[] = {{"Out of stack space", "Out of stack space!"},
                 {"The box could not be shown.", "The box could not be shown."}};
    for (const auto& c : cases) {
        sim::World world;
        world.FailNext("MsgBox", 28, 0, c.description);
        ErrorReport(13, "Type mismatch", "ColumnPick - X", "Unable to execute the sub X!");
        ASSERT_EQ(world.MessageBoxes().size(), 1u);
        EXPECT_EQ(world.MessageBoxes()[0].title, "Attention!");
        EXPECT_EQ(world.MessageBoxes()[0].prompt, c.shown);
        EXPECT_EQ(world.MessageBoxes()[0].buttons, vbExclamation);
    }
}

}  // namespace
}  // namespace cp
