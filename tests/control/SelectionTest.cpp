#include <gtest/gtest.h>

#include "runtime/RuntimeError.h"
#include "tests/support/BlockRecordset.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

class ValueTest : public ::testing::Test {
protected:
    void SetUp() override { s.Fill(2, "", "1;first;2;second"); }
    SimControl s;
};

TEST_F(ValueTest, ABoundKeySelectsItsRowQuietly) {
    s.control().Value(Variant("2"));
    EXPECT_EQ(s.control().ListIndex(), 1);
    EXPECT_EQ(s.ListState().selection, 1);
    EXPECT_EQ(s.control().Text(), "2");
    EXPECT_EQ(CStr(s.control().Value()), "2");
    EXPECT_EQ(s.events().Joined(), "");  // no AfterUpdate, no Change
    // Committed, with no edit left for the focus loss to commit.
    s.Focus();
    s.user().MoveFocusAway(s.form());
    EXPECT_EQ(s.events().Joined(), "");
    EXPECT_EQ(s.RowEscapeRestores(), 1);

    s.control().BoundColumn(1);
    s.control().Value(Variant("first"));
    EXPECT_EQ(s.control().ListIndex(), 0);
    EXPECT_EQ(CStr(s.control().Value()), "first");
    EXPECT_EQ(s.control().Text(), "1");
}

TEST_F(ValueTest, AKeyNoRowHoldsChangesNothing) {
    s.control().Value(Variant("2"));
    for (const Variant& key : {Variant("3"), Variant(std::int32_t{2}), Variant("Second")}) {
        s.control().Value(key);
        EXPECT_EQ(s.control().ListIndex(), 1);
    }
    EXPECT_EQ(s.events().Joined(), "");
}

TEST_F(ValueTest, NullClearsTheSelection) {
    s.control().Value(Variant("1"));
    s.control().Value(Variant::Null());
    EXPECT_EQ(s.control().ListIndex(), -1);
    EXPECT_EQ(s.ListState().selection, -1);
    EXPECT_EQ(s.control().Text(), "");
    EXPECT_TRUE(s.control().Value().IsNull());
    EXPECT_EQ(s.events().Joined(), "");
    EXPECT_EQ(s.RowEscapeRestores(), -1);
}

TEST_F(ValueTest, TheFirstOfTwoEqualKeysWins) {
    s.control().AddList("7;a;7;b");
    s.control().Value(Variant("7"));
    EXPECT_EQ(s.control().ListIndex(), 0);
}

TEST_F(ValueTest, ABoundColumnBeyondTheTableFailsToTheCaller) {
    s.control().BoundColumn(5);
    EXPECT_TRUE(s.control().Value().IsNull());
    EXPECT_THROW(s.control().Value(Variant("x")), RuntimeError);
}

TEST_F(ValueTest, ColumnReadsTheCurrentRowOrNull) {
    EXPECT_TRUE(s.control().Column(1).IsNull());  // no current row
    s.control().Value(Variant("2"));
    EXPECT_EQ(CStr(s.control().Column(1)), "second");
    EXPECT_TRUE(s.control().Column(2).IsNull());
    EXPECT_TRUE(s.control().Column(-1).IsNull());
    s.control().Clear();
    EXPECT_TRUE(s.control().Column(0).IsNull());
    EXPECT_TRUE(s.world().MessageBoxes().empty());
}

// Typing looks at the first column only, by prefix and in any case; Null never matches,
// numbers match by their text.
TEST(TypedSearch, MatchesAPrefixOfTheFirstColumnInAnyCase) {
    SimControl s;
    s.Fill(2, "", "Apple;1;apricot;2;Banana;3;x;4");
    auto table = s.control().ArrayWithItems().Array();
    table->At(0, 0) = Variant::Null();
    table->At(0, 3) = Variant(std::int32_t{250});
    s.control().FillComboBoxMultiColumnRecordset(BlockRecordset::Of(*table));
    const std::pair<const char*, std::int32_t> cases[] = {
        {"ap", 1}, {"APR", 1}, {"banana", 2}, {"bananas", -1},
        {"1", -1}, {"2", 3},   {"25", 3},     {"\xC3\x86", -1},
    };
    for (const auto& [text, row] : cases) {
        s.control().Text(text);
        EXPECT_EQ(s.control().ListIndex(), row) << '"' << text << '"';
    }
    table->At(0, 2) = Variant("\xC3\x86r\xC3\xB8");
    s.control().FillComboBoxMultiColumnRecordset(BlockRecordset::Of(*table));
    s.control().Text("\xC3\xA6R");
    EXPECT_EQ(s.control().ListIndex(), 2);
    s.control().Clear();
    s.control().Text("a");
    EXPECT_EQ(s.control().ListIndex(), -1);
    EXPECT_TRUE(s.world().MessageBoxes().empty());
}

TEST(TypedSearch, ATextTooLongToCountIsReported) {
    SimControl s;
    s.Fill(1, "", "a");
    s.control().Text(std::string(40000, 'a'));
    EXPECT_EQ(s.control().ListIndex(), -1);
    ASSERT_EQ(s.world().MessageBoxes().size(), 1u);
    EXPECT_EQ(s.world().MessageBoxes()[0].title, "ColumnPick - FindItemInArray");
    EXPECT_EQ(s.world().MessageBoxes()[0].prompt,
              "Unable to execute the function FindItemInArray!\r\n\r\nError 6: Overflow");
}

TEST(ListIndex, APutCommitsThroughTheList) {
    SimControl s;
    s.Fill(1, "", "a;b;c");
    s.control().ListIndex(1);
    EXPECT_EQ(s.control().ListIndex(), 1);
    EXPECT_EQ(s.control().Text(), "b");
    EXPECT_EQ(s.events().Count("AfterUpdate"), 1);
    // A row the list does not have is the list's error; the index stays.
    EXPECT_THROW(s.control().ListIndex(7), RuntimeError);
    EXPECT_EQ(s.control().ListIndex(), 1);
}

TEST(Text, APutRunsTheMatchingPassAndIsSaved) {
    SimControl s;
    s.Fill(1, "", "Apple;Banana");
    s.control().Text("Ban");
    // The put leaves the caret at the start, so the row is selected but not completed.
    EXPECT_EQ(s.control().Text(), "Ban");
    EXPECT_EQ(s.control().ListIndex(), 1);
    EXPECT_EQ(s.events().Joined(), "Change");
    EXPECT_EQ(s.host().PropertyChangedKeys().back(), "Text");
}

}  // namespace
}  // namespace cp::test
