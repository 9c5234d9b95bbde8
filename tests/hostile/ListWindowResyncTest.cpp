// A host call that fails while AddList hands the new rows to the list window leaves the window
// counting other rows than the table. The failure is reported once; the next opening or
// selection brings the window back in step, so that nothing else fails for it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/sim/ListBoxClass.h"
#include "runtime/RuntimeError.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

constexpr std::int32_t kFailure = 5;
constexpr char kSetCount[] = "SendMessage:423";  // LB_SETCOUNT

// The host calls of AddList that stand between the new table and the list window.
const std::vector<std::string> kListWindowCalls = {"ListBox.Clear", "ListBox.hWnd", kSetCount};

// What the user or the host does next, and the list window's count, selection and the text
// afterwards.
struct NextStep {
    const char* name;
    std::function<void(SimControl&)> act;
    std::int32_t selection;
    const char* text;
};

TEST(ListWindowResync, TheNextUseBringsTheWindowBackInStepWithoutAnotherReport) {
    const NextStep steps[] = {
        {"typing",
         [](SimControl& s) {
             s.Focus();
             s.user().TypeText("ban");
         },
         1, "banana"},
        {"opening",
         [](SimControl& s) {
             s.control().ShowDropDown();
             EXPECT_TRUE(s.control().ComboBoxIsOpen());
         },
         -1, ""},
        {"a host selection", [](SimControl& s) { s.control().ListIndex(2); }, 2, "cherry"},
        {"the arrow keys",
         [](SimControl& s) {
             s.Focus();
             for (int i = 0; i < 3; ++i)
                 s.user().PressKey(vbKeyDown);
         },
         2, "cherry"},
    };
    for (const std::string& call : kListWindowCalls) {
        for (const NextStep& step : steps) {
            SCOPED_TRACE(call + " failed, then " + step.name);
            SimControl s;
            s.Fill(1, "1500", "old1;old2");
            s.world().FailNext(call, kFailure);
            s.control().AddList("apple;banana;cherry");
            ASSERT_EQ(s.ReportTitles(), std::vector<std::string>{"ColumnPick - AddList"});
            s.world().ClearMessageBoxes();
            ASSERT_EQ(s.control().ListCount(), 3);
            ASSERT_NE(s.ListState().count, 3) << "the failure left the window in step";

            step.act(s);
            EXPECT_EQ((std::tuple{s.Prompts(), s.ListState().count, s.ListState().selection,
                                  s.control().Text()}),
                      (std::tuple{std::vector<std::string>{}, 3, step.selection, step.text}));
        }
    }
}

// A failure that cuts a fill short after the old rows are gone takes the committed row with
// them: opening the list or pressing Escape afterwards finds no row to restore that is not
// there any more. Each fill gives one report and leaves its rows, in the table and the window.
TEST(CommittedRowAfterAFailedFill, OpeningAndEscapeFindNoRowThatIsGone) {
    const struct {
        const char* name;
        std::function<void(SimControl&)> fill;
        std::int32_t count;
    } fills[] = {
        {"a failed recordset fill",
         [](SimControl& s) {
             s.control().FillComboBoxMultiColumnRecordset(Variant(std::int16_t{5}));
         },
         0},
        {"a failed AddList",
         [](SimControl& s) {
             s.world().FailNext(kSetCount, kFailure);
             s.control().AddList("x;y");
         },
         2},
        {"a failed AddList without a whole row",
         [](SimControl& s) {
             s.control().ColumnCount(2);
             s.world().FailNext("ListBox.Clear", kFailure);
             s.control().AddList("x");
         },
         0},
    };
    for (const auto& f : fills) {
        SCOPED_TRACE(f.name);
        SimControl s;
        s.Fill(1, "1500", "a;b;c;d");
        s.control().ListIndex(3);  // the list's click commits row 3
        ASSERT_EQ(s.control().Text(), "d");
        s.world().ClearMessageBoxes();
        f.fill(s);
        ASSERT_EQ((std::tuple{s.world().MessageBoxes().size(), s.control().ListCount()}),
                  (std::tuple{1u, f.count}));
        s.world().ClearMessageBoxes();
        s.control().ShowDropDown();
        s.user().PressKey(vbKeyEscape);
        EXPECT_TRUE(s.world().MessageBoxes().empty()) << s.world().MessageBoxes().front().prompt;
        EXPECT_EQ((std::tuple{s.control().ComboBoxIsOpen(), s.ListState().count}),
                  (std::tuple{false, f.count}));
    }
}

// A list created before the component was started on the thread is no data-less list: it
// refuses a row count and keeps the rows it has, and nothing is selected in rows it lacks.
TEST(ListWindowRows, AListThatKeepsItsOwnRowsIsLeftAsItIs) {
    SimControl s(SimControlOptions{.started = Started::No});
    s.Fill(1, "1500", "apple;banana");
    s.Focus();
    s.user().PressKey(vbKeyDown);
    s.control().ShowDropDown();
    EXPECT_TRUE(s.world().MessageBoxes().empty()) << s.world().MessageBoxes().front().prompt;
    EXPECT_EQ((std::tuple{s.ListState().count, s.control().ListCount()}), (std::tuple{0, 2}));
}

}  // namespace
}  // namespace cp::test
