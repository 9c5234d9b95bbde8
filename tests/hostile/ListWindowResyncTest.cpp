// A host call that fails while AddList hands the new rows to the list window leaves the window
// counting other rows than the table. The failure is reported once; the next opening or
// selection brings the window back in step, so that nothing else fails for it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/ListBoxClass.h"
#include "platform/sim/User.h"
#include "runtime/RuntimeError.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

constexpr std::int32_t kFailure = 5;
constexpr char kSetCount[] = "SendMessage:423";  // LB_SETCOUNT

// The host calls of AddList that stand between the new table and the list window.
const std::vector<std::string> kListWindowCalls = {"ListBox.Clear", "ListBox.hWnd", kSetCount};

class ListWindowResync : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        s.Fill(1, "1500", "old1;old2");
        s.world().FailNext(GetParam(), kFailure);
        s.control().AddList("apple;banana;cherry");
        ASSERT_EQ(s.world().PendingFailures(), 0u);
        ASSERT_EQ(Titles(), std::vector<std::string>{"ColumnPick - AddList"});
        s.world().ClearMessageBoxes();
        ASSERT_EQ(s.control().ListCount(), 3);
        ASSERT_NE(s.ListWindowCount(), 3) << "the failure left the window in step";
    }
    std::vector<std::string> Titles() {
        std::vector<std::string> titles;
        for (const auto& box : s.world().MessageBoxes())
            titles.push_back(box.title.value_or(""));
        return titles;
    }

    SimControl s;
    sim::User user{s.world()};
};

TEST_P(ListWindowResync, TypingSelectsTheMatchingRowWithoutAnotherReport) {
    user.Focus(s.host().EditHwnd());
    user.TypeText("ban");
    EXPECT_EQ(Titles(), std::vector<std::string>{});
    EXPECT_EQ(s.ListWindowCount(), 3);
    EXPECT_EQ(s.ListWindowSelection(), 1);
    EXPECT_EQ(s.control().Text(), "banana");
}

TEST_P(ListWindowResync, OpeningShowsEveryRow) {
    s.control().ShowDropDown();
    EXPECT_EQ(Titles(), std::vector<std::string>{});
    EXPECT_TRUE(s.control().ComboBoxIsOpen());
    EXPECT_EQ(s.ListWindowCount(), 3);
}

TEST_P(ListWindowResync, AHostSelectionReachesTheRow) {
    s.control().ListIndex(2);
    EXPECT_EQ(Titles(), std::vector<std::string>{});
    EXPECT_EQ(s.ListWindowCount(), 3);
    EXPECT_EQ(s.ListWindowSelection(), 2);
    EXPECT_EQ(s.control().ListIndex(), 2);
}

TEST_P(ListWindowResync, TheArrowKeysMoveThroughEveryRow) {
    user.Focus(s.host().EditHwnd());
    for (int i = 0; i < 3; ++i)
        user.PressKey(vbKeyDown);
    EXPECT_EQ(Titles(), std::vector<std::string>{});
    EXPECT_EQ(s.ListWindowSelection(), 2);
    EXPECT_EQ(s.control().Text(), "cherry");
}

INSTANTIATE_TEST_SUITE_P(EachFailingCall, ListWindowResync, ::testing::ValuesIn(kListWindowCalls),
                         [](const auto& info) {
                             std::string name;
                             for (char c : info.param)
                                 if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                             return name;
                         });

// A failure that cuts a fill short after the old rows are gone takes the committed row with
// them: opening the list or pressing Escape afterwards finds no row to restore that is not
// there any more.
class CommittedRowAfterAFailedFill : public ::testing::Test {
protected:
    void SetUp() override {
        s.Fill(1, "1500", "a;b;c;d");
        s.control().ListIndex(3);  // the list's click commits row 3
        ASSERT_EQ(s.control().Text(), "d");
        s.world().ClearMessageBoxes();
    }
    void ExpectNoReportWhenOpenedAndClosed() {
        s.world().ClearMessageBoxes();
        s.control().ShowDropDown();
        user.PressKey(vbKeyEscape);
        EXPECT_TRUE(s.world().MessageBoxes().empty()) << s.world().MessageBoxes().front().prompt;
        EXPECT_FALSE(s.control().ComboBoxIsOpen());
    }
    SimControl s;
    sim::User user{s.world()};
};

TEST_F(CommittedRowAfterAFailedFill, AFailedRecordsetFill) {
    s.control().FillComboBoxMultiColumnRecordset(Variant(std::int16_t{5}));
    ASSERT_EQ(s.world().MessageBoxes().size(), 1u);
    ASSERT_EQ(s.control().ListCount(), 0);
    ExpectNoReportWhenOpenedAndClosed();
}

TEST_F(CommittedRowAfterAFailedFill, AFailedAddList) {
    s.world().FailNext(kSetCount, kFailure);
    s.control().AddList("x;y");
    ASSERT_EQ(s.world().MessageBoxes().size(), 1u);
    ASSERT_EQ(s.control().ListCount(), 2);
    ExpectNoReportWhenOpenedAndClosed();
    EXPECT_EQ(s.ListWindowCount(), 2);
}

// A list created before the component was started on the thread is no data-less list: it
// refuses a row count and keeps the rows it has, and nothing is selected in rows it lacks.
TEST(ListWindowRows, AListThatKeepsItsOwnRowsIsLeftAsItIs) {
    SimControl s(SimControlOptions{.started = false});
    sim::User user(s.world());
    s.Fill(1, "1500", "apple;banana");
    user.Focus(s.host().EditHwnd());
    user.PressKey(vbKeyDown);
    s.control().ShowDropDown();
    EXPECT_TRUE(s.world().MessageBoxes().empty()) << s.world().MessageBoxes().front().prompt;
    EXPECT_EQ(s.ListWindowCount(), 0);
    EXPECT_EQ(s.control().ListCount(), 2);
}

}  // namespace
}  // namespace cp::test
