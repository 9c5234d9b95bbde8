// The open list's header band and the columns' alignments, read from the simulator's drawing
// log: what the header draws on the list's frame, where aligned cells stand, and widths that
// show every measured text whole.
#include <string>
#include <vector>

#include "runtime/ScreenUnits.h"
#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {
namespace {

constexpr UINT kCellFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

struct Text {
    RECT rect;
    UINT flags;
    std::string text;
    bool operator==(const Text&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Text& t) {
    return out << '"' << t.text << "\" " << t.rect.left << ".." << t.rect.right << " flags "
               << t.flags;
}

class HeaderDrawingTest : public ControlOnForm {
protected:
    void Open() {
        world().Graphics().ClearLog();
        control().ShowDropDown();
    }
    // The texts drawn on the list's frame (header: true) or in its rows.
    std::vector<Text> Texts(bool header) {
        std::vector<Text> texts;
        for (const auto& r : world().Graphics().Log())
            if (r.op == sim::DrawOp::DrawText && r.window == List() && r.frameDc == header)
                texts.push_back({r.rect, r.flags, r.text});
        return texts;
    }
};

// Without ColumnHeads the list has no band and its texts stand left, as before the header.
TEST_F(HeaderDrawingTest, TheHeaderDrawsEachCaptionInTheHeaderColoursAndFittedWidthsShowThemWhole) {
    Fill(3, "600;900;450", "France;250;FR;Germany;276;DE");
    control().ColumnCaptions("Country;Number;Code");
    Open();
    EXPECT_TRUE(Texts(true).empty());
    ASSERT_EQ(Texts(false).size(), 6u);
    EXPECT_EQ(Texts(false)[1].rect.left, 44);
    EXPECT_EQ(Texts(false)[1].flags, kCellFormat);
    control().HideListBox(AfterHide::LeaveFocus);

    control().ColumnHeads(true);
    control().ColumnAlignments("0;1;2");
    Open();
    const int band = CurrentScreenUnits().rowPixels;
    // Columns of 40, 60 and 30 pixels, lines after the first two at 41 and 102.
    EXPECT_EQ(Texts(true), (std::vector<Text>{
                               {{3, 0, 41, band}, kCellFormat, "Country"},
                               {{44, 0, 100, band}, kCellFormat | DT_RIGHT, "Number"},
                               {{105, 0, 131, band}, kCellFormat | DT_CENTER, "Code"},
                           }));
    const auto& log = world().Graphics().Log();
    const auto fill = std::find_if(log.begin(), log.end(), [](const sim::DrawRecord& r) {
        return r.frameDc && r.op == sim::DrawOp::FillRect;
    });
    ASSERT_NE(fill, log.end());
    EXPECT_EQ(fill->fillColor, sim::Gdi::SysColor(15));
    std::vector<int> verticals;
    int underline = -1;
    for (const auto& r : log) {
        if (!r.frameDc || r.op != sim::DrawOp::LineTo) continue;
        if (r.from.x == r.to.x)
            verticals.push_back(r.to.x);
        else
            underline = r.to.y;
    }
    EXPECT_EQ((std::pair{verticals, underline}), (std::pair{std::vector<int>{41, 102}, band}));

    // The rows keep to the same places.
    const std::vector<Text> rows = Texts(false);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[1], (Text{{44, 0, 100, band}, kCellFormat | DT_RIGHT, "250"}));
    EXPECT_EQ(rows[2].flags, kCellFormat | DT_CENTER);
    control().HideListBox(AfterHide::LeaveFocus);

    // Below the sampling's limit every row is measured, the last one too, though it is not on show.
    // Every measured text fits its fitted column whole; a hidden column stays hidden.
    std::string items;
    for (int row = 0; row < 4999; ++row)
        items += "ab;";
    Fill(1, "600", items + "a much longer last row");
    const std::string fitted = control().FitColumnWidths();
    control().Clear();
    Fill(1, "600", "a much longer last row");
    EXPECT_EQ(fitted, control().FitColumnWidths());

    Fill(3, "600;0;450", "Bosnia and Herzegovina;070;BA;Chad;148;TD");
    control().ColumnHeads(true);
    control().ColumnCaptions("Country;Number;Country code");
    const std::string widths = control().FitColumnWidths();
    const int twips = static_cast<int>(TwipsPerPixel());
    // The simulator measures 6 pixels a character, 3 for a narrow one: 120 and 69 pixels.
    EXPECT_EQ(widths, std::to_string((120 + 7) * twips) + ";0;" + std::to_string((69 + 4) * twips));
    Open();
    for (const Text& t : Texts(false))
        EXPECT_NE(t.text, "Bosnia and Herzegovin");
    EXPECT_EQ(Texts(false).at(0).text, "Bosnia and Herzegovina");
    EXPECT_EQ(Texts(true).at(1).text, "Country code");
}

}  // namespace
}  // namespace cp::test
