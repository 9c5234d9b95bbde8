// The item table through the published fills and removals, read as the host and the user see
// it: the rows of the table's copy, the counts of the control and of the list window, the
// current row and the text, compared whole.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "reports/Messages.h"
#include "runtime/RuntimeError.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

using Strings = std::vector<std::string>;

// The table as the host and the user see it: every row the table's copy holds (its fields
// joined with ';'), ListCount, the rows the list window counts, the current row, the edit
// field's text and the messages shown so far.
using TableReading = std::tuple<Strings, int, int, int, std::string, Strings>;

TableReading Read(SimControl& s) {
    return {s.TableRows(),           s.control().ListCount(), s.ListState().count,
            s.control().ListIndex(), s.control().Text(),      s.Prompts()};
}

const std::string kSubscript = "\r\n\r\nError 9: Subscript out of range";

TEST(AddItem, AppendsOneRowSplitIntoTheColumnsAndRefusesAnyOtherWidth) {
    SimControl s;
    s.control().ColumnCount(4);
    s.control().ColumnWidths("");
    s.control().AddItem("1;first;2;second");
    s.control().AddItem("3;third;4;fourth");
    s.control().AddItem("5;fifth;6");
    s.control().AddItem("5;fifth;6;sixth;7");
    const std::string wrong = messages::ColumnItems(4);
    EXPECT_EQ(
        Read(s),
        (TableReading{{"1;first;2;second", "3;third;4;fourth"}, 2, 2, -1, "", {wrong, wrong}}));
    for (const auto& box : s.world().MessageBoxes())
        EXPECT_TRUE(box.buttons == vbOKOnly && !box.title.has_value());
}

// A single semicolon is a row of two empty fields.
TEST(AddItem, RefusesWithItsUsageMessages) {
    SimControl s;
    s.control().AddItem("");
    s.control().AddItem("one");  // widths never set, even with one column
    s.control().ColumnCount(2);
    s.control().ColumnWidths("");
    s.control().AddItem("1;first;");  // three fields for two columns
    s.control().AddItem("1;first;2;second");
    s.control().AddItem(";");
    EXPECT_EQ(Read(s), (TableReading{{";"},
                                     1,
                                     1,
                                     -1,
                                     "",
                                     {messages::kEmptyItemString, messages::kWidthsFirst,
                                      messages::ColumnItems(2), messages::ColumnItems(2)}}));
    EXPECT_EQ(s.Prompts()[2],
              "The string strItem must have 2 column-item(s), ie. 'first;1' for two columns.");
}

// The failures of the fills are reported with the member's title; the list window and the
// count agree afterwards, so that no row is left to draw or to find.
TEST(AddItemAndAddList, ATableOfAnotherShapeIsAReportedFailure) {
    SimControl grown;  // AddItem cannot grow a table built for another column count
    grown.Fill(2, "", "a;b");
    grown.control().ColumnCount(3);
    grown.control().ColumnWidths("");
    grown.control().AddItem("x;y;z");
    EXPECT_EQ(
        Read(grown),
        (TableReading{{"a;b"}, 1, 1, -1, "", {"Unable to execute the sub AddItem!" + kSubscript}}));
    EXPECT_EQ(grown.ReportTitles(), Strings{"ColumnPick - AddItem"});

    SimControl short_;  // fewer fields than columns: no row counted, the old table kept
    short_.Fill(3, "", "a;b;c;d;e;f");
    short_.control().AddList("a;b");
    const Strings failed{"Unable to execute the sub AddList!" + kSubscript};
    EXPECT_EQ(Read(short_), (TableReading{{"a;b;c", "d;e;f"}, 0, 0, -1, "", failed}));
    EXPECT_EQ(short_.ReportTitles(), Strings{"ColumnPick - AddList"});
}

// With a stored column count below 1 no widths can be put, so every fill is refused; Clear
// makes no spare row below 0 columns and fails, and the control stands on no row.
TEST(AddList, AStoredColumnCountBelowOneRefusesTheWidthsAndEveryFill) {
    for (const std::int16_t columns : {0, -1}) {
        SCOPED_TRACE(columns);
        auto s = SimControl::LoadedWith("ColumnCount", Variant(columns));
        s->control().ColumnWidths("");
        s->control().AddList("x;y");
        s->control().AddItem("x");
        ASSERT_EQ(s->Prompts().size(), 3u);
        EXPECT_EQ(s->Prompts()[0].rfind("Unable to execute the property ColumnWidths!", 0), 0u);
        EXPECT_EQ(s->Prompts()[1], messages::kWidthsFirst);
        EXPECT_EQ(s->Prompts()[2], messages::kWidthsFirst);
        EXPECT_EQ(s->control().ListCount(), 0);
        EXPECT_EQ(ErrorOf([&] { s->control().Clear(); }),
                  columns < 0 ? vberr::SubscriptOutOfRange : 0);
        EXPECT_EQ(s->control().ListIndex(), -1);
    }
}

