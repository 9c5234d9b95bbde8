#include <gtest/gtest.h>

#include "platform/sim/PropertyStore.h"
#include "reports/Messages.h"
#include "runtime/RuntimeError.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

// The table as the host reads it, through its copy.
std::vector<std::string> Row(SimControl& s, std::int32_t row) {
    const Variant copy = s.control().ArrayWithItems();
    std::vector<std::string> out;
    for (std::int32_t c = 0; c < copy.Array()->Extent(0); ++c)
        out.push_back(DisplayText(copy.Array()->At(c, row)));
    return out;
}

// The rows the table holds, counted or not.
std::int32_t TableRows(SimControl& s) {
    return s.control().ArrayWithItems().Array()->Extent(1);
}

using Strings = std::vector<std::string>;

// A control loaded with a column count that only a stored value can give.
std::unique_ptr<SimControl> StoredColumnCount(std::int16_t columns) {
    sim::PropertyStore bag;
    bag.Set("ColumnCount", Variant(columns));
    return std::make_unique<SimControl>(SimControlOptions{.placement = {.properties = &bag}});
}

TEST(AddItem, SplitsOneRowIntoTheColumns) {
    SimControl s;
    s.control().ColumnCount(4);
    s.control().ColumnWidths("");
    s.control().AddItem("1;first;2;second");
    EXPECT_EQ(s.control().ListCount(), 1);
    EXPECT_EQ(Row(s, 0), (Strings{"1", "first", "2", "second"}));
    EXPECT_EQ(s.ListState().count, 1);
    s.control().AddItem("3;third;4;fourth");
    EXPECT_EQ(Row(s, 0), (Strings{"1", "first", "2", "second"}));
    EXPECT_EQ(Row(s, 1), (Strings{"3", "third", "4", "fourth"}));
    EXPECT_EQ(s.ListState().count, 2);
    EXPECT_TRUE(s.world().MessageBoxes().empty());
    // A row of the wrong width on a filled table leaves the table as it was.
    s.control().AddItem("5;fifth;6");
    s.control().AddItem("5;fifth;6;sixth;7");
    EXPECT_EQ(s.Prompts(), (Strings{messages::ColumnItems(4), messages::ColumnItems(4)}));
    EXPECT_EQ(TableRows(s), 2);
    EXPECT_EQ(s.control().ListCount(), 2);
}

TEST(AddItem, RefusesWithItsUsageMessages) {
    SimControl s;
    s.control().AddItem("");
    s.control().AddItem("one");  // widths never set, even with one column
    s.control().ColumnCount(2);
    s.control().ColumnWidths("");
    s.control().AddItem("1;first;");  // three fields for two columns
    s.control().AddItem("1;first;2;second");
    EXPECT_EQ(s.Prompts(), (Strings{messages::kEmptyItemString, messages::kWidthsFirst,
                                    messages::ColumnItems(2), messages::ColumnItems(2)}));
    EXPECT_EQ(s.Prompts()[2],
              "The string strItem must have 2 column-item(s), ie. 'first;1' for two columns.");
    for (const auto& box : s.world().MessageBoxes()) {
        EXPECT_EQ(box.buttons, vbOKOnly);
        EXPECT_FALSE(box.title.has_value());
    }
    EXPECT_EQ(s.control().ListCount(), 0);
    EXPECT_FALSE(s.control().ArrayWithItems().Array()->Allocated());
}

TEST(AddItem, ASingleSemicolonIsARowOfTwoEmptyFields) {
    SimControl s;
    s.Fill(2, "", "a;b");
    s.control().AddItem(";");
    EXPECT_EQ(s.control().ListCount(), 2);
    EXPECT_EQ(Row(s, 1), (Strings{"", ""}));
}

TEST(AddItem, CannotGrowATableBuiltForAnotherColumnCount) {
    SimControl s;
    s.Fill(2, "", "a;b");
    s.control().ColumnCount(3);
    s.control().ColumnWidths("");
    s.control().AddItem("x;y;z");
    ASSERT_EQ(s.world().MessageBoxes().size(), 1u);
    EXPECT_EQ(s.world().MessageBoxes()[0].title, "ColumnPick - AddItem");
    EXPECT_EQ(s.world().MessageBoxes()[0].prompt,
              "Unable to execute the sub AddItem!\r\n\r\nError 9: Subscript out of range");
    EXPECT_EQ(s.control().ListCount(), 1);
    EXPECT_EQ(s.ListState().count, 1);
}

