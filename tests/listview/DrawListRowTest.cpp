// Drawing one row of the list: cells, fitting, hidden columns, colours and column lines, read
// from the simulator's drawing log.
#include <string>
#include <vector>

#include "platform/RuntimeError.h"
#include "tests/listview/ListViewFixture.h"

namespace cp::test {
namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kNavy = 0x800000;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kSilver = 0xC0C0C0;
constexpr RECT kRow{0, 30, 300, 45};

struct Cell {
    int left;
    std::string text;
    bool operator==(const Cell&) const = default;
};

class RowDrawingTest : public ListViewTest {
protected:
    RowDrawingTest() : host_(AddControl(form)), probe_(ControlOf(host_)) {}

    // One row per entry of rows, its cells in column order.
    void Fill(const std::vector<std::vector<Variant>>& rows, std::vector<std::int32_t> widths) {
        const auto columns = static_cast<std::int32_t>(rows.front().size());
        std::vector<Variant> elements;
        for (const auto& row : rows)
            elements.insert(elements.end(), row.begin(), row.end());
        probe_.varItems() =
            VariantArray({columns, static_cast<std::int32_t>(rows.size())}, std::move(elements));
        probe_.lngListCount() = static_cast<std::int32_t>(rows.size());
        probe_.intColumnCount() = static_cast<std::int16_t>(columns);
        probe_.lngColumnWidths() = std::move(widths);
    }

    // Draws a row on a context of the list window and returns what was drawn on it.
    void Draw(UINT itemID, UINT itemState = 0) {
        dc_ = GetDC(host_.ListHwnd());
        world.Graphics().ClearLog();
        probe_.DrawListRow(DRAWITEMSTRUCT{ODT_LISTBOX, sim::ControlHost::kListId, itemID,
                                          ODA_DRAWENTIRE, itemState, host_.ListHwnd(), dc_, kRow,
                                          0});
        log_ = world.Graphics().Log();
        ReleaseDC(host_.ListHwnd(), dc_);
    }

    std::vector<sim::DrawRecord> Ops(sim::DrawOp op, bool onRowDc = true) const {
        std::vector<sim::DrawRecord> found;
        for (const auto& r : log_)
            if (r.op == op && (r.dc == dc_) == onRowDc) found.push_back(r);
        return found;
    }
    std::vector<Cell> Cells() const {
        std::vector<Cell> cells;
        for (const auto& r : Ops(sim::DrawOp::DrawText))
            cells.push_back({r.rect.left, r.text});
        return cells;
    }
    std::vector<int> LineXs() const {
        std::vector<int> xs;
        for (const auto& r : Ops(sim::DrawOp::LineTo)) {
            EXPECT_EQ(r.from.x, r.to.x);
            EXPECT_EQ(r.from.y, kRow.top);
            EXPECT_EQ(r.to.y, kRow.bottom);
            xs.push_back(r.to.x);
        }
        return xs;
    }