// The only row removed leaves the table allocated, and an empty table removes nothing. Clear
// leaves one spare row of empty entries; the table's copy does not reach the control.
TEST(Clear, TheOnlyRowRemovedClearAndAddListLeaveTheRowsAsAListBoxWould) {
    SimControl s;
    EXPECT_FALSE(s.control().ArrayWithItems().Array()->Allocated());
    s.Fill(2, "", "1;one");
    s.control().RemoveItem(0);
    EXPECT_EQ(Read(s), (TableReading{{"1;one"}, 0, 0, -1, "", {}}));
    s.control().Clear();
    s.control().RemoveItem(0);
    EXPECT_EQ(s.control().ListCount(), 0);

    s.Fill(2, "", "1;a;2;b");
    const Variant copy = s.control().ArrayWithItems();
    copy.Array()->At(0, 0) = Variant("changed");
    EXPECT_EQ(s.TableRows(), (Strings{"1;a", "2;b"}));
    s.control().ListIndex(1);
    s.control().Clear();
    EXPECT_EQ(Read(s), (TableReading{{";"}, 0, 0, -1, "2", {}}));
    EXPECT_TRUE(s.control().ArrayWithItems().Array()->At(0, 0).IsEmpty());

    // AddList replaces all rows and drops an incomplete last row; the current row and the text
    // stay (row 2 may lie beyond the new rows); the committed row is forgotten.
    s.Fill(2, "", "x;y;z;w;u;v");
    s.control().ListIndex(2);
    s.control().AddList("1;first;2;second;3");
    EXPECT_EQ(Read(s), (TableReading{{"1;first", "2;second"}, 2, 2, 2, "u", {}}));
    EXPECT_TRUE(s.control().Column(0).IsNull());
    EXPECT_TRUE(s.control().Value().IsNull());
    EXPECT_EQ(s.RowEscapeRestores(), -1);
}

// Rows "a" to "d", row 2 committed by the host's put; the rows and the marks move together: a
// row before the committed one moves it up, the committed row takes its text with it (emptied,
// not completed to another row), a row after it or an index outside the table changes nothing
// else.
TEST(RemoveItem, TheCommittedRowMovesWithTheRows) {
    struct Case {
        std::int32_t removed;
        TableReading after;
        int selection;  // the list window's
        int committed;  // the row that Escape returns to
    };
    const Strings all{"a", "b", "c", "d"};
    const Case cases[] = {
        {0, {{"b", "c", "d"}, 3, 3, 1, "c", {}}, 1, 1},
        {2, {{"a", "b", "d"}, 3, 3, -1, "", {}}, -1, -1},
        {3, {{"a", "b", "c"}, 3, 3, 2, "c", {}}, 2, 2},
        {-1, {all, 4, 4, 2, "c", {}}, 2, 2},
        {4, {all, 4, 4, 2, "c", {}}, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.removed);
        SimControl s;
        s.Fill(1, "", "a;b;c;d");
        s.control().ListIndex(2);
        s.events().ClearLog();
        s.control().RemoveItem(c.removed);
        EXPECT_EQ(Read(s), c.after);
        EXPECT_EQ(s.ListState().selection, c.selection);
        // The moved row is committed again where it now stands.
        if (c.removed != 0) {
            EXPECT_EQ(s.events().Joined(), "");
        }
        EXPECT_EQ(s.RowEscapeRestores(), c.committed);
    }
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

// The searches of a table too long to search row by row forget a removed last row at once: its
// value is found no more, and the row added in its place is found by its value and by typing.
TEST(RemoveItem, TheSearchesForgetARemovedLastRowAndFindTheOneAddedInItsPlace) {
    Strings rows;
    for (int row = 0; row < 2000; ++row)
        rows.push_back("r" + std::to_string(row));
    SimControl s;
    s.FillRows(rows);
    s.Focus();
    s.user().TypeText("r19");
    s.control().Value(Variant("r1999"));
    s.control().RemoveItem(1999);
    s.control().AddItem("new");
    s.control().Value(Variant("r1999"));
    const int removed = s.control().ListIndex();
    s.control().Value(Variant("new"));
    const int added = s.control().ListIndex();
    s.control().Text("");
    s.user().TypeText("ne");
    EXPECT_EQ((std::tuple{removed, added, s.control().Text(), s.control().ListIndex()}),
              (std::tuple{-1, 1999, std::string("new"), 1999}));
}

}  // namespace
}  // namespace cp::test
