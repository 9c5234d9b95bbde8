#include <gtest/gtest.h>

#include "runtime/RuntimeError.h"
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
    EXPECT_EQ(s.ListWindowSelection(), 1);
    EXPECT_EQ(s.control().Text(), "2");
    EXPECT_EQ(s.probe().lngCommittedIndex(), 1);
    EXPECT_EQ(CStr(s.control().Value()), "2");
    EXPECT_FALSE(s.probe().blnIgnoreListClick());
    EXPECT_FALSE(s.probe().blnTextChanged());
    EXPECT_EQ(s.events().Joined(), "");  // no AfterUpdate, no Change

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
    EXPECT_EQ(s.ListWindowSelection(), -1);
    EXPECT_EQ(s.control().Text(), "");
    EXPECT_TRUE(s.control().Value().IsNull());
    EXPECT_EQ(s.probe().lngCommittedIndex(), -1);
    EXPECT_EQ(s.events().Joined(), "");
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

TEST(FindItemInArray, MatchesAPrefixOfTheFirstColumnInAnyCase) {
    SimControl s;
    s.Fill(2, "", "Apple;1;apricot;2;Banana;3");
    ColumnPickProbe& p = s.probe();
    EXPECT_EQ(p.FindItemInArray("ap"), 0);
    EXPECT_EQ(p.FindItemInArray("APR"), 1);
    EXPECT_EQ(p.FindItemInArray("banana"), 2);
    EXPECT_EQ(p.FindItemInArray("bananas"), -1);
    EXPECT_EQ(p.FindItemInArray("1"), -1);  // only the first column is searched
    EXPECT_EQ(p.FindItemInArray(""), 0);
    s.control().Clear();
    EXPECT_EQ(p.FindItemInArray(""), -1);
}

TEST(FindItemInArray, SkipsNullAndComparesNumbersByTheirText) {
    SimControl s;
    s.control().ColumnWidths("");
    auto table = VariantArray({1, 3});
    table.At(0, 0) = Variant::Null();
    table.At(0, 1) = Variant(std::int32_t{250});
    table.At(0, 2) = Variant("Ærø");
    s.probe().varItems() = table;
    s.probe().lngListCount() = 3;
    EXPECT_EQ(s.probe().FindItemInArray("2"), 1);
    EXPECT_EQ(s.probe().FindItemInArray(""), 1);  // Null never matches, even the empty text
    EXPECT_EQ(s.probe().FindItemInArray("æR"), 2);
}

TEST(FindItemInArray, ATextTooLongToCountIsReported) {
    SimControl s;
    s.Fill(1, "", "a");
    EXPECT_EQ(s.probe().FindItemInArray(std::string(40000, 'a')), -1);
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

TEST(BoundColumn, BelowZeroIsReported) {
    SimControl s;
    s.control().BoundColumn(-1);
    EXPECT_EQ(s.control().BoundColumn(), 0);
    EXPECT_EQ(s.Prompts(), std::vector<std::string>{"The minimum value for this property is 0."});
    s.control().BoundColumn(5);  // no upper limit
    EXPECT_EQ(s.control().BoundColumn(), 5);
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
