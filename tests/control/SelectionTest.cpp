#include <gtest/gtest.h>

#include <tuple>

#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

// What the host and the user see of the current row: ListIndex, the list window's row, the
// text, Value ("Null" for Null) and the events raised.
using Seen = std::tuple<int, int, std::string, std::string, std::string>;

class ValueTest : public ::testing::Test {
protected:
    void SetUp() override { s.Fill(2, "", "1;first;2;second"); }
    Seen Read() {
        const Variant value = s.control().Value();
        return {s.control().ListIndex(), s.ListState().selection, s.control().Text(),
                value.IsNull() ? "Null" : CStr(value), s.events().Joined()};
    }
    SimControl s;
};

// A key selects its row quietly (no AfterUpdate, no Change) and commits it; a key that no row
// holds changes nothing; Null clears the selection.
TEST_F(ValueTest, KeysSelectQuietlyNullClearsAndColumnReadsTheCurrentRow) {
    s.control().Value(Variant("2"));
    const Seen second{1, 1, "2", "2", ""};
    EXPECT_EQ(Read(), second);
    for (const Variant& key : {Variant("3"), Variant(std::int32_t{2}), Variant("Second")}) {
        s.control().Value(key);
        EXPECT_EQ(Read(), second) << CStr(key);
    }
    // No edit is left for the focus loss to commit.
    s.Focus();
    s.user().MoveFocusAway(s.form());
    EXPECT_EQ(s.events().Joined(), "");
    EXPECT_EQ(s.RowEscapeRestores(), 1);
    s.events().ClearLog();

    s.control().BoundColumn(1);
    s.control().Value(Variant("first"));
    EXPECT_EQ(Read(), (Seen{0, 0, "1", "first", ""}));
    s.control().Value(Variant::Null());
    EXPECT_EQ(Read(), (Seen{-1, -1, "", "Null", ""}));
    EXPECT_EQ(s.RowEscapeRestores(), -1);

    // The first of two equal keys wins; a bound column beyond the table fails to the caller;
    // Column reads the current row, or Null outside it.
    EXPECT_TRUE(s.control().Column(1).IsNull());  // no current row
    s.control().BoundColumn(0);
    s.control().Value(Variant("2"));
    EXPECT_EQ(CStr(s.control().Column(1)), "second");
    EXPECT_TRUE(s.control().Column(2).IsNull());
    EXPECT_TRUE(s.control().Column(-1).IsNull());

    s.control().AddList("7;a;7;b");
    s.control().Value(Variant("7"));
    EXPECT_EQ(s.control().ListIndex(), 0);
    s.control().BoundColumn(5);
    EXPECT_TRUE(s.control().Value().IsNull());
    EXPECT_THROW(s.control().Value(Variant("x")), RuntimeError);
    s.control().Clear();
    EXPECT_TRUE(s.control().Column(0).IsNull());
    EXPECT_TRUE(s.world().MessageBoxes().empty());
}

// A ListIndex put commits through the list; a Text put runs the matching pass, which leaves the
// caret at the start, so the row is selected but not completed, and is saved.
TEST(ListIndexAndText, PutsSelectAsTheListAndTheEditFieldDoAndATextTooLongToCountIsReported) {
    SimControl s;
    s.Fill(1, "", "Apple;Banana;c");
    // A text too long to count is reported.
    s.control().Text(std::string(40000, 'a'));
    EXPECT_EQ(s.control().ListIndex(), -1);
    EXPECT_EQ(s.ReportTitles(), std::vector<std::string>{"ColumnPick - FindItemInArray"});
    EXPECT_EQ(s.Prompts(), std::vector<std::string>{"Unable to execute the function "
                                                    "FindItemInArray!\r\n\r\nError 6: Overflow"});

    s.events().ClearLog();
    s.control().ListIndex(1);
    EXPECT_EQ(s.control().Text(), "Banana");
    EXPECT_EQ(s.events().Joined(), "AfterUpdate");

    s.events().ClearLog();
    s.control().Text("App");
    EXPECT_EQ((std::tuple{s.control().Text(), s.control().ListIndex(), s.events().Joined(),
                          s.host().PropertyChangedKeys().back()}),
              (std::tuple{"App", 0, "Change", "Text"}));

    // A disabled field takes the row's text without selecting it.
    s.control().Enabled(false);
    s.control().ListIndex(1);
    DWORD first = 1;
    DWORD last = 1;
    SendMessage(s.host().EditHwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ((std::tuple{s.control().Text(), first, last}), (std::tuple{"Banana", 0u, 0u}));
}

// A refused put changes nothing: a filtered open list keeps its rows and its selection.
// A filtered list that shows every row again while closed (FilterList put, the filter ended)
// selects the current row at its place among them, so that the keys move from it.
TEST(ListIndexAndText, ARefusedPutLeavesAFilteredListAsItWasAndEveryRowAgainKeepsTheCurrentRow) {
    SimControl s;
    s.Fill(1, "", "Apple;Avocado;Banana;Cherry;Date");
    s.control().FilterList(true);
    s.Focus();
    s.user().TypeText("a");
    s.control().ShowDropDown();
    const auto look = [&] {
        return std::tuple{s.ListState().count, s.ListState().selection, s.control().ListIndex(),
                          s.control().Text()};
    };
    const auto before = look();
    ASSERT_EQ(before, std::tuple(1, 0, 0, "Apple")) << "the rows of the completed text";
    for (const int place : {5, 9, -2}) {
        EXPECT_THROW(s.control().ListIndex(place), RuntimeError);
        EXPECT_EQ(look(), before) << place;
    }

    s.control().HideListBox(AfterHide::FocusEditField);
    s.control().Text("Ch");
    ASSERT_EQ(std::tuple(s.control().ListIndex(), s.ListState().count), std::tuple(3, 1));
    s.control().FilterList(true);
    EXPECT_EQ(std::tuple(s.ListState().count, s.ListState().selection), std::tuple(5, 3));
    s.user().PressKey(vbKeyDown);
    EXPECT_EQ(s.control().Text(), "Date");
}

}  // namespace
}  // namespace cp::test