    sim::ControlHost& host_;
    ColumnPickProbe probe_;
    HDC dc_ = nullptr;
    std::vector<sim::DrawRecord> log_;
};

TEST_F(RowDrawingTest, LaysOutCellsAndLinesColumnByColumn) {
    Fill({{"a", "b", "c"}, {"x", "y", "z"}}, {40, 50, 60});
    Draw(1);
    EXPECT_EQ(Cells(), (std::vector<Cell>{{3, "x"}, {44, "y"}, {95, "z"}}));
    EXPECT_EQ(LineXs(), (std::vector<int>{41, 92}));
    // The two first cells are measured against their width less 2; the last one is not fitted.
    const auto measured = Ops(sim::DrawOp::MeasureText, false);
    ASSERT_EQ(measured.size(), 2u);
    EXPECT_EQ(measured[0].maxExtent, 38);
    EXPECT_EQ(measured[1].maxExtent, 48);
    const auto fills = Ops(sim::DrawOp::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, kRow);
    EXPECT_EQ(fills[0].fillColor, kWhite);
    for (const auto& r : Ops(sim::DrawOp::DrawText)) {
        EXPECT_EQ(r.state.textColor, kBlack);
        EXPECT_EQ(r.flags, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        EXPECT_EQ(r.rect.right, kRow.right);
    }
    for (const auto& r : Ops(sim::DrawOp::LineTo))
        EXPECT_EQ(r.state.penColor, kSilver);
}

TEST_F(RowDrawingTest, HidesZeroWidthColumnsWithTheirLines) {
    Fill({{"a", "hidden", "c", "d"}}, {40, 0, 60, 30});
    Draw(0);
    EXPECT_EQ(Cells(), (std::vector<Cell>{{3, "a"}, {44, "c"}, {105, "d"}}));
    EXPECT_EQ(LineXs(), (std::vector<int>{41, 103}));

    Fill({{"only", "ignored"}}, {40, 50});
    probe_.intColumnCount() = 1;
    Draw(0);
    EXPECT_EQ(Cells(), (std::vector<Cell>{{3, "only"}}));
    EXPECT_TRUE(LineXs().empty());
}

TEST_F(RowDrawingTest, FitsCellsToWholeCharactersAndCutsLongTexts) {
    std::string longText;
    for (int i = 0; i < 600; ++i)
        longText += "\xC3\xA9";  // 600 x e acute, two bytes each
    const std::string first500 = longText.substr(0, 1000);
    // Six-pixel characters: 20 - 2 pixels hold three; a column of 2 pixels holds none.
    Fill({{"abcdef", "xyz", Variant::Null(), Variant(std::int32_t{7}), longText, longText}},
         {20, 2, 30, 30, 3100, 100});
    Draw(0);
    EXPECT_EQ(Cells(),
              (std::vector<Cell>{{3, "abc"}, {58, "7"}, {89, first500}, {3190, first500}}));
    const auto measured = Ops(sim::DrawOp::MeasureText, false);
    ASSERT_EQ(measured.size(), 5u);
    EXPECT_EQ(measured[1].maxExtent, 0);
    EXPECT_EQ(measured[4].text, first500);
}

TEST_F(RowDrawingTest, SelectedRowsAndSystemColours) {
    Fill({{"a", "b"}}, {40, 40});
    Draw(0, ODS_SELECTED);
    EXPECT_EQ(Ops(sim::DrawOp::FillRect).at(0).fillColor, kNavy);
    for (const auto& r : Ops(sim::DrawOp::DrawText))
        EXPECT_EQ(r.state.textColor, kWhite);
    EXPECT_EQ(Ops(sim::DrawOp::LineTo).at(0).state.penColor, kSilver);

    probe_.lngBackColorSelected() = static_cast<OLE_COLOR>(0x8000000D);    // highlight
    probe_.lngForeColorSelected() = static_cast<OLE_COLOR>(0x8000000E);    // highlighted text
    probe_.lngColumnLineForeColor() = static_cast<OLE_COLOR>(0x80000010);  // button shadow
    Draw(0, ODS_SELECTED);
    EXPECT_EQ(Ops(sim::DrawOp::FillRect).at(0).fillColor, sim::Gdi::SysColor(0x0D));
    EXPECT_EQ(Ops(sim::DrawOp::DrawText).at(0).state.textColor, sim::Gdi::SysColor(0x0E));
    EXPECT_EQ(Ops(sim::DrawOp::LineTo).at(0).state.penColor, sim::Gdi::SysColor(0x10));
}

TEST_F(RowDrawingTest, LowersAColumnCountAboveTheTableForGood) {
    Fill({{"a", "b", "c"}}, {40, 40, 40, 40, 40});
    probe_.intColumnCount() = 5;
    Draw(0);
    EXPECT_EQ(probe_.intColumnCount(), 3);
    EXPECT_EQ(Cells().size(), 3u);
    EXPECT_TRUE(world.MessageBoxes().empty());
}

TEST_F(RowDrawingTest, NoRowDrawsNothing) {
    Fill({{"a"}}, {40});
    Draw(static_cast<UINT>(-1), ODS_SELECTED);
    EXPECT_TRUE(log_.empty());
}

TEST_F(RowDrawingTest, GivesBackEveryObjectAndColour) {
    Fill({{"a", "b", "c"}, {"d", "e", "f"}}, {40, 50, 60});
    const HDC dc = GetDC(host_.ListHwnd());
    const sim::GdiCounts before = world.Graphics().Live();
    const sim::DeviceContext saved = *world.Graphics().Dc(dc);
    for (UINT row = 0; row < 200; ++row) {
        probe_.DrawListRow(DRAWITEMSTRUCT{ODT_LISTBOX, 0, row % 2, ODA_DRAWENTIRE, row % 2,
                                          host_.ListHwnd(), dc, kRow, 0});
    }
    EXPECT_EQ(world.Graphics().Live(), before);
    const sim::DeviceContext& after = *world.Graphics().Dc(dc);
    EXPECT_EQ(after.bkColor, saved.bkColor);
    EXPECT_EQ(after.textColor, saved.textColor);
    EXPECT_EQ(after.pen, saved.pen);
    ReleaseDC(host_.ListHwnd(), dc);
}

TEST_F(RowDrawingTest, AFailureGoesToTheReportAndLeavesNothingBehind) {
    Fill({{"a", "b", "c"}}, {40, 50, 60});
    const HDC dc = GetDC(host_.ListHwnd());
    const sim::GdiCounts before = world.Graphics().Live();
    DRAWITEMSTRUCT dis{ODT_LISTBOX, 0, 0, ODA_DRAWENTIRE, 0, host_.ListHwnd(), dc, kRow, 0};
    world.FailNext("DrawText", vberr::InvalidProcedureCall, 1);
    EXPECT_EQ(SendMessage(host_.Hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)), 0);
    EXPECT_EQ(world.Graphics().Live(), before);
    ASSERT_EQ(world.MessageBoxes().size(), 1u);
    EXPECT_EQ(world.MessageBoxes()[0].title, "basfile - function2");
    EXPECT_EQ(world.MessageBoxes()[0].prompt.rfind("Unable to execute function2!", 0), 0u);
    ReleaseDC(host_.ListHwnd(), dc);
}

}  // namespace
}  // namespace cp::test
