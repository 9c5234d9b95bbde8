// Drawing one row of the list, read from the simulator's drawing log.
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/SimWindowApi.h"
#include "runtime/RuntimeError.h"
#include "tests/support/BlockRecordset.h"
#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {
namespace {

constexpr COLORREF kSilver = 0xC0C0C0;
constexpr RECT kRow{0, 30, 300, 45};

// Where a cell's text begins, and the text.
using Cell = std::pair<int, std::string>;

class RowDrawingTest : public ControlOnForm {
protected:
    ~RowDrawingTest() override { ReleaseDC(List(), dc_); }

    // One table row per entry of rows, filled as from a recordset; widths in pixels.
    void Fill(const std::vector<std::vector<Variant>>& rows, std::vector<std::int32_t> widths) {
        BlockVector<Variant> cells;
        for (const auto& row : rows)
            for (const Variant& cell : row)
                cells.emplace_back(cell);
        const auto columns = static_cast<std::int32_t>(rows.front().size());
        std::string twips;
        for (std::int32_t pixels : widths)
            twips += (twips.empty() ? "" : ";") + std::to_string(pixels * kTwipsPerPixel);
        control().ColumnCount(static_cast<std::int16_t>(columns));
        control().ColumnWidths(twips);
        control().FillComboBoxMultiColumnRecordset(BlockRecordset::Of(
            VariantArray({columns, static_cast<std::int32_t>(rows.size())}, std::move(cells))));
    }
    DRAWITEMSTRUCT Item(UINT itemID, UINT itemState = 0) {
        return {ODT_LISTBOX, 2, itemID, ODA_DRAWENTIRE, itemState, List(), dc_, kRow, 0};
    }
    // The list's request to draw a row, as it reaches the control's window.
    LRESULT Draw(UINT itemID, UINT itemState = 0) {
        world().Graphics().ClearLog();
        DRAWITEMSTRUCT dis = Item(itemID, itemState);
        return SendMessage(host().Hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    }
    // Records of one kind on the row's context (or, for measuring, on any other).
    std::vector<sim::DrawRecord> Ops(sim::DrawOp op) {
        std::vector<sim::DrawRecord> found;
        for (const auto& r : world().Graphics().Log())
            if (r.op == op && (r.dc == dc_) == (op != sim::DrawOp::MeasureText)) found.push_back(r);
        return found;
    }
    std::vector<Cell> Cells() {
        std::vector<Cell> cells;
        for (const auto& r : Ops(sim::DrawOp::DrawText))
            cells.push_back({r.rect.left, r.text});
        return cells;
    }
    std::vector<int> LineXs() {
        std::vector<int> xs;
        for (const auto& r : Ops(sim::DrawOp::LineTo))
            xs.push_back(r.from.x == r.to.x ? r.to.x : -1);
        return xs;
    }

    HDC dc_ = GetDC(List());
};

TEST_F(RowDrawingTest, LaysOutCellsAndLinesHidesZeroWidthColumnsAndFitsTextsToTheRest) {
    Fill({{"a", "b", "c"}, {"x", "y", "z"}}, {40, 50, 60});
    Draw(1);
    EXPECT_EQ(Cells(), (std::vector<Cell>{{3, "x"}, {44, "y"}, {95, "z"}}));
    EXPECT_EQ(LineXs(), (std::vector<int>{41, 92}));
    const auto line = Ops(sim::DrawOp::LineTo).at(0);
    EXPECT_EQ((std::pair{line.from.y, line.to.y}), (std::pair{kRow.top, kRow.bottom}));
    // The last column is not fitted.
    std::vector<int> extents;
    for (const auto& measured : Ops(sim::DrawOp::MeasureText))
        extents.push_back(measured.maxExtent);
    EXPECT_EQ(extents, (std::vector<int>{38, 48}));
    const auto fill = Ops(sim::DrawOp::FillRect).at(0);
    EXPECT_EQ((std::tuple{fill.rect, fill.fillColor}), (std::tuple{kRow, 0xFFFFFFu}));
    EXPECT_EQ(Ops(sim::DrawOp::DrawText).at(2).state.textColor, 0u);
    EXPECT_EQ(Ops(sim::DrawOp::DrawText).at(2).flags, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);

    // Zero-width columns are hidden with their lines.
    Fill({{"a", "hidden", "c", "d"}}, {40, 0, 60, 30});
    Draw(0);
    EXPECT_EQ(Cells(), (std::vector<Cell>{{3, "a"}, {44, "c"}, {105, "d"}}));
    EXPECT_EQ(LineXs(), (std::vector<int>{41, 103}));
    control().ColumnCount(1);
    Draw(0);
    EXPECT_EQ(Cells(), (std::vector<Cell>{{3, "a"}}));
    EXPECT_TRUE(LineXs().empty());

    // Cells are fitted to whole characters and long texts are cut.
    std::string longText;
    for (int i = 0; i < 600; ++i)
        longText += "\xC3\xA9";  // 600 x e acute, two bytes each
    const std::string first500 = longText.substr(0, 1000);
    // Six-pixel characters: 20 - 2 pixels hold three; a column of 2 pixels holds none.
    Fill({{"abcdef", "xyz", Variant::Null(), std::int32_t{7}, longText, longText}},
         {20, 2, 30, 30, 3100, 100});
    Draw(0);
    EXPECT_EQ(Cells(),
              (std::vector<Cell>{{3, "abc"}, {58, "7"}, {89, first500}, {3190, first500}}));
    EXPECT_EQ(Ops(sim::DrawOp::MeasureText).at(4).text, first500);
    // Nor does a column of one pixel.
    Fill({{"a", "xyz", "b"}}, {20, 1, 30});
    Draw(0);
    EXPECT_EQ(Cells(), (std::vector<Cell>{{3, "a"}, {26, "b"}}));
}

// With a search of any part of a row, each searched cell's match is drawn again on a tint of
// the selection colour, in the selected row on a tint of the normal one; unsearched cells and
// the prefix mode's unfiltered list are drawn as they always were.
TEST_F(RowDrawingTest, MarksTheMatchesOfTheSearchedCellsOnATint) {
    Fill({{Variant("Finland"), Variant("Lapland")}, {Variant("Iceland"), Variant("IS")}},
         {100, 100});
    control().MatchMode(2);
    control().SearchColumns("0");
    control().Text("LAND");
    const auto marked = [&] {
        std::vector<std::pair<std::string, COLORREF>> texts;
        for (const auto& r : Ops(sim::DrawOp::DrawText))
            texts.emplace_back(r.text, r.state.bkColor);
        return texts;
    };
    using Texts = std::vector<std::pair<std::string, COLORREF>>;
    constexpr COLORREF kWhite = 0xFFFFFF;
    Draw(0);
    EXPECT_EQ(marked(), (Texts{{"Finland", kWhite}, {"land", 0xE0C0C0}, {"Lapland", kWhite}}));
    const std::vector<Cell> cells = Cells();
    EXPECT_GT(cells[1].first, cells[0].first);

    Draw(0, ODS_SELECTED);
    EXPECT_EQ(marked()[1], (std::pair<std::string, COLORREF>{"land", 0x9F3F3F}));
    // A commit ends the edit, and its marks with it.
    control().ListIndex(1);
    Draw(0);
    EXPECT_EQ(marked().size(), 2u);

    control().MatchMode(0);
    control().Text("F");
    Draw(0);
    EXPECT_EQ(marked().size(), 2u);
    // Filtered, the prefix mode's list marks its matches too.
    control().FilterList(true);
    control().Text("F");
    Draw(0);
    EXPECT_EQ(marked().size(), 3u);
}

TEST_F(RowDrawingTest, SelectedRowsSystemColoursAndTheControlsBackgroundAgree) {
    Fill({{"a", "b"}}, {40, 40});
    // The row's fill, its last text and its line.
    const auto colours = [&] {
        return std::vector<COLORREF>{Ops(sim::DrawOp::FillRect).at(0).fillColor,
                                     Ops(sim::DrawOp::DrawText).at(1).state.textColor,
                                     Ops(sim::DrawOp::LineTo).at(0).state.penColor};
    };
    Draw(0, ODS_SELECTED);
    EXPECT_EQ(colours(), (std::vector<COLORREF>{0x800000u, 0xFFFFFFu, kSilver}));

    control().BackColorNormal(static_cast<OLE_COLOR>(0x80000005));
    control().ForeColorNormal(static_cast<OLE_COLOR>(0x80000008));
    control().ColumnLineForeColor(static_cast<OLE_COLOR>(0x80000010));
    Draw(0);
    EXPECT_EQ(colours(), (std::vector<COLORREF>{sim::Gdi::SysColor(5), sim::Gdi::SysColor(8),
                                                sim::Gdi::SysColor(0x10)}));

    Draw(static_cast<UINT>(-1), ODS_SELECTED);
    EXPECT_TRUE(world().Graphics().Log().empty());

    // The host paints the control's background and the control draws its rows, each from the
    // same OLE colour: whatever bits the colour carries, both come out alike.
    for (const auto colour : {0x00336699u, 0x80000005u, 0x12345678u}) {
        SCOPED_TRACE(colour);
        control().BackColorNormal(static_cast<OLE_COLOR>(colour));
        sim::UpdateWindow(host().Hwnd());
        Draw(0);
        EXPECT_EQ(Ops(sim::DrawOp::FillRect).at(0).fillColor, sim::GetPixel(host().Hwnd(), 2, 2));
    }
}

TEST_F(RowDrawingTest, LowersTheColumnCountAndGivesEverythingBackEvenOnAFailure) {
    Fill({{"a", "b", "c"}, {"d", "e", "f"}}, {40, 40, 40});
    control().ColumnCount(5);
    control().ColumnWidths("600;600;600;600;600");
    const sim::GdiCounts before = world().Graphics().Live();
    const sim::DeviceContext saved = *world().Graphics().Dc(dc_);
    for (UINT row = 0; row < 200; ++row)
        Draw(row % 2, row % 2);
    const sim::DeviceContext& after = *world().Graphics().Dc(dc_);
    EXPECT_EQ((std::tuple{control().ColumnCount(), world().Graphics().Live(), after.bkColor,
                          after.textColor, after.pen, world().MessageBoxes().size()}),
              (std::tuple{3, before, saved.bkColor, saved.textColor, saved.pen, 0u}));

    // A failure goes to the report and leaves nothing behind.
    world().FailNext("DrawText", vberr::InvalidProcedureCall, 1);
    EXPECT_EQ(Draw(0), 0);
    EXPECT_EQ(world().Graphics().Live(), before);
    ASSERT_EQ(ReportTitles(), std::vector<std::string>{"basfile - function2"});
    EXPECT_EQ(world().MessageBoxes()[0].prompt.rfind("Unable to execute function2!", 0), 0u);
}

}  // namespace
}  // namespace cp::test
