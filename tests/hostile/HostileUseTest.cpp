// Legal but hostile use: handlers that change the rows while the control commits, a host that
// changes the rows under the user's keys, and widths far beyond any screen.
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/SimWindowApi.h"
#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {
namespace {

class HostileUse : public ControlOnForm {
protected:
    ~HostileUse() override { ReleaseDC(List(), dc_); }

    // The list's request to draw a row, as it reaches the control's window.
    void DrawRow(UINT row) {
        DRAWITEMSTRUCT dis{ODT_LISTBOX, 2, row, ODA_DRAWENTIRE, 0, List(), dc_, {0, 0, 300, 15}, 0};
        SendMessage(host().Hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    }
    // Text, ListIndex and Value as the host reads them.
    std::string Reading() {
        const Variant value = control().Value();
        return control().Text() + "|" + std::to_string(control().ListIndex()) + "|" +
               (value.IsNull() ? "Null" : DisplayText(value));
    }

    HDC dc_ = GetDC(List());
};

// An AfterUpdate handler that changes the rows while the host's put of ListIndex commits: the
// current row is where the change left it, and Enter finds no row where none is left.
TEST_F(HostileUse, HandlersAndTheHostChangingTheRowsLeaveTheUserTheRowToCommit) {
    Fill(2, "1500;600", "a;1;b;2;c;3");
    control().BoundColumn(1);
    bool removed = false;
    events().onEvent = [&](const std::string& e) {
        if (e == "AfterUpdate" && !std::exchange(removed, true)) control().RemoveItem(0);
    };
    control().ListIndex(2);
    EXPECT_EQ(Reading(), "c|1|3");

    events().onEvent = [&](const std::string& e) {
        if (e == "AfterUpdate") control().Clear();
    };
    control().ListIndex(0);
    events().onEvent = nullptr;
    EXPECT_EQ(control().ListIndex(), -1);
    events().ClearLog();
    Focus();
    user().PressKey(vbKeyReturn);
    EXPECT_EQ(events().Joined(),
              "KeyDown(13,0), NotInList(0), AfterUpdate, KeyPress(0), KeyUp(13,0)");

    // The host removes a row above the one the user moved to and has not committed: Enter commits
    // the row the user sees.
    Fill(2, "1500;600", "a;1;b;2;c;3;d;4");
    control().BoundColumn(1);
    Focus();
    for (int i = 0; i < 3; ++i)
        user().PressKey(vbKeyDown);
    control().RemoveItem(0);
    EXPECT_EQ(Reading(), "c|1|3");
    user().PressKey(vbKeyReturn);
    EXPECT_EQ(Reading(), "c|1|3");

    // A NotInList handler that puts the text of a row: the put finds its row, as a put does
    // anywhere else, and Enter commits it.
    Fill(2, "1500;600", "apple;1;banana;2");
    user().SelectText(0, 100);
    user().TypeText("zz");
    events().onEvent = [&](const std::string& e) {
        if (e.starts_with("NotInList")) control().Text("banana");
    };
    user().PressKey(vbKeyReturn);
    events().onEvent = nullptr;
    EXPECT_EQ(Reading(), "banana|1|2") << events().Joined();
}

// FitColumnWidths measures the rows a filtered list shows, not the table's rows at the same
// numbers. Of 20,000 rows the sample takes every second one; the wide rows are the odd ones
// from row 15,001 on, which only the filtered list shows, and at numbers past its count.
TEST_F(HostileUse, ColumnsFarWiderThanAnyScreenDrawAndFittedWidthsMeasureTheRowsShown) {
    // Widths that ColumnWidths takes add up beyond an int, or beyond the 32,767 pixels of a short:
    // the rows still draw, with no error.
    for (const char* widths : {"30000000000;30000000000", "300000;300000;300000"}) {
        Fill(3, widths, "a;1;x;b;2;y");
        DrawRow(0);
        EXPECT_EQ(ReportTitles(), std::vector<std::string>{}) << widths;
    }

    const std::string wide = "o" + std::string(60, 'W');
    FillRows({wide});
    const std::string fitted = control().FitColumnWidths();
    std::vector<std::string> table;
    for (int r = 0; r < 20000; ++r)
        table.push_back(r > 15000 && r % 2 == 1 ? wide : "e");
    FillRows(table);
    control().FilterList(true);
    Focus();
    user().TypeText("o");
    EXPECT_EQ(control().FitColumnWidths(), fitted);
}

}  // namespace
}  // namespace cp::test
