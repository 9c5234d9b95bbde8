#include "runtime/RuntimeError.h"
#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {
namespace {

using Events = std::vector<std::string>;
constexpr std::int32_t kFailure = 5;

// Two rows that begin alike, and the focus in the edit field.
class EditingFailureTest : public ControlOnForm {
protected:
    void SetUp() override {
        FillRows({"Apple", "apricot"});
        Focus();
    }
};

// A failed positioning of the list on the text is reported as well.
TEST_F(EditingFailureTest, AFailedMatchingPassIsReportedAndRaisesNoChange) {
    world().FailNext("TextBox.SelStart", kFailure);
    user().TypeText("a");

    ASSERT_EQ(ReportTitles(), Events{"ColumnPick - txtTextBox_Change"});
    EXPECT_EQ(control().Text(), "a");
    EXPECT_EQ(events().Log(), (Events{"KeyDown(65,0)", "KeyPress(97)", "KeyUp(65,0)"}));

    world().FailNext("TextBox.Text", kFailure);
    control().ShowDropDown();
    EXPECT_EQ(ReportTitles(), (Events{"ColumnPick - txtTextBox_Change",
                                      "ColumnPick - FindItemAndSelectItemInListBox"}));
}

TEST_F(EditingFailureTest, AFailedEnterCommitIsReportedAsTheKeyPressAndCommitsNothing) {
    user().TypeText("a");
    events().ClearLog();
    world().FailNext("TextBox.SetText", kFailure);
    user().PressKey(vbKeyReturn);

    EXPECT_EQ(ReportTitles(), Events{"ColumnPick - txtTextBox_KeyPress"});
    EXPECT_TRUE(probe().blnTextChanged());
    EXPECT_FALSE(probe().blnInternalTextChange());
    EXPECT_EQ(events().Log(), (Events{"KeyDown(13,0)", "KeyUp(13,0)"}));
    EXPECT_EQ(RowEscapeRestores(), -1);
}

TEST_F(EditingFailureTest, AFailedMoveOrKeyDownIsReportedAndTheKeyReachesTheHostOnlyUnchanged) {
    world().FailNext("ListBox.SetListIndex", kFailure);
    user().PressKey(vbKeyDown);

    EXPECT_EQ(ReportTitles(), Events{"ColumnPick - SelectNextPreviousItemInListBox"});
    EXPECT_FALSE(probe().blnIgnoreListClick());
    EXPECT_EQ(control().Text(), "");
    EXPECT_EQ(events().Log(), (Events{"KeyDown(40,0)", "KeyUp(40,0)"}));

    // A failed key down is reported and raises no KeyDown.
    world().ClearMessageBoxes();
    user().PressKey(vbKeyDown, vbAltMask);
    ASSERT_TRUE(control().ComboBoxIsOpen());
    events().ClearLog();
    world().FailNext("ListBox.SetListIndex", kFailure);
    user().PressKey(vbKeyEscape);

    EXPECT_EQ(ReportTitles(), Events{"ColumnPick - txtTextBox_KeyDown"});
    EXPECT_FALSE(probe().blnIgnoreListClick());
    EXPECT_EQ(events().Log(), (Events{"KeyPress(0)", "KeyUp(27,0)"}));
}

TEST_F(EditingFailureTest, AFailedFocusLossCommitIsReportedAndTriedAgainAtTheNextOne) {
    user().TypeText("a");
    events().ClearLog();
    world().FailNext("TextBox.Text", kFailure);
    user().MoveFocusAway(form());

    EXPECT_EQ(ReportTitles(), Events{"ColumnPick - UserControl_ExitFocus"});
    EXPECT_TRUE(probe().blnTextChanged());
    EXPECT_EQ(events().Log(), Events{});

    Focus();
    user().MoveFocusAway(form());
    EXPECT_EQ(events().Log(), Events{"AfterUpdate"});
    EXPECT_EQ(RowEscapeRestores(), 0);
}

}  // namespace
}  // namespace cp::test