// With a stored column count below 1 no widths can be put, so every fill is refused; Clear
// has no spare row to make and fails, and the control stands on no row.
TEST(AddList, AStoredColumnCountBelowOneRefusesTheWidthsAndEveryFill) {
    for (const std::int16_t columns : {0, -1}) {
        SCOPED_TRACE(columns);
        auto s = StoredColumnCount(columns);
        s->control().ColumnWidths("");
        s->control().AddList("x;y");
        s->control().AddItem("x");
        ASSERT_EQ(s->world().MessageBoxes().size(), 3u);
        EXPECT_EQ(s->world().MessageBoxes()[0].prompt.rfind(
                      "Unable to execute the property ColumnWidths!", 0),
                  0u);
        EXPECT_EQ(s->Prompts()[1], messages::kWidthsFirst);
        EXPECT_EQ(s->Prompts()[2], messages::kWidthsFirst);
        EXPECT_EQ(s->control().ListCount(), 0);
        // No column at all makes an empty spare row; fewer than none, none.
        if (columns < 0) {
            EXPECT_THROW(s->control().Clear(), RuntimeError);
        } else {
            EXPECT_NO_THROW(s->control().Clear());
        }
        EXPECT_EQ(s->control().ListIndex(), -1);
    }
}

TEST(AddList, ReplacesAllRowsAndDropsAnIncompleteLastRow) {
    SimControl s;
    s.Fill(2, "", "x;y;z;w");
    s.control().ListIndex(1);
    s.control().AddList("1;first;2;second;3");
    EXPECT_EQ(s.control().ListCount(), 2);
    EXPECT_EQ(Row(s, 0), (Strings{"1", "first"}));
    EXPECT_EQ(Row(s, 1), (Strings{"2", "second"}));
    EXPECT_EQ(TableRows(s), 2);
    EXPECT_EQ(s.ListState().count, 2);
    EXPECT_EQ(s.RowEscapeRestores(), -1);  // the committed row is forgotten
}

TEST(AddList, FewerFieldsThanColumnsLeaveNoRowsCounted) {
    SimControl s;
    s.Fill(3, "", "a;b;c;d;e;f");
    s.control().AddList("a;b");
    ASSERT_EQ(s.world().MessageBoxes().size(), 1u);
    EXPECT_EQ(s.world().MessageBoxes()[0].title, "ColumnPick - AddList");
    EXPECT_EQ(s.world().MessageBoxes()[0].prompt,
              "Unable to execute the sub AddList!\r\n\r\nError 9: Subscript out of range");
    // The list window and the count agree: no row is left to draw or to find.
    EXPECT_EQ(s.control().ListCount(), 0);
    EXPECT_EQ(s.ListState().count, 0);
}

TEST(AddList, LeavesTheSelectionAndTextAlone) {
    SimControl s;
    s.Fill(1, "", "a;b;c");
    s.control().ListIndex(2);
    s.control().AddList("x");
    EXPECT_EQ(s.control().ListIndex(), 2);
    EXPECT_TRUE(s.control().Column(0).IsNull());  // row 2 lies beyond the new table
    EXPECT_TRUE(s.control().Value().IsNull());
}

TEST(Clear, LeavesOneSpareRowOfEmptyEntries) {
    SimControl s;
    s.Fill(2, "", "1;a;2;b");
    s.control().ListIndex(1);
    s.control().Clear();
    EXPECT_EQ(s.control().ListCount(), 0);
    EXPECT_EQ(s.control().ListIndex(), -1);
    EXPECT_EQ(s.ListState().count, 0);
    const Variant copy = s.control().ArrayWithItems();
    ASSERT_TRUE(copy.IsArray());
    EXPECT_EQ(copy.Array()->Extent(0), 2);
    EXPECT_EQ(copy.Array()->Extent(1), 1);
    EXPECT_TRUE(copy.Array()->At(0, 0).IsEmpty());
    EXPECT_TRUE(s.control().Column(0).IsNull());
}

