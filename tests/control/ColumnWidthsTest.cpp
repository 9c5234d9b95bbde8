#include <gtest/gtest.h>

#include "control/Messages.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

using Widths = std::vector<std::int32_t>;

std::unique_ptr<SimControl> WithColumns(std::int16_t columns, float width = 2000) {
    SimControlOptions options;
    options.placement.width = width;
    auto s = std::make_unique<SimControl>(options);
    s->control().ColumnCount(columns);
    return s;
}

TEST(ColumnWidths, TwipsBecomeWholePixels) {
    const struct {
        std::int16_t columns;
        const char* widths;
        Widths pixels;
    } cases[] = {
        {2, "1000;1800", {66, 120}},  // 1000 / 15 = 66.67, floored
        {2, "0;1500", {4, 100}},      // the first column is never narrower than 4
        {3, "1000", {66, 0, 0}},      // columns without a width are hidden
        {2, "1000.9;15", {66, 1}},    // a fraction is accepted
        {3, "30;0;45", {4, 0, 3}},    // only the first column is raised to 4
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        auto p = WithColumns(cases[i].columns);
        SimControl& s = *p;
        s.control().ColumnWidths(cases[i].widths);
        EXPECT_EQ(s.probe().lngColumnWidths(), cases[i].pixels) << "case " << i;
        EXPECT_TRUE(s.world().MessageBoxes().empty()) << "case " << i;
    }
}

TEST(ColumnWidths, AnEmptyStringSharesTheListWidth) {
    auto p = WithColumns(2, 2000);
    SimControl& s = *p;
    s.control().ColumnWidths("");
    EXPECT_EQ(s.probe().lngColumnWidths(), (Widths{66, 66}));
    s.control().ListWidth(3000);
    EXPECT_EQ(s.probe().lngColumnWidths(), (Widths{66, 66}));  // kept until set again
    s.control().ColumnWidths("");
    EXPECT_EQ(s.probe().lngColumnWidths(), (Widths{100, 100}));
}

TEST(ColumnWidths, MoreWidthsThanColumnsKeepTheOldWidths) {
    auto p = WithColumns(2);
    SimControl& s = *p;
    s.control().ColumnWidths("1000;1800");
    s.control().ColumnWidths("1;2;3");
    EXPECT_EQ(s.probe().lngColumnWidths(), (Widths{66, 120}));
    ASSERT_EQ(s.Prompts().size(), 1u);
    EXPECT_EQ(s.Prompts()[0],
              "You have set 3 columnwidths, but there is/are only 2 column(s). The property "
              "ColumnWidths is not set. If it is set to \" then the columnwidth will be set "
              "automaticly.");
}

TEST(ColumnWidths, ANonNumericWidthStopsWhereItStands) {
    auto p = WithColumns(3);
    SimControl& s = *p;
    s.control().ColumnWidths("30;abc;1500");
    ASSERT_EQ(s.world().MessageBoxes().size(), 1u);
    EXPECT_EQ(s.world().MessageBoxes()[0].title, "ColumnPick - ColumnWidths");
    EXPECT_EQ(s.world().MessageBoxes()[0].prompt,
              "Unable to execute the property ColumnWidths!\r\n\r\nError 13: Type mismatch");
    // Resized and filled up to the failing field, the first column not raised to 4.
    EXPECT_EQ(s.probe().lngColumnWidths(), (Widths{2, 0, 0}));
}

TEST(ColumnWidths, ANonNumericFirstWidthLeavesTheWidthsUnset) {
    auto p = WithColumns(1);
    SimControl& s = *p;
    s.control().ColumnWidths("wide");
    s.control().AddItem("a");
    ASSERT_EQ(s.Prompts().size(), 2u);
    EXPECT_EQ(s.Prompts()[1], messages::kWidthsFirst);
    EXPECT_EQ(s.control().ListCount(), 0);
}

TEST(ColumnWidths, UsesTheLocalesDecimalSeparator) {
    auto p = WithColumns(1);
    SimControl& s = *p;
    s.world().SetDecimalSeparator(",");
    s.control().ColumnWidths("1500,9");
    EXPECT_EQ(s.probe().lngColumnWidths(), Widths{100});
}

TEST(ColumnWidths, AnAutomaticWidthBeyondAnIntegerIsAnOverflow) {
    auto p = WithColumns(1, 600000);
    SimControl& s = *p;
    s.control().ColumnWidths("");
    ASSERT_EQ(s.world().MessageBoxes().size(), 1u);
    EXPECT_NE(s.world().MessageBoxes()[0].prompt.find("Error 6: Overflow"), std::string::npos);
    EXPECT_EQ(s.probe().lngColumnWidths(), Widths{0});  // untouched
}

TEST(ColumnWidths, AStoredColumnCountBelowOneSizesNoWidths) {
    auto p = WithColumns(2);
    SimControl& s = *p;
    s.control().ColumnWidths("1000;1800");
    s.probe().intColumnCount() = -1;  // a stored value is not checked against its range
    s.control().ColumnWidths("1000");
    s.control().ColumnWidths("");
    ASSERT_EQ(s.world().MessageBoxes().size(), 2u);
    EXPECT_EQ(s.Prompts()[0].rfind("You have set 1 columnwidths, but there is/are only -1 ", 0),
              0u);
    EXPECT_EQ(s.world().MessageBoxes()[1].prompt,
              "Unable to execute the property ColumnWidths!\r\n\r\nError 9: Subscript out of "
              "range");
    EXPECT_EQ(s.probe().lngColumnWidths(), (Widths{66, 120}));
}

}  // namespace
}  // namespace cp::test
