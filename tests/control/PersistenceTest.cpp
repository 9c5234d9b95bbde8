#include <gtest/gtest.h>

#include "control/PublicInterface.h"
#include "platform/sim/PropertyStore.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

std::int32_t DispidOf(std::string_view name) {
    for (const auto& m : iface::Members())
        if (m.name == name) return m.dispid;
    ADD_FAILURE() << "no member " << name;
    return 0;
}

const std::vector<std::string> kKeysInOrder = {
    "BackColorNormal",   "ForeColorNormal", "BackColorSelected",
    "ForeColorSelected", "ListRows",        "Enabled",
    "BoundColumn",       "ColumnCount",     "ListWidth",
    "Appearance",        "Locked",          "Text",
    "MatchMode",         "SearchColumns",   "FilterList",
    "ColumnHeads",       "ColumnCaptions",  "ColumnAlignments"};

// A new control and one loaded from an empty store both hold the stored defaults, so saving
// either stores no key; every key is still read and written, in the stored order.
TEST(Persistence, DefaultsStoreNoKeyAndEveryKeyIsVisitedInOrder) {
    const auto expectNoKeyStored = [](SimControl& s) {
        sim::PropertyStore bag;
        s.host().WriteProperties(bag);
        EXPECT_TRUE(bag.Keys().empty());
        std::vector<std::string> written;
        for (const auto& write : bag.Writes())
            written.push_back(write.key);
        EXPECT_EQ(written, kKeysInOrder);
    };
    {
        sim::PropertyStore empty;
        auto loaded = SimControl::LoadedFrom(empty);
        EXPECT_EQ(empty.Reads(), kKeysInOrder);
        EXPECT_TRUE(loaded->host().PropertyChangedKeys().empty());
        expectNoKeyStored(*loaded);
    }
    SimControl fresh;
    expectNoKeyStored(fresh);

    // A system colour is saved as its RGB value.
    fresh.control().BackColorNormal(static_cast<OLE_COLOR>(0x8000000Fu));
    sim::PropertyStore bag;
    fresh.host().WriteProperties(bag);
    ASSERT_TRUE(bag.Has("BackColorNormal"));
    EXPECT_EQ(CLng(*bag.Get("BackColorNormal")), static_cast<std::int32_t>(GetSysColor(15)));
}

// Each setting is put and read through its dispatch identifier, as a host does, and is stored
// in the type that it has.
TEST(Persistence, SettingsRoundTripThroughTheirIdentifiersAndSurviveASaveAndALoad) {
    const std::pair<std::string_view, Variant> settings[] = {
        {"BackColorNormal", std::int32_t{0x00FFFF}},
        {"ForeColorNormal", std::int32_t{0x0000FF}},
        {"BackColorSelected", std::int32_t{0x00FF00}},
        {"ForeColorSelected", std::int32_t{0x111111}},
        {"ListRows", std::int16_t{12}},
        {"Enabled", false},
        {"ColumnCount", std::int16_t{3}},
        {"BoundColumn", std::int16_t{2}},
        {"ListWidth", std::int16_t{4000}},
        {"Appearance", std::uint8_t{lbFlat}},
        {"Locked", true},
        {"Text", "hello"},
        {"MatchMode", std::int16_t{2}},
        {"SearchColumns", "2;0"},
        {"FilterList", true},
        {"ColumnHeads", true},
        {"ColumnCaptions", "Name;Code;Number"},
        {"ColumnAlignments", "L;r;2"},
    };
    const auto put = [](ColumnPick& c, std::string_view name, Variant value) {
        std::vector<Variant> args{std::move(value)};
        iface::Invoke(c, DispidOf(name), iface::Kind::PropertyLet, args);
    };
    const auto expectSettings = [&](SimControl& s) {
        for (const auto& [name, value] : settings) {
            std::vector<Variant> none;
            const Variant got =
                iface::Invoke(s.control(), DispidOf(name), iface::Kind::PropertyGet, none);
            EXPECT_TRUE(VariantEquals(got, value)) << name << ": " << CStr(got);
        }
    };
    sim::PropertyStore bag;
    {
        SimControl s;
        for (const auto& [name, value] : settings)
            put(s.control(), name, value);
        put(s.control(), "ColumnLineForeColor", std::int32_t{0x222222});
        put(s.control(), "ColumnWidths", "1000;1000;1000");
        expectSettings(s);
        s.host().WriteProperties(bag);
    }
    for (const auto& [name, value] : settings)
        EXPECT_EQ(bag.Get(name)->Type(), value.Type()) << name;
    auto p = SimControl::LoadedFrom(bag);
    expectSettings(*p);
    EXPECT_TRUE(p->host().TextBox().Locked());
    // Neither the widths nor the column-line colour are kept.
    EXPECT_EQ(p->probe().lngColumnWidths(), std::vector<std::int32_t>{0});
    EXPECT_EQ(p->probe().lngColumnLineForeColor(), 0xC0C0C0);
}

