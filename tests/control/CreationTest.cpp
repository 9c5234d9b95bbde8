#include <gtest/gtest.h>

#include "control/Startup.h"
#include "dropdown/ListTables.h"
#include "runtime/RuntimeError.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

TEST(Creation, ANewInstanceHasTheCreationValues) {
    SimControl s;
    ColumnPick& c = s.control();
    EXPECT_EQ(c.ColumnCount(), 1);
    EXPECT_EQ(c.BoundColumn(), 0);
    EXPECT_EQ(c.ListRows(), 8);
    EXPECT_EQ(c.ListWidth(), -1);
    EXPECT_EQ(c.ListCount(), 0);
    EXPECT_EQ(c.ListIndex(), -1);
    EXPECT_EQ(c.Appearance(), lb3D);
    EXPECT_EQ(c.BackColorNormal(), 0xFFFFFF);
    EXPECT_EQ(c.BackColorSelected(), 0x800000);
    EXPECT_EQ(c.ForeColorNormal(), 0x000000);
    EXPECT_EQ(c.ForeColorSelected(), 0xFFFFFF);
    EXPECT_EQ(s.probe().lngColumnLineForeColor(), 0xC0C0C0);
    EXPECT_EQ(c.Text(), "");
    EXPECT_FALSE(c.ComboBoxIsOpen());
    EXPECT_EQ(s.probe().lngColumnWidths(), std::vector<std::int32_t>{0});
    EXPECT_EQ(s.probe().lngCommittedIndex(), -1);
    EXPECT_EQ(s.probe().lngHotRow(), -1);
    EXPECT_FALSE(s.probe().varItems().Allocated());
    EXPECT_FALSE(s.probe().blnDesignMode());
    EXPECT_TRUE(s.probe().blnSubclassed());
}

TEST(Creation, TheRowTablesHoldTheListHeightsAndRowBands) {
    const auto& heights = varListHeights;
    EXPECT_EQ(heights[0], 255);
    EXPECT_EQ(heights[1], 255);
    EXPECT_EQ(heights[2], 480);
    EXPECT_EQ(heights[15], 3405);
    const auto& bottoms = varRowBottoms;
    EXPECT_EQ(bottoms[0], 210);
    EXPECT_EQ(bottoms[1], 435);
    EXPECT_EQ(bottoms[14], 3360);
}

TEST(Creation, TheDesignerGetsNoListIndexOrValue) {
    SimControlOptions options;
    options.form.ambient = sim::AmbientMode::Design;
    SimControl s(options);
    EXPECT_TRUE(s.probe().blnDesignMode());
    EXPECT_FALSE(s.probe().blnSubclassed());
    for (auto* use : std::initializer_list<void (*)(ColumnPick&)>{
             [](ColumnPick& c) { (void)c.ListIndex(); },
             [](ColumnPick& c) { c.ListIndex(0); },
             [](ColumnPick& c) { (void)c.Value(); },
             [](ColumnPick& c) { c.Value(Variant("1")); },
         }) {
        try {
            use(s.control());
            ADD_FAILURE() << "expected error 394";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.Number(), 394);
            EXPECT_EQ(e.Description(), StandardDescription(394));
        }
    }
    // The other properties work in the designer.
    EXPECT_EQ(s.control().BoundColumn(), 0);
    EXPECT_TRUE(s.control().Column(0).IsNull());
}

TEST(Creation, AHostWithoutAmbientPropertiesCountsAsTheDesigner) {
    SimControlOptions options;
    options.form.ambient = sim::AmbientMode::Unavailable;
    SimControl s(options);
    EXPECT_TRUE(s.probe().blnDesignMode());
    EXPECT_FALSE(s.probe().blnSubclassed());
}

TEST(Creation, TheDrawingSubclassIsInstalledOnce) {
    SimControl s;
    const WNDPROC installed = s.probe().lngOldWindowProc();
    ASSERT_NE(installed, nullptr);
    s.probe().SubclassControlOnce();
    EXPECT_EQ(s.probe().lngOldWindowProc(), installed);
}

TEST(Creation, AFailingStepEndsInitializeWithItsReportAndKeepsTheCreationValues) {
    // The first step and the last one.
    for (const char* step : {"LoadResPicture", "TextBox.SetText"}) {
        sim::World world;
        sim::Form form(world);
        gblnStarted = true;
        world.FailNext(step, 5);
        auto& host = form.AddControl(
            [](const ControlSite& site) { return std::make_unique<ColumnPick>(site); });
        ColumnPick& c = host.ControlAs<ColumnPick>();
        ASSERT_EQ(world.MessageBoxes().size(), 1u) << step;
        EXPECT_EQ(world.MessageBoxes()[0].title, "ColumnPick - UserControl_Initialize");
        EXPECT_EQ(world.MessageBoxes()[0].prompt,
                  "Unable to execute the sub UserControl_Initialize!\r\n\r\nError 5: " +
                      StandardDescription(5));
        EXPECT_EQ(world.MessageBoxes()[0].buttons, vbCritical);
        // However early it stopped, the instance is a usable control with the values of a new
        // one, not a record of zeros (no columns, no rows to show).
        EXPECT_EQ(c.ColumnCount(), 1) << step;
        EXPECT_EQ(c.ListRows(), 8) << step;
        EXPECT_EQ(c.ListWidth(), -1) << step;
        EXPECT_EQ(c.BackColorSelected(), 0x800000) << step;
    }
}

}  // namespace
}  // namespace cp::test
