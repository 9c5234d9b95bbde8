#include <gtest/gtest.h>

#include "reports/Messages.h"
#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {
namespace {

using Widths = std::vector<std::int32_t>;

// A control 2000 twips wide, so that shared widths come out even.
class ColumnWidthsTest : public ControlOnForm {
protected:
    ColumnWidthsTest() : ControlOnForm({.placement = {.width = 2000}}) {}
    std::vector<std::int32_t>& Pixels() { return probe().lngColumnWidths(); }
};

TEST(ColumnWidthsTable, TwipsBecomeWholePixelsAndAnAutomaticWidthBeyondAnIntegerIsAnOverflow) {
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
        SimControl s({.placement = {.width = 2000}});
        s.control().ColumnCount(cases[i].columns);
        s.control().ColumnWidths(cases[i].widths);
        EXPECT_EQ(s.probe().lngColumnWidths(), cases[i].pixels) << "case " << i;
        EXPECT_TRUE(s.world().MessageBoxes().empty()) << "case " << i;
    }

    // An automatic width beyond an integer is an overflow.
    SimControl s({.placement = {.width = 600000}});
    s.control().ColumnWidths("");
    ASSERT_EQ(s.world().MessageBoxes().size(), 1u);
    EXPECT_NE(s.world().MessageBoxes()[0].prompt.find("Error 6: Overflow"), std::string::npos);
    EXPECT_EQ(s.probe().lngColumnWidths(), Widths{0});  // untouched
}

// An empty string shares the list's width, kept until set again; a width takes the locale's
// decimal separator.
TEST_F(ColumnWidthsTest, NonNumericWidthsStopWhereTheyStandAndAnEmptyStringSharesTheListWidth) {
    control().ColumnCount(1);
    control().ColumnWidths("wide");
    control().AddItem("a");
    ASSERT_EQ(Prompts().size(), 2u);
    EXPECT_EQ(Prompts()[1], messages::kWidthsFirst);
    EXPECT_EQ(control().ListCount(), 0);
    world().ClearMessageBoxes();

    control().ColumnCount(2);
    control().ColumnWidths("");
    EXPECT_EQ(Pixels(), (Widths{66, 66}));
    control().ListWidth(3000);
    EXPECT_EQ(Pixels(), (Widths{66, 66}));
    control().ColumnWidths("");
    EXPECT_EQ(Pixels(), (Widths{100, 100}));
    world().SetDecimalSeparator(",");
    control().ColumnWidths("1500,9;15");
    EXPECT_EQ(Pixels(), (Widths{100, 1}));

    // A non-numeric width stops where it stands.
    control().ColumnCount(3);
    control().ColumnWidths("30;abc;1500");
    EXPECT_EQ(ReportTitles(), std::vector<std::string>{"ColumnPick - ColumnWidths"});
    EXPECT_EQ(Prompts(), std::vector<std::string>{"Unable to execute the property ColumnWidths!"
                                                  "\r\n\r\nError 13: Type mismatch"});
    // Resized and filled up to the failing field, the first column not raised to 4.
    EXPECT_EQ(Pixels(), (Widths{2, 0, 0}));
}

// More widths than columns keep the old widths, and so does a stored column count below one,
// which no widths fit.
TEST_F(ColumnWidthsTest, MoreWidthsThanColumnsOrAStoredColumnCountBelowOneKeepTheOldWidths) {
    control().ColumnCount(2);
    control().ColumnWidths("1000;1800");
    control().ColumnWidths("1;2;3");
    EXPECT_EQ(Pixels(), (Widths{66, 120}));
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Prompts()[0],
              "You have set 3 columnwidths, but there is/are only 2 column(s). The property "
              "ColumnWidths is not set. If it is set to \" then the columnwidth will be set "
              "automaticly.");

    probe().intColumnCount() = -1;  // a stored value is not checked against its range
    control().ColumnWidths("1000");
    control().ColumnWidths("");
    ASSERT_EQ(world().MessageBoxes().size(), 3u);
    EXPECT_EQ(Prompts()[1].rfind("You have set 1 columnwidths, but there is/are only -1 ", 0), 0u);
    EXPECT_EQ(world().MessageBoxes()[2].prompt,
              "Unable to execute the property ColumnWidths!\r\n\r\nError 9: Subscript out of "
              "range");
    EXPECT_EQ(Pixels(), (Widths{66, 120}));
}

}  // namespace
}  // namespace cp::test
