#include <gtest/gtest.h>

#include "tests/scenarios/ScenarioFixture.h"

namespace cp::test {
namespace {

using TypingScenario = ControlScenario;

// The list's selection follows the typing while the list is closed, for its opening; a text
// that matches no row leaves it unselected at the top.
TEST_F(TypingScenario, TypingMovesTheListsSelectionForItsOpening) {
    Start(Numbered(20));
    driver->TypeText("r15");
    driver->TypeText("x");

    EXPECT_EQ(Read(), (Reading{"r15x", 4, 0, -1, -1, false}));
    EXPECT_EQ((std::pair{driver->ListTopIndex(control), CommittedRow()}), (std::pair{0, -1}));

    driver->PressKey(vbKeyBack);
    control.ShowDropDown();
    EXPECT_EQ((std::tuple{driver->ListVisible(control), driver->ListSelection(control)}),
              (std::tuple{true, 15}));
    EXPECT_LE(driver->ListTopIndex(control), 15);
    EXPECT_GT(driver->ListTopIndex(control) + 8, 15);
}

// A key that moves finds no row and is left as it came, with no Change.
TEST_F(TypingScenario, AnEmptyTableStillRaisesChange) {
    driver->FocusControl(control);
    driver->PressKey(vbKeyDown);
    EXPECT_EQ(Log(), (Events{"KeyDown(40,0)", "KeyUp(40,0)"}));
    events.ClearLog();
    driver->TypeText("a");

    EXPECT_EQ(Read(), (Reading{"a", 1, 0, -1, -1, false}));
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

// Typing in capitals completes from the first row in any case. "&" and "(" share their
// character codes with the key codes of Up and Down, and "." with Delete; typed, they are
// characters like any other and complete.
TEST_F(TypingScenario, TypedPrefixesCompleteFromTheFirstMatchingRow) {
    Start({"Apple", "apricot", "A&B", "x(1)", "Mr. Smith"});
    struct Case {
        const char* typed;
        const char* text;
        int row;
    };
    for (const Case& c : {Case{"AP", "Apple", 0}, Case{"a&", "A&B", 2}, Case{"x(", "x(1)", 3},
                          Case{"mr.", "Mr. Smith", 4}}) {
        driver->SelectText(0, static_cast<int>(Text().size()));
        driver->TypeText(c.typed);
        const auto typed = static_cast<int>(std::string(c.typed).size());
        const auto length = static_cast<int>(std::string(c.text).size());
        EXPECT_EQ(Read(), (Reading{c.text, typed, length - typed, c.row, c.row, false})) << c.typed;
    }
}

// A deletion after a completion selects the same row without completing. An empty text matches
// every row as a prefix, but completing it would undo the emptying.
TEST_F(TypingScenario, ADeletionDoesNotCompleteAndAnEmptiedTextStandsForNoRow) {
    Start({"Apple", "apricot"});
    driver->TypeText("a");
    ASSERT_EQ(Text(), "Apple");
    events.ClearLog();
    driver->PressKey(vbKeyBack);

    EXPECT_EQ(Read(), (Reading{"A", 1, 0, 0, 0, false}));
    EXPECT_EQ(Log(), (Events{"KeyDown(8,0)", "KeyPress(8)", "Change", "KeyUp(8,0)"}));

    // Delete, which makes no character, is recorded when it goes down.
    driver->TypeText("p");
    driver->PressKey(vbKeyDelete);
    EXPECT_EQ(Read(), (Reading{"Ap", 2, 0, 0, 0, false}));
    // The next character typed completes again.
    driver->TypeText("r");
    EXPECT_EQ(Read(), (Reading{"apricot", 3, 4, 1, 1, false}));

    driver->SelectText(0, 7);
    struct Case {
        const char* how;
        void (*empty)(Driver&, ColumnPick&);
    };
    const Case cases[] = {
        {"Delete", [](Driver& d, ColumnPick&) { d.PressKey(vbKeyDelete); }},
        {"Backspace", [](Driver& d, ColumnPick&) { d.PressKey(vbKeyBack); }},
        {"Ctrl+X", [](Driver& d, ColumnPick&) { d.PressKey('X', vbCtrlMask); }},
        {"Text", [](Driver&, ColumnPick& c) { c.Text(""); }},
    };
    for (const Case& c : cases) {
        driver->TypeText("ap");
        driver->SelectText(0, static_cast<int>(Text().size()));
        c.empty(*driver, control);

        EXPECT_EQ(Read(), (Reading{"", 0, 0, -1, -1, false})) << c.how;
        EXPECT_EQ(CommittedRow(), -1) << c.how;
    }
}

}  // namespace
}  // namespace cp::test