// A stored search that the properties would refuse loads as the defaults; the properties refuse
// such values with error 380 and keep what they had.
TEST(Persistence, StoredValuesLoadUncheckedOrAsTheSearchDefaultsAndAnUnconvertedOneFails) {
    sim::PropertyStore bag;
    bag.Set("ColumnCount", Variant(std::int16_t{2}));
    bag.Set("MatchMode", Variant(std::int16_t{3}));
    bag.Set("SearchColumns", Variant("1;2"));
    auto p = SimControl::LoadedFrom(bag);
    EXPECT_EQ(p->control().MatchMode(), 0);
    EXPECT_EQ(p->control().SearchColumns(), "0");

    ColumnPick& c = p->control();
    c.MatchMode(1);
    c.SearchColumns("1");
    for (const std::int16_t mode : {-1, 3})
        EXPECT_EQ(ErrorOf([&] { c.MatchMode(mode); }), vberr::InvalidPropertyValue) << mode;
    // A column beyond the table's own count; the parser's other refusals are its own.
    EXPECT_EQ(ErrorOf([&] { c.SearchColumns("2"); }), vberr::InvalidPropertyValue);
    EXPECT_EQ(c.MatchMode(), 1);
    EXPECT_EQ(c.SearchColumns(), "1");
    EXPECT_EQ(p->host().PropertyChangedKeys(),
              (std::vector<std::string>{"MatchMode", "SearchColumns"}));

    // Stored values are not range-checked; a store from before the header loads as before; a
    // damaged alignment string costs only the alignments.
    sim::PropertyStore unchecked;
    unchecked.Set("ListRows", Variant(std::int16_t{20}));
    unchecked.Set("ColumnHeads", Variant(std::int16_t{-1}));
    unchecked.Set("ColumnAlignments", Variant("1;x"));
    auto stored = SimControl::LoadedFrom(unchecked);
    EXPECT_TRUE(stored->world().HostErrors().empty());
    EXPECT_TRUE(stored->world().MessageBoxes().empty());
    EXPECT_EQ((std::tuple{stored->control().ListRows(), stored->control().ColumnHeads(),
                          stored->control().ColumnAlignments(), stored->probe().blnSubclassed()}),
              (std::tuple{std::int16_t{20}, true, std::string(), true}));

    // A value that cannot be converted fails the load: the steps after it do not run.
    auto unconverted = SimControl::LoadedWith("ListRows", Variant("many"));
    ASSERT_FALSE(unconverted->world().HostErrors().empty());
    EXPECT_EQ(unconverted->world().HostErrors()[0].number, vberr::TypeMismatch);
    EXPECT_FALSE(unconverted->probe().blnSubclassed());
}

TEST(Persistence, AStoredListRowsBelowTwoStillPagesARowTowardsTheKeysEnd) {
    for (const std::int16_t rows : {std::int16_t{1}, std::int16_t{0}, std::int16_t{-2}}) {
        auto p = SimControl::LoadedWith("ListRows", Variant(rows));
        p->FillRows({"a", "b", "c", "d"});
        p->Focus();
        p->user().TypeText("b");
        std::vector<std::int32_t> seen;
        for (const std::int16_t key : {vbKeyPageDown, vbKeyPageDown, vbKeyPageUp}) {
            p->user().PressKey(key);
            seen.push_back(p->control().ListIndex());
        }
        EXPECT_EQ(seen, (std::vector<std::int32_t>{2, 3, 2})) << "ListRows " << rows;
    }
}

}  // namespace
}  // namespace cp::test
