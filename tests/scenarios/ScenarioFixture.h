// A form with one control on it, filled with one-column rows, and its events recorded: the
// common start of the editing scenarios.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/ScreenUnits.h"
#include "tests/scenarios/Driver.h"
#include "tests/support/ColumnPickProbe.h"

namespace cp::test {

// What the user sees of the control at one moment, read as a whole so that a scenario states
// all of it at once and a failure shows all of it.
struct Reading {
    std::string text;  // the edit field's text
    int selStart = 0;  // its selection
    int selLength = 0;
    int listIndex = -1;      // the control's ListIndex
    int listSelection = -1;  // the row selected in the list window, open or not
    bool listOpen = false;   // the list is on the screen
    bool operator==(const Reading&) const = default;
};

inline void PrintTo(const Reading& r, std::ostream* out) {
    *out << "{text \"" << r.text << "\", sel " << r.selStart << "+" << r.selLength << ", ListIndex "
         << r.listIndex << ", list row " << r.listSelection
         << (r.listOpen ? ", open}" : ", closed}");
}

class ControlScenario : public ::testing::Test {
protected:
    // No scenario here expects the error report.
    void TearDown() override {
        for (const MessageBoxRecord& box : driver->MessageBoxes())
            ADD_FAILURE() << "message box: " << box.prompt;
    }

    // One row per text, in one column.
    void Fill(const std::vector<std::string>& rows) {
        std::string items;
        for (const std::string& row : rows)
            items += (items.empty() ? "" : ";") + row;
        control.ColumnWidths("1500");
        control.AddList(items);
    }
    // The rows "r00" to "r<n-1>".
    static std::vector<std::string> Numbered(int n) {
        std::vector<std::string> rows;
        for (int i = 0; i < n; ++i)
            rows.push_back(RowText(i));
        return rows;
    }
    // Fills the rows and gives the edit field the focus, as the user's click into it would.
    void Start(const std::vector<std::string>& rows) {
        Fill(rows);
        driver->FocusControl(control);
    }
    // Gives the edit field the focus and opens the list on the rows filled so far, the events
    // until then forgotten.
    void OpenList() {
        driver->FocusControl(control);
        control.ShowDropDown();
        ASSERT_TRUE(driver->ListVisible(control));
        events.ClearLog();
    }
    // Fills the rows "r00" to "r<n-1>" and opens the list on none of them.
    void OpenNumbered(int n) {
        Fill(Numbered(n));
        OpenList();
    }
    // A click on visible row k of the open list, the pointer first moving there.
    void ClickListRow(int k) {
        driver->MouseMoveOnList(control, kX, RowY(k));
        driver->MouseDownOnList(control, kX, RowY(k));
        driver->MouseUpOnList(control, kX, RowY(k));
    }
    // A point inside visible row k of the open list, in twips of its client area.
    static constexpr float kX = 300;
    static float RowY(int k) {
        return static_cast<float>((k * CurrentScreenUnits().rowPixels + 5) * TwipsPerPixel());
    }
    static std::string RowText(int row) { return (row < 10 ? "r0" : "r") + std::to_string(row); }
    // Rows first to first + count - 1 of the list, as a reader names them ("?" for none).
    std::vector<std::string> RowNames(int first, int count) {
        std::vector<std::string> names;
        for (int r = first; r < first + count; ++r)
            names.push_back(control.RowName(r).value_or("?"));
        return names;
    }
    // The committed row as the control holds it, for the middle of a scenario.
    std::int32_t CommittedRow() { return ColumnPickProbe(control).lngCommittedIndex(); }
    // The committed row as the user finds it: the row that Escape in the open list goes back
    // to. It leaves the list closed and the edit over, so a scenario reads it last.
    std::int32_t RowEscapeRestores() {
        driver->FocusControl(control);
        if (!driver->ListVisible(control)) driver->PressKey(vbKeyDown, vbAltMask);
        driver->PressKey(vbKeyEscape);
        return control.ListIndex();
    }
    std::string Text() { return driver->EditText(control); }
    std::vector<std::string> Log() { return events.Log(); }
    Reading Read() {
        return {Text(),
                driver->SelStart(control),
                driver->SelLength(control),
                control.ListIndex(),
                driver->ListSelection(control),
                driver->ListVisible(control)};
    }

    std::unique_ptr<Driver> driver = MakeDriver();
    EventRecorder events;
    ColumnPick& control = driver->AddControl(events);
};

using Events = std::vector<std::string>;

}  // namespace cp::test
