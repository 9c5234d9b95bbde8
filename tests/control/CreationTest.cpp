#include <gtest/gtest.h>

#include "platform/sim/PropertyStore.h"
#include "runtime/RuntimeError.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

// A host without ambient properties counts as the designer.
TEST(Creation, TheDesignerGetsNoListIndexOrValue) {
    for (const auto mode : {sim::AmbientMode::Design, sim::AmbientMode::Unavailable}) {
        SimControl s({.form = {.ambient = mode}});
        for (auto* use : std::initializer_list<void (*)(ColumnPick&)>{
                 [](ColumnPick& c) { (void)c.ListIndex(); },
                 [](ColumnPick& c) { c.ListIndex(0); },
                 [](ColumnPick& c) { (void)c.Value(); },
                 [](ColumnPick& c) { c.Value(Variant("1")); },
             }) {
            EXPECT_EQ(ErrorOf([&] { use(s.control()); }), 394) << static_cast<int>(mode);
        }
        // The other properties work in the designer.
        EXPECT_EQ(s.control().BoundColumn(), 0);
        EXPECT_TRUE(s.control().Column(0).IsNull());
    }
}

TEST(Creation, AFailingStepEndsInitializeWithItsReportAndAGoodOneSubclassesOnce) {
    // The first step and the last one.
    for (const char* step : {"LoadResPicture", "TextBox.SetText"}) {
        SimControl s({.prepare = [&](sim::World& world) { world.FailNext(step, 5); }});
        const auto& world = s.world();
        ASSERT_EQ(world.MessageBoxes().size(), 1u) << step;
        EXPECT_EQ(world.MessageBoxes()[0].title, "ColumnPick - UserControl_Initialize");
        EXPECT_EQ(world.MessageBoxes()[0].prompt,
                  "Unable to execute the sub UserControl_Initialize!\r\n\r\nError 5: " +
                      StandardDescription(5));
        // However early it stopped, the instance holds the values of a new one, not a record
        // of zeros (no columns, no rows to show): saved, it differs from the defaults nowhere.
        sim::PropertyStore saved;
        s.host().WriteProperties(saved);
        EXPECT_TRUE(saved.Keys().empty()) << step;
    }

    // A control made without a failure has its drawing subclass installed once.
    SimControl s;
    const WNDPROC installed = s.probe().lngOldWindowProc();
    ASSERT_NE(installed, nullptr);
    s.probe().SubclassControlOnce();
    EXPECT_EQ(s.probe().lngOldWindowProc(), installed);
}

}  // namespace
}  // namespace cp::test
