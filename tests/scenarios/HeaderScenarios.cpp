// The list's header row: captions above the rows that take no part in choosing a row, and
// columns fitted to their widest text.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/scenarios/ScenarioFixture.h"
#include "tests/support/ErrorOf.h"

namespace cp::test {
namespace {

int Height(const RECT& r) {
    return r.bottom - r.top;
}

class HeaderScenario : public ControlScenario {
protected:
    void FillCountries(const std::string& items = "France;250;Germany;276;Italy;380") {
        control.ColumnCount(std::int16_t{2});
        control.ColumnWidths("1500;600");
        control.BoundColumn(std::int16_t{1});
        control.AddList(items);
    }
    void ShowHeader() {
        control.ColumnHeads(true);
        control.ColumnCaptions("Country;Code");
    }
};

// The list grows by the header, which is no row for the host or a reader: a reader finds the
// captions above the rows, and only while the header shows.
TEST_F(HeaderScenario, TheListGrowsByTheHeaderWhichIsNoRowForTheHostOrAReader) {
    FillCountries();
    EXPECT_TRUE(control.ColumnHeadings().empty());
    OpenList();
    const RECT plain = driver->ListScreenRect(control);
    control.HideListBox(AfterHide::FocusEditField);
    ShowHeader();
    control.ColumnWidths("1500;0");
    OpenList();
    const std::vector<ColumnHeading> one = control.ColumnHeadings();
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].caption, "Country");
    control.HideListBox(AfterHide::FocusEditField);
    control.ColumnWidths("1500;600");
    OpenList();
    const RECT headed = driver->ListScreenRect(control);
    EXPECT_EQ((std::tuple{Height(headed) - Height(plain), headed.top, control.ListCount(),
                          control.ListIndex(), control.RowCount()}),
              (std::tuple{CurrentScreenUnits().rowPixels + 1, plain.top, 3, -1, 3}));
    // The band above the rows is outside the rows' client area, where readers find no row.
    EXPECT_EQ(control.RowAt(POINT{20, -3}), std::nullopt);
    EXPECT_EQ(control.RowAt(POINT{20, 2}), std::optional<std::int32_t>{0});
    EXPECT_EQ(control.RowName(0), std::optional<std::string>{"France, 250"});

    const std::vector<ColumnHeading> both = control.ColumnHeadings();
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[1].caption, "Code");
    const int band = CurrentScreenUnits().rowPixels;
    for (const ColumnHeading& h : both) {
        EXPECT_EQ((std::tuple{h.rect.top, h.rect.bottom}), (std::tuple{-band - 1, -1}))
            << h.caption;
        EXPECT_EQ(control.RowAt(POINT{h.rect.left + 2, h.rect.top + 2}), std::nullopt);
    }
    EXPECT_EQ(both[0].rect.left, 0);
    EXPECT_LT(both[0].rect.right, both[1].rect.left);
}

// A click on the header neither commits nor closes the list.
TEST_F(HeaderScenario, AClickOnTheHeaderDoesNothingAndKeysAndTheMouseReachOnlyTheRows) {
    FillCountries();
    ShowHeader();
    control.Value(Variant("276"));
    OpenList();
    driver->ClickOnListHeader(control);
    EXPECT_EQ(Read(), (Reading{"Germany", 0, 7, 1, 1, true}));
    EXPECT_EQ((std::tuple{Log(), driver->EditHasFocus(control)}), (std::tuple{Events{}, true}));
    EXPECT_EQ(RowEscapeRestores(), 1);

    control.Text("");
    OpenList();
    driver->PressKey(vbKeyDown);
    EXPECT_EQ(driver->ListSelection(control), 0);
    driver->PressKey(vbKeyUp);
    EXPECT_EQ(driver->ListSelection(control), 0);
    EXPECT_EQ(Text(), "France");

    driver->MouseMoveOnList(control, kX, RowY(1));
    EXPECT_EQ(driver->ListSelection(control), 1);
    driver->MouseMoveOnList(control, kX, RowY(0));
    EXPECT_EQ(driver->ListSelection(control), 0);
    driver->MouseDownOnList(control, kX, RowY(2));
    driver->MouseUpOnList(control, kX, RowY(2));
    EXPECT_EQ(Read(), (Reading{"Italy", 0, 5, 2, 2, false}));
}

// The widths come back as ColumnWidths takes them, show the longest name whole and follow it.
TEST_F(HeaderScenario, FittedWidthsFollowTheLongestNameAndAlignmentsRefuseWhatTheyCannotRead) {
    FillCountries("Chad;148;Peru;604");
    const std::string shortWidths = control.FitColumnWidths();
    FillCountries("Chad;148;United Kingdom of Great Britain and Northern Ireland;826");
    const std::string longWidths = control.FitColumnWidths();
    const auto first = [](const std::string& widths) {
        return std::stoi(widths.substr(0, widths.find(';')));
    };
    EXPECT_GT(first(longWidths), first(shortWidths) + 1500);
    EXPECT_EQ(longWidths.substr(longWidths.find(';')), shortWidths.substr(shortWidths.find(';')));
    control.ColumnWidths(longWidths);
    EXPECT_EQ(control.FitColumnWidths(), longWidths);
    OpenList();
    driver->PressKey(vbKeyDown);
    driver->PressKey(vbKeyDown);
    EXPECT_EQ(Text(), "United Kingdom of Great Britain and Northern Ireland");

    // The alignments take digits or letters and refuse anything else.
    control.ColumnAlignments("0;1");
    EXPECT_EQ(control.ColumnAlignments(), "0;1");
    control.ColumnAlignments("l; C");
    EXPECT_EQ(control.ColumnAlignments(), "l; C");
    for (const char* bad : {"0;3", "left", "0;;1", "R;", "1 2"}) {
        EXPECT_EQ(ErrorOf([&] { control.ColumnAlignments(bad); }), vberr::InvalidPropertyValue)
            << bad;
        EXPECT_EQ(control.ColumnAlignments(), "l; C") << bad;
    }
}

}  // namespace
}  // namespace cp::test
