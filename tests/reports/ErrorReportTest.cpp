#include <gtest/gtest.h>

#include "platform/sim/World.h"
#include "reports/ErrorReport.h"

namespace cp {
namespace {

TEST(ErrorReport, ShowsTitleMessageNumberAndDescriptionOfEveryKindOfFailure) {
    sim::World world;
    world.SetMousePointer(vbHourglass);
    ErrorReport(9, "Subscript out of range", "ColumnPick - AddList",
                "Unable to execute the sub AddList!");
    ASSERT_EQ(world.MessageBoxes().size(), 1u);
    const auto& box = world.MessageBoxes()[0];
    EXPECT_EQ(
        (std::tuple{box.title, box.prompt, box.buttons}),
        (std::tuple{"ColumnPick - AddList",
                    "Unable to execute the sub AddList!\r\n\r\nError 9: Subscript out of range",
                    vbCritical}));
    EXPECT_EQ(world.MousePointer(), vbDefault);  // the hourglass does not stay

    // Every kind of failure is trapped, with numbers beyond sixteen bits.
    EXPECT_FALSE(TrappedSub("FillComboBoxMultiColumn", [] {
        Raise(static_cast<std::int32_t>(0x800A0BCD), "Automation failure");
    }));
    EXPECT_FALSE(TrappedSub("A", [] { throw std::runtime_error("broken"); }));
    EXPECT_FALSE(TrappedSub("B", [] { throw 42; }));
    EXPECT_TRUE(TrappedSub("C", [] {}));
    ASSERT_EQ(world.MessageBoxes().size(), 4u);
    EXPECT_EQ(world.MessageBoxes()[1].prompt,
              "Unable to execute the sub FillComboBoxMultiColumn!\r\n\r\nError -2146825267: "
              "Automation failure");
    EXPECT_EQ(world.MessageBoxes()[2].prompt,
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
        const auto& box = world.MessageBoxes()[0];
        EXPECT_EQ((std::tuple{box.title, box.prompt, box.buttons}),
                  (std::tuple{"Attention!", c.shown, vbExclamation}));
    }
}

}  // namespace
}  // namespace cp
