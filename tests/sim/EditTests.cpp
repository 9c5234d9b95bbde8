#include <gtest/gtest.h>

#include "platform/sim/EditClass.h"
#include "platform/sim/SimConstants.h"
#include "platform/sim/SimWindowApi.h"
#include "platform/sim/User.h"
#include "platform/sim/World.h"
#include "tests/sim/SimTestSupport.h"

namespace cp::sim::test {
namespace {

class EditTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = CreateRecordingOwner();
        edit =
            CreateWindow("ThunderRT6TextBox", WS_CHILD | WS_VISIBLE, 0, owner, RECT{0, 0, 100, 16});
        SetFocus(edit);
    }
    void Put(const char* text) { SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
    void Select(int start, int end) {
        SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    }
    std::pair<DWORD, DWORD> Selection() {
        DWORD first = 0;
        DWORD last = 0;
        SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                    reinterpret_cast<LPARAM>(&last));
        return {first, last};
    }
    // The text the owner saw at each change notification.
    std::vector<std::string> Changes() {
        std::vector<std::string> texts;
        for (const OwnerEvent& e : OwnerLog())
            if (e.message == WM_COMMAND && e.code == EN_CHANGE) texts.push_back(e.text);
        return texts;
    }
    World world;
    User user{world};
    HWND owner = nullptr;
    HWND edit = nullptr;
};

TEST_F(EditTest, PutNotifiesBeforeItReturnsEvenForTheSameTextAndMovesTheCaretHome) {
    Put("abc");
    Select(1, 3);
    Put("abc");
    EXPECT_EQ(Changes(), (std::vector<std::string>{"abc", "abc"}));
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 0}));
    char buffer[3];
    EXPECT_EQ(SendMessage(edit, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 2);
    EXPECT_STREQ(buffer, "ab");
}

TEST_F(EditTest, SelectionRunsFromStartToEndWithTheCaretAtTheEnd) {
    Put("h\xC3\xA9llo");  // five characters, six bytes
    Select(2, -1);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{2, 5}));
    Select(1, 99);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{1, 5}));
    Select(4, 1);  // the caret at 1
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{1, 4}));
    EXPECT_EQ(InspectEdit(edit)->caret, 1u);
    Select(-1, 0);  // no selection, the caret stays
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{1, 1}));
    EXPECT_EQ(SendMessage(edit, EM_GETSEL, 0, 0), 1 | (1 << 16));
}

TEST_F(EditTest, TypingAndDeletingReplaceTheSelectionAndNotifyOnlyOnChange) {
    Put("abcd");
    OwnerLog().clear();
    Select(1, 3);
    user.TypeText("\xC3\xA9");  // é replaces "bc"
    EXPECT_EQ(EditText(edit),
              "a\xC3\xA9"
              "d");
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{2, 2}));
    user.PressKey(vbKeyBack);
    user.PressKey(vbKeyDelete);
    EXPECT_EQ(EditText(edit), "a");
    Select(0, 0);
    user.PressKey(vbKeyBack);  // nothing before the caret: no change, no notification
    user.PressKey(vbKeyEnd, vbShiftMask);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 1}));
    EXPECT_EQ(Changes(), (std::vector<std::string>{"a\xC3\xA9"
                                                   "d",
                                                   "ad", "a"}));
}

TEST_F(EditTest, ReadOnlyFieldRefusesTheUserButAcceptsPuts) {
    Put("abc");
    SendMessage(edit, EM_SETREADONLY, 1, 0);
    Select(1, 1);
    user.TypeText("x");
    user.PressKey(vbKeyBack);
    user.PressKey(vbKeyDelete);
    EXPECT_EQ(EditText(edit), "abc");
    Put("xyz");
    EXPECT_EQ(EditText(edit), "xyz");
}

}  // namespace
}  // namespace cp::sim::test
