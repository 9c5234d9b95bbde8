#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {
namespace {

using ListPositionTest = ControlOnForm;

std::pair<DWORD, DWORD> EditSelection(HWND edit) {
    DWORD first = 0;
    DWORD last = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    return {first, last};
}

// Two rows with the same text: only the committed row tells them apart.
TEST_F(ListPositionTest, AnUneditedTextOpensTheListOnTheCommittedRowEditedOnTheFirstMatch) {
    FillRows({"abc", "abc", "x"});
    Focus();
    user().PressKey(vbKeyDown);
    user().PressKey(vbKeyDown);
    user().PressKey(vbKeyReturn);
    user().SelectText(1, 0);
    SendMessage(List(), LB_SETCURSEL, 2, 0);

    user().PressKey(vbKeyDown, vbAltMask);
    EXPECT_EQ(control().ListIndex(), 1);
    EXPECT_EQ(ListState().selection, 1);
    EXPECT_EQ(EditSelection(host().EditHwnd()), (std::pair<DWORD, DWORD>{0, 3}));

    user().PressKey(vbKeyEscape);
    user().SelectText(3, 0);
    user().PressKey(vbKeyBack);
    user().TypeText("c");
    user().PressKey(vbKeyDown, vbAltMask);
    EXPECT_EQ((std::pair{control().ListIndex(), ListState().selection}), (std::pair{0, 0}));

    // Delete is an edit even where it finds nothing to delete.
    user().PressKey(vbKeyEscape);
    user().SelectText(3, 0);
    user().PressKey(vbKeyDelete);
    user().PressKey(vbKeyDown, vbAltMask);
    EXPECT_EQ((std::pair{control().ListIndex(), ListState().selection}), (std::pair{0, 0}));
}

// An empty text leaves the list alone; a focus loss commit ends a press in the list.
TEST_F(ListPositionTest, AnEmptyTextLeavesTheListAloneAndAFocusLossCommitEndsAPressInIt) {
    FillRows({"Apple", "Banana"});
    SendMessage(List(), LB_SETCURSEL, 1, 0);
    control().ShowDropDown();
    EXPECT_EQ(ListState().selection, 1);
    control().HideListBox(AfterHide::LeaveFocus);

    Focus();
    user().TypeText("b");  // a row is found
    probe().blnListMouseDown() = true;
    user().MoveFocusAway(form());
    EXPECT_EQ((std::pair{probe().blnListMouseDown(), RowEscapeRestores()}), (std::pair{false, 1}));

    user().SelectText(0, 6);
    user().PressKey(vbKeyDelete);  // no row
    probe().blnListMouseDown() = true;
    user().MoveFocusAway(form());
    EXPECT_EQ((std::pair{probe().blnListMouseDown(), RowEscapeRestores()}), (std::pair{false, -1}));
}

// Row numbers beyond the 16-bit range page like any other.
TEST_F(ListPositionTest, PageKeysWorkBeyondThe16BitRowRangeAndADoubleClickSelectsTheWholeText) {
    std::vector<std::string> rows;
    for (int i = 0; i < 40000; ++i)
        rows.push_back(std::string("r").append(std::to_string(i)));
    FillRows(rows);
    Focus();
    SendMessage(List(), LB_SETCURSEL, 39990, 0);
    user().PressKey(vbKeyPageDown);
    EXPECT_EQ((std::tuple{control().ListIndex(), ListState().selection, control().Text()}),
              (std::tuple{39997, 39997, "r39997"}));

    SendMessage(List(), LB_SETCURSEL, 33000, 0);
    user().PressKey(vbKeyPageUp);
    EXPECT_EQ(control().ListIndex(), 32993);

    // The field's double click picks a word; the control widens it to the whole text, the row's.
    FillRows({"New Zealand"});
    user().SelectText(0, 100);
    user().TypeText("n");
    user().DoubleClick(host().EditHwnd(), 20, 50);
    EXPECT_EQ(EditSelection(host().EditHwnd()), (std::pair<DWORD, DWORD>{0, 11}));
}

}  // namespace
}  // namespace cp::test
