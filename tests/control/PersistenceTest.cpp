#include <gtest/gtest.h>

#include "platform/sim/PropertyStore.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

std::unique_ptr<SimControl> Loaded(sim::PropertyStore& bag) {
    SimControlOptions options;
    options.placement.properties = &bag;
    return std::make_unique<SimControl>(options);
}

const std::vector<std::string> kKeysInOrder = {
    "BackColorNormal",   "ForeColorNormal", "BackColorSelected",
    "ForeColorSelected", "ListRows",        "Enabled",
    "BoundColumn",       "ColumnCount",     "ListWidth",
    "Appearance",        "Locked",          "Text"};

TEST(Persistence, AnEmptyStoreGivesTheCreationValues) {
    sim::PropertyStore bag;
    auto p = Loaded(bag);
    ColumnPick& c = p->control();
    EXPECT_EQ(bag.Reads(), kKeysInOrder);
    EXPECT_EQ(c.BackColorNormal(), 0xFFFFFF);
    EXPECT_EQ(c.ForeColorNormal(), 0);
    EXPECT_EQ(c.BackColorSelected(), 0x800000);
    EXPECT_EQ(c.ForeColorSelected(), 0xFFFFFF);
    EXPECT_EQ(c.ListRows(), 8);
    EXPECT_TRUE(c.Enabled());
    EXPECT_EQ(c.BoundColumn(), 0);
    EXPECT_EQ(c.ColumnCount(), 1);
    EXPECT_EQ(c.ListWidth(), -1);
    EXPECT_EQ(c.Appearance(), lb3D);
    EXPECT_FALSE(c.Locked());
    EXPECT_EQ(c.Text(), "");
    EXPECT_TRUE(p->probe().blnSubclassed());
    EXPECT_TRUE(p->host().PropertyChangedKeys().empty());
}

TEST(Persistence, SavingDefaultsStoresNoKey) {
    SimControl s;
    sim::PropertyStore bag;
    s.host().WriteProperties(bag);
    EXPECT_TRUE(bag.Keys().empty());
    ASSERT_EQ(bag.Writes().size(), kKeysInOrder.size());
    for (std::size_t i = 0; i < kKeysInOrder.size(); ++i) {
        EXPECT_EQ(bag.Writes()[i].key, kKeysInOrder[i]);
    }
}

TEST(Persistence, SettingsSurviveASaveAndALoad) {
    sim::PropertyStore bag;
    {
        SimControl s;
        ColumnPick& c = s.control();
        c.BackColorNormal(0x00FFFF);
        c.ForeColorNormal(0x0000FF);
        c.BackColorSelected(0x00FF00);
        c.ForeColorSelected(0x111111);
        c.ListRows(12);
        c.Enabled(false);
        c.BoundColumn(1);
        c.ColumnCount(3);
        c.ListWidth(4000);
        c.Appearance(lbFlat);
        c.Locked(true);
        c.Text("hello");
        c.ColumnLineForeColor(0x222222);
        c.ColumnWidths("1000;1000;1000");
        s.host().WriteProperties(bag);
    }
    EXPECT_EQ(bag.Get("ListRows")->Type(), VarType::Integer);
    EXPECT_EQ(bag.Get("BackColorNormal")->Type(), VarType::Long);
    EXPECT_EQ(bag.Get("Appearance")->Type(), VarType::Byte);
    EXPECT_EQ(bag.Get("Locked")->Type(), VarType::Boolean);
    auto p = Loaded(bag);
    ColumnPick& c = p->control();
    EXPECT_EQ(c.BackColorNormal(), 0x00FFFF);
    EXPECT_EQ(c.ForeColorNormal(), 0x0000FF);
    EXPECT_EQ(c.BackColorSelected(), 0x00FF00);
    EXPECT_EQ(c.ForeColorSelected(), 0x111111);
    EXPECT_EQ(c.ListRows(), 12);
    EXPECT_FALSE(c.Enabled());
    EXPECT_EQ(c.BoundColumn(), 1);
    EXPECT_EQ(c.ColumnCount(), 3);
    EXPECT_EQ(c.ListWidth(), 4000);
    EXPECT_EQ(c.Appearance(), lbFlat);
    EXPECT_TRUE(c.Locked());
    EXPECT_TRUE(p->host().TextBox().Locked());
    EXPECT_EQ(c.Text(), "hello");
    // Neither the widths nor the column-line colour are kept.
    EXPECT_EQ(p->probe().lngColumnWidths(), std::vector<std::int32_t>{0});
    EXPECT_EQ(p->probe().lngColumnLineForeColor(), 0xC0C0C0);
}

TEST(Persistence, ASystemColourIsSavedAsItsRgbValue) {
    SimControl s;
    s.control().BackColorNormal(static_cast<OLE_COLOR>(0x8000000Fu));
    sim::PropertyStore bag;
    s.host().WriteProperties(bag);
    ASSERT_TRUE(bag.Has("BackColorNormal"));
    EXPECT_EQ(CLng(*bag.Get("BackColorNormal")), static_cast<std::int32_t>(GetSysColor(15)));
}

TEST(Persistence, StoredValuesAreNotRangeChecked) {
    sim::PropertyStore bag;
    bag.Set("ListRows", Variant(std::int16_t{20}));
    auto p = Loaded(bag);
    EXPECT_EQ(p->control().ListRows(), 20);
    EXPECT_TRUE(p->world().MessageBoxes().empty());
}

TEST(Persistence, AValueThatCannotBeConvertedFailsTheLoad) {
    sim::PropertyStore bag;
    bag.Set("ListRows", Variant("many"));
    auto p = Loaded(bag);
    ASSERT_FALSE(p->world().HostErrors().empty());
    EXPECT_EQ(p->world().HostErrors()[0].number, vberr::TypeMismatch);
    // The steps after the failing one did not run.
    EXPECT_FALSE(p->probe().blnSubclassed());
}

}  // namespace
}  // namespace cp::test