TEST(ArrayWithItems, IsACopyThatDoesNotReachTheControl) {
    SimControl s;
    EXPECT_FALSE(s.control().ArrayWithItems().Array()->Allocated());
    s.Fill(1, "", "a;b");
    const Variant copy = s.control().ArrayWithItems();
    copy.Array()->At(0, 0) = Variant("changed");
    EXPECT_EQ(Row(s, 0), Strings{"a"});
}

class RemoveItemTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.Fill(1, "", "a;b;c;d");
        s.control().ListIndex(2);  // the list's click commits row 2
        s.events().ClearLog();
    }
    SimControl s;
};

TEST_F(RemoveItemTest, ARowBeforeTheCommittedRowMovesItUp) {
    s.control().RemoveItem(0);
    EXPECT_EQ(Row(s, 0), Strings{"b"});
    EXPECT_EQ(s.control().ListCount(), 3);
    EXPECT_EQ(s.ListState().count, 3);
    EXPECT_EQ(s.control().ListIndex(), 1);
    EXPECT_EQ(s.ListState().selection, 1);
    EXPECT_EQ(s.control().Column(0).String(), "c");
    EXPECT_EQ(s.RowEscapeRestores(), 1);
}

TEST_F(RemoveItemTest, TheCommittedRowTakesItsTextWithIt) {
    ASSERT_EQ(s.control().Text(), "c");
    s.control().RemoveItem(2);
    // Emptied, not completed to another row: no row stands for the text any more.
    EXPECT_EQ(s.control().Text(), "");
    EXPECT_EQ(s.control().ListIndex(), -1);
    EXPECT_TRUE(s.control().Value().IsNull());
    EXPECT_EQ(s.ListState().selection, -1);
    EXPECT_EQ(s.events().Joined(), "");
    EXPECT_EQ(s.control().ListCount(), 3);
    EXPECT_EQ(Row(s, 2), Strings{"d"});
}

// The current row follows the committed one even when the list window refuses to follow: the
// control stands on no row, or on the same item, never on the row that moved into a place.
TEST(RemoveItem, TheCurrentRowFollowsWhateverTheListWindowDoes) {
    struct Case {
        std::int32_t removed;
        std::int32_t current;
        const char* text;
    };
    for (const Case c : {Case{2, -1, ""}, Case{0, 1, "c"}}) {
        SCOPED_TRACE(c.removed);
        SimControl s;
        s.Fill(1, "", "a;b;c;d");
        s.control().ListIndex(2);
        s.world().FailNext("ListBox.SetListIndex", vberr::InvalidProcedureCall);
        EXPECT_THROW(s.control().RemoveItem(c.removed), RuntimeError);
        EXPECT_EQ(s.control().ListIndex(), c.current);
        EXPECT_EQ(DisplayText(s.control().Column(0)), c.text);
    }
}

TEST_F(RemoveItemTest, ARowAfterTheCommittedRowChangesNothingElse) {
    s.control().RemoveItem(3);
    EXPECT_EQ(s.control().ListCount(), 3);
    EXPECT_EQ(TableRows(s), 3);
    EXPECT_EQ(s.control().Text(), "c");
    EXPECT_EQ(s.RowEscapeRestores(), 2);
}

TEST_F(RemoveItemTest, IndicesOutsideTheTableRemoveNothing) {
    for (std::int32_t index : {-1, 4, 100000}) {
        s.control().RemoveItem(index);
        EXPECT_EQ(s.control().ListCount(), 4) << index;
    }
    s.control().Clear();
    s.control().RemoveItem(0);
    EXPECT_EQ(s.control().ListCount(), 0);
}

TEST(RemoveItem, TheOnlyRowLeavesTheTableAllocated) {
    SimControl s;
    s.Fill(2, "", "1;one");
    s.control().RemoveItem(0);
    EXPECT_EQ(s.control().ListCount(), 0);
    EXPECT_EQ(s.ListState().count, 0);
    EXPECT_EQ(TableRows(s), 1);
}

}  // namespace
}  // namespace cp::test
