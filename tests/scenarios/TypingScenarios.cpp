#include <gtest/gtest.h>

#include "tests/scenarios/ScenarioFixture.h"

namespace cp::test {
namespace {

using TypingScenario = ControlScenario;

TEST_F(TypingScenario, CompletionTakesTheRowsCaseAndSelectsTheTailWithOneChangePerCharacter) {
    Fill({"Abc", "abd"});
    driver->FocusControl(control);
    driver->TypeText("ab");

    EXPECT_EQ(Text(), "Abc");
    EXPECT_EQ(SelStart(), 2);
    EXPECT_EQ(SelLength(), 1);
    EXPECT_EQ(control.ListIndex(), 0);
    EXPECT_EQ(driver->ListSelection(control), 0);
    EXPECT_EQ(Log(), (Events{"KeyDown(65,0)", "KeyPress(97)", "Change", "KeyUp(65,0)",
                             "KeyDown(66,0)", "KeyPress(98)", "Change", "KeyUp(66,0)"}));
}

TEST_F(TypingScenario, UpperCaseTypingCompletesFromTheFirstMatchingRow) {
    Fill({"Apple", "apricot"});
    driver->FocusControl(control);
    driver->TypeText("AP");

    EXPECT_EQ(Text(), "Apple");
    EXPECT_EQ(SelStart(), 2);
    EXPECT_EQ(SelLength(), 3);
    EXPECT_EQ(control.ListIndex(), 0);
}

TEST_F(TypingScenario, TextMatchingNoRowLeavesTheListUnselectedAtTheTop) {
    FillNumbered(20);
    driver->FocusControl(control);
    driver->TypeText("r15");
    ASSERT_EQ(driver->ListSelection(control), 15);
    driver->TypeText("x");

    EXPECT_EQ(Text(), "r15x");
    EXPECT_EQ(driver->ListSelection(control), -1);
    EXPECT_EQ(driver->ListTopIndex(control), 0);
    EXPECT_EQ(control.ListIndex(), -1);
    EXPECT_EQ(CommittedRow(), -1);
}

TEST_F(TypingScenario, TypingWithTheListClosedMovesTheListsSelectionForItsOpening) {
    FillNumbered(20);
    driver->FocusControl(control);
    driver->TypeText("r15");
    EXPECT_FALSE(driver->ListVisible(control));
    EXPECT_EQ(driver->ListSelection(control), 15);

    control.ShowDropDown();
    EXPECT_TRUE(driver->ListVisible(control));
    EXPECT_EQ(driver->ListSelection(control), 15);
    EXPECT_LE(driver->ListTopIndex(control), 15);
    EXPECT_GT(driver->ListTopIndex(control) + 8, 15);
}

TEST_F(TypingScenario, DeletingAllTheTextClearsTheSelection) {
    Fill({"Apple", "apricot"});
    driver->FocusControl(control);
    for (std::int16_t key : {vbKeyDelete, vbKeyBack}) {
        driver->TypeText("ap");
        driver->SelectText(0, static_cast<int>(Text().size()));
        driver->PressKey(key);

        EXPECT_EQ(Text(), "") << key;
        EXPECT_EQ(driver->ListSelection(control), -1) << key;
        EXPECT_EQ(control.ListIndex(), -1) << key;
        EXPECT_EQ(CommittedRow(), -1) << key;
    }
}

TEST_F(TypingScenario, ADeletionAfterACompletionSelectsTheSameRowWithoutCompleting) {
    Fill({"Apple", "apricot"});
    driver->FocusControl(control);
    driver->TypeText("a");
    ASSERT_EQ(Text(), "Apple");
    events.ClearLog();
    driver->PressKey(vbKeyBack);

    EXPECT_EQ(Text(), "A");
    EXPECT_EQ(SelStart(), 1);
    EXPECT_EQ(SelLength(), 0);
    EXPECT_EQ(control.ListIndex(), 0);
    EXPECT_EQ(Log(), (Events{"KeyDown(8,0)", "KeyPress(8)", "Change", "KeyUp(8,0)"}));

    // Delete, which makes no character, is recorded when it goes down.
    driver->TypeText("p");
    driver->PressKey(vbKeyDelete);
    EXPECT_EQ(Text(), "Ap");
    EXPECT_EQ(control.ListIndex(), 0);
}

TEST_F(TypingScenario, TypingInTheMiddleSelectsTheRowWithoutCompleting) {
    Fill({"Apple", "apricot"});
    driver->FocusControl(control);
    driver->TypeText("pp");
    driver->PressKey(vbKeyHome);
    driver->TypeText("a");

    EXPECT_EQ(Text(), "app");
    EXPECT_EQ(SelStart(), 1);
    EXPECT_EQ(SelLength(), 0);
    EXPECT_EQ(control.ListIndex(), 0);
}

TEST_F(TypingScenario, ANullFirstColumnIsNeverFound) {
    Fill({"x", "Apple"});
    ColumnPickProbe(control).varItems().At(0, 0) = Variant::Null();
    driver->FocusControl(control);
    driver->TypeText("a");
    EXPECT_EQ(control.ListIndex(), 1);
    EXPECT_EQ(Text(), "Apple");
}

TEST_F(TypingScenario, AnEmptyTableStillRaisesChange) {
    driver->FocusControl(control);
    driver->TypeText("a");

    EXPECT_EQ(Text(), "a");
    EXPECT_EQ(control.ListIndex(), -1);
    EXPECT_EQ(driver->ListSelection(control), -1);
    EXPECT_EQ(Log(), (Events{"KeyDown(65,0)", "KeyPress(97)", "Change", "KeyUp(65,0)"}));
}

TEST_F(TypingScenario, AHostThatClearsKeyAsciiSuppressesTheCharacter) {
    Fill({"xa", "xb"});
    events.onKeyPress = [](std::int16_t& KeyAscii) {
        if (KeyAscii == 'y') KeyAscii = 0;
    };
    driver->FocusControl(control);
    driver->TypeText("y");

    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Log(), (Events{"KeyDown(89,0)", "KeyPress(121)", "KeyUp(89,0)"}));
}

// "&" and "(" share their character codes with the key codes of Up and Down, and "." with
// Delete; typed, they are characters like any other and complete.
TEST_F(TypingScenario, CharactersWhoseCodesAreAlsoKeyCodesComplete) {
    Fill({"A&B", "x(1)", "Mr. Smith"});
    driver->FocusControl(control);
    driver->TypeText("a&");
    EXPECT_EQ(Text(), "A&B");
    EXPECT_EQ(SelStart(), 2);

    driver->SelectText(0, 3);
    driver->TypeText("x(");
    EXPECT_EQ(Text(), "x(1)");
    EXPECT_EQ(SelStart(), 2);

    driver->SelectText(0, 4);
    driver->TypeText("mr.");
    EXPECT_EQ(Text(), "Mr. Smith");
    EXPECT_EQ(SelStart(), 3);
    EXPECT_EQ(SelLength(), 6);
    EXPECT_EQ(control.ListIndex(), 2);
}

// An empty text matches every row as a prefix, but completing it would undo the emptying.
TEST_F(TypingScenario, AnEmptiedTextStandsForNoRowHoweverItWasEmptied) {
    Fill({"Apple", "apricot"});
    driver->FocusControl(control);
    driver->TypeText("ap");
    driver->SelectText(0, 5);
    driver->PressKey('X', vbCtrlMask);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(control.ListIndex(), -1);

    driver->TypeText("ap");
    control.Text("");
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(control.ListIndex(), -1);
    EXPECT_EQ(driver->ListSelection(control), -1);
}

}  // namespace
}  // namespace cp::test
