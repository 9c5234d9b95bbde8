// What a screen reader reads of the control and hears from it, on the simulated platform.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/BlockRecordset.h"
#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {
namespace {

constexpr int kRowPixels = 15;

class AccessibilityTest : public ControlOnForm {
protected:
    AccessibilityTest() { Fill(3, "1500;600;900", "Germany;DE;DEU;France;FR;FRA;Italy;IT;ITA"); }

    AccessibleControl& Rows() { return *control().Accessibility(); }
    HWND Control() { return host().Hwnd(); }
    // The events heard so far, one short text each ("focus 2": the focus went to child 2).
    std::string Heard() {
        std::string heard;
        for (const sim::WinEventRecord& e : world().Windows().WinEvents()) {
            if (!heard.empty()) heard += ", ";
            heard += Describe(e);
        }
        return heard;
    }
    std::string Describe(const sim::WinEventRecord& e) {
        const std::string who = e.hwnd == List() ? "list" : e.hwnd == Control() ? "" : "other";
        switch (e.event) {
            case EVENT_OBJECT_SHOW:
                return "show " + who;
            case EVENT_OBJECT_HIDE:
                return "hide " + who;
            case EVENT_OBJECT_FOCUS:
                return "focus " + std::to_string(e.idChild);
            case EVENT_OBJECT_SELECTION:
                return "selection " + std::to_string(e.idChild);
            case EVENT_OBJECT_VALUECHANGE:
                return "value" + who;
            default:
                return "event " + std::to_string(e.event);
        }
    }
    void AddRows(int from, int to) {
        for (int r = from; r < to; ++r)
            control().AddItem("Row " + std::to_string(r) + ";R;" + std::to_string(r));
    }
};

// Rows that do not exist have no answer; a row's name reads the shown columns left to right.
TEST_F(AccessibilityTest, RowNamesReadTheShownColumnsAndRowsThatDoNotExistHaveNoAnswer) {
    for (const std::int32_t row : {-1, 3, 1000000}) {
        EXPECT_FALSE(Rows().RowName(row)) << row;
        EXPECT_FALSE(Rows().RowStates(row)) << row;
        EXPECT_FALSE(Rows().RowRect(row)) << row;
        EXPECT_FALSE(Rows().PickRow(row)) << row;
        EXPECT_FALSE(Rows().SelectRow(row)) << row;
    }
    // A hidden column is not read, nor is an empty or Null cell.
    control().ColumnWidths("1500;0;900");
    control().AddItem("Spain;;ESP");
    auto table = control().ArrayWithItems().Array();
    table->At(2, 0) = Variant::Null();
    control().FillComboBoxMultiColumnRecordset(BlockRecordset::Of(*table));
    EXPECT_EQ(Rows().RowName(0), "Germany");
    EXPECT_EQ(Rows().RowName(3), "Spain, ESP");

    // A row removed while the list is open is gone for the reader at once.
    control().ShowDropDown();
    control().RemoveItem(3);
    EXPECT_FALSE(Rows().RowName(3));
    EXPECT_EQ(Rows().RowName(1), "France, FRA");
    EXPECT_TRUE(events().Log().empty()) << events().Joined();
}

// The list shows its rows from its top row on, each in its band; the others are scrolled out
// of view, and nothing is hit below the rows, left of them or right of them.
TEST_F(AccessibilityTest, StatesBandsAndHitsFollowTheListAsItShowsIt) {
    AddRows(3, 20);
    const RowReading closed = *Rows().RowStates(0);
    EXPECT_TRUE(closed.invisible && closed.offscreen && closed.selectable);

    control().ShowDropDown();
    std::int32_t top = ListState().top;
    const RECT band = *Rows().RowRect(top + 2);
    EXPECT_EQ((std::pair{band.top, band.bottom - band.top}),
              (std::pair{2 * kRowPixels, kRowPixels}));
    EXPECT_EQ(Rows().RowAt({band.right / 2, (band.top + band.bottom) / 2}), top + 2);
    EXPECT_EQ(Rows().RowRect(top + 12)->top, 12 * kRowPixels);
    EXPECT_FALSE(Rows().RowAt({2, 8 * kRowPixels + 1}));
    EXPECT_FALSE(Rows().RowAt({-1, 2}));
    EXPECT_FALSE(Rows().RowAt({band.right, 2}));
    control().HideListBox(AfterHide::FocusEditField);
    EXPECT_FALSE(Rows().RowAt({2, 2}));

    control().ListRows(5);
    control().Text("Row 12");
    control().ShowDropDown();
    const std::int32_t current = Rows().CurrentRow();
    ASSERT_EQ(current, 12);
    const RowReading atCurrent = *Rows().RowStates(current);
    EXPECT_TRUE(atCurrent.selected && atCurrent.focused);
    EXPECT_FALSE(atCurrent.offscreen || atCurrent.invisible);
    top = ListState().top;
    EXPECT_FALSE(Rows().RowStates(top + 4)->offscreen);
    EXPECT_TRUE(Rows().RowStates(top + 5)->offscreen);
    ASSERT_GT(top, 0);
    EXPECT_TRUE(Rows().RowStates(top - 1)->offscreen);
    EXPECT_FALSE(Rows().RowStates(top + 1)->selected);
}

// Selecting a row makes it current without a commit; the default action picks it as a click
// does, and the same row again, with the list closed, is one more pick. A pick or a selection
// that the list window refused is reported to the reader as failed.
TEST_F(AccessibilityTest, SelectingARowMakesItCurrentAndTheDefaultActionPicksIt) {
    control().ShowDropDown();
    ASSERT_TRUE(Rows().SelectRow(2));
    EXPECT_EQ((std::tuple{control().Text(), Rows().CurrentRow(), control().ComboBoxIsOpen(),
                          events().Count("AfterUpdate")}),
              (std::tuple{"Italy", 2, true, 0}));

    events().ClearLog();
    ASSERT_TRUE(Rows().PickRow(1));
    EXPECT_EQ((std::tuple{events().Joined(), control().Text(), control().ComboBoxIsOpen()}),
              (std::tuple{"AfterUpdate", "France", false}));
    ASSERT_TRUE(Rows().PickRow(1));
    EXPECT_EQ(events().Count("AfterUpdate"), 2);

    Rows().ToggleList();
    EXPECT_TRUE(control().ComboBoxIsOpen());
    Rows().ToggleList();
    EXPECT_FALSE(control().ComboBoxIsOpen());

    control().ShowDropDown();
    world().FailNext("ListBox.SetListIndex", 380);
    EXPECT_FALSE(Rows().PickRow(1));
    world().FailNext("ListBox.SetListIndex", 380);
    EXPECT_FALSE(Rows().SelectRow(2));
    EXPECT_EQ(ReportTitles(),
              (std::vector<std::string>{"ColumnPick - PickRow", "ColumnPick - SelectRow"}));
    EXPECT_EQ(events().Count("AfterUpdate"), 2);
}

// A reader in the process reads the control as it hears the list come or go: it finds the list
// as the event says, whichever way the list closes.
TEST_F(AccessibilityTest, AReaderFindsTheListAsItHearsItAndCannotOpenItOnAControlThatCannotUseIt) {
    std::vector<std::string> read;
    world().Windows().HookWinEvents([&](const sim::WinEventRecord& e) {
        if (e.event != EVENT_OBJECT_SHOW && e.event != EVENT_OBJECT_HIDE) return;
        const bool open = Rows().ListOpen() && !Rows().RowStates(0)->invisible;
        read.push_back(Describe(e) + (open ? ": open" : ": closed"));
    });
    control().ShowDropDown();
    control().HideListBox(AfterHide::FocusEditField);
    control().ShowDropDown();
    ASSERT_TRUE(Rows().PickRow(1));
    world().Windows().HookWinEvents(nullptr);
    EXPECT_EQ(read, (std::vector<std::string>{"show list: open", "hide list: closed",
                                              "show list: open", "hide list: closed"}));

    // A reader's Open on a control that cannot use its list is refused with nothing opened and no
    // error box for the user, who would meet one at the next click otherwise.
    const std::vector<std::pair<std::string, std::function<void(bool)>>> kUnusable{
        {"disabled", [&](bool on) { control().Enabled(!on); }},
        {"hidden", [&](bool on) { world().Windows().Show(Control(), !on); }},
        {"locked", [&](bool on) { control().Locked(on); }},
    };
    for (const auto& [way, put] : kUnusable) {
        put(true);
        EXPECT_THROW(Rows().ToggleList(), RuntimeError) << way;
        EXPECT_FALSE(control().ComboBoxIsOpen()) << way;
        put(false);
        // A list that a case left open does not answer for the next case.
        if (control().ComboBoxIsOpen()) control().HideListBox(AfterHide::LeaveFocus);
    }
    EXPECT_TRUE(ReportTitles().empty());
    Rows().ToggleList();
    EXPECT_TRUE(control().ComboBoxIsOpen());
}

// A filter moves the current row to another of the list's rows, and an emptied list brings it
// back: each time the reader hears of the row at the child that now holds it.
TEST_F(AccessibilityTest, ARowTheFilterShowsElsewhereIsAnnouncedThere) {
    control().FilterList(true);
    control().ListIndex(1);
    user().Focus(host().EditHwnd());
    world().Windows().ClearWinEvents();
    user().PressKey(vbKeyDown, vbAltMask);
    EXPECT_EQ(Heard(), "show list, focus 2, selection 2");
    world().Windows().ClearWinEvents();
    user().SelectText(0, 100);
    user().TypeText("F");
    EXPECT_EQ(Heard(), "focus 1, selection 1, value");
    user().TypeText("x");
    world().Windows().ClearWinEvents();
    user().PressKey(vbKeyBack);
    EXPECT_EQ(Heard(), "focus 1, selection 1");
}

// Opening, typing, keys, the mouse and a commit: a reader hears each row that becomes current
// once, each text the control writes, and the list coming and going, in that order.
TEST_F(AccessibilityTest, ATypingAndPickingSessionIsAnnouncedInOrder) {
    world().Windows().ClearWinEvents();
    user().Focus(host().EditHwnd());
    user().PressKey(vbKeyDown, vbAltMask);
    user().TypeText("F");
    user().PressKey(vbKeyDown);
    user().MouseMove(List(), 300, 10);
    user().MouseMove(List(), 300, 20);
    user().Click(List(), 300, 20);

    EXPECT_EQ(Heard(),
              "show list, focus 2, selection 2, value, focus 3, selection 3, value, "
              "focus 1, selection 1, hide list, value");
    EXPECT_EQ(control().Text(), "Germany");

    // Opened again, the list tells where it opened, on the row it told of last time.
    world().Windows().ClearWinEvents();
    user().PressKey(vbKeyDown, vbAltMask);
    EXPECT_EQ(Heard(), "show list, focus 1, selection 1");
}

}  // namespace
}  // namespace cp::test
