#include <gtest/gtest.h>

#include <set>

#include "control/PublicInterface.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

using iface::Kind;
namespace dispid = iface::dispid;

// Compiled clients call the members by their place in the dual interface and the events by
// their identifiers: neither may move.
TEST(PublicInterface, MembersAndEventsKeepTheirPublishedPlaces) {
    std::vector<std::string_view> names;
    std::set<std::int32_t> ids;
    for (const auto& m : iface::Members()) {
        if (names.empty() || names.back() != m.name) names.push_back(m.name);
        ids.insert(m.dispid);
    }
    EXPECT_EQ(names, (std::vector<std::string_view>{"About",
                                                    "AddItem",
                                                    "AddList",
                                                    "Appearance",
                                                    "ArrayWithItems",
                                                    "BackColorNormal",
                                                    "BackColorSelected",
                                                    "BoundColumn",
                                                    "Clear",
                                                    "Column",
                                                    "ColumnCount",
                                                    "ColumnLineForeColor",
                                                    "ColumnWidths",
                                                    "ComboBoxIsOpen",
                                                    "Enabled",
                                                    "FillComboBoxMultiColumn",
                                                    "FillComboBoxMultiColumnRecordset",
                                                    "ForeColorNormal",
                                                    "ForeColorSelected",
                                                    "ListCount",
                                                    "ListIndex",
                                                    "ListWidth",
                                                    "ListRows",
                                                    "Locked",
                                                    "RemoveItem",
                                                    "SelectAllTextInTextBox",
                                                    "ShowDropDown",
                                                    "Text",
                                                    "Value"}));
    EXPECT_EQ(ids.size(), names.size()) << "one identifier per member";
    // Within a pair the Get comes first, except for Text.
    for (std::size_t i = 1; i < iface::Members().size(); ++i) {
        const auto& a = iface::Members()[i - 1];
        const auto& b = iface::Members()[i];
        if (a.name != b.name) continue;
        EXPECT_EQ(a.dispid, b.dispid) << a.name;
        const bool getFirst = a.kind == Kind::PropertyGet && b.kind == Kind::PropertyLet;
        EXPECT_EQ(getFirst, a.name != "Text") << a.name;
    }
    std::int32_t number = 0;
    for (const auto& e : iface::Events()) {
        EXPECT_EQ(e.dispid, ++number) << e.name;
        for (const auto& p : e.params)
            EXPECT_EQ(p.passing, iface::Passing::ByRef) << e.name;
    }
    EXPECT_EQ(number, 6);
}

TEST(PublicInterface, EveryPropertyRoundTripsThroughItsIdentifier) {
    SimControl s;
    const struct {
        std::int32_t dispid;
        Variant value;
    } cases[] = {
        {dispid::Appearance, std::int32_t{0}},
        {dispid::BackColorNormal, std::int32_t{0x00FFFF}},
        {dispid::BackColorSelected, std::int32_t{0x1234}},
        {dispid::BoundColumn, std::int16_t{2}},
        {dispid::ColumnCount, std::int16_t{3}},
        {dispid::Enabled, false},
        {dispid::ForeColorNormal, std::int32_t{0xFF}},
        {dispid::ForeColorSelected, std::int32_t{0xFF00}},
        {dispid::ListWidth, std::int16_t{4000}},
        {dispid::ListRows, std::int16_t{12}},
        {dispid::Locked, true},
        {dispid::Text, "typed"},
    };
    for (const auto& c : cases) {
        std::vector<Variant> args{c.value};
        iface::Invoke(s.control(), c.dispid, Kind::PropertyLet, args);
        std::vector<Variant> none;
        const Variant got = iface::Invoke(s.control(), c.dispid, Kind::PropertyGet, none);
        EXPECT_TRUE(VariantEquals(got, c.value)) << std::hex << c.dispid << ": " << CStr(got);
    }
}

TEST(PublicInterface, EveryPublishedOperationIsReachable) {
    SimControl s;
    s.control().ColumnWidths("");
    for (const auto& m : iface::Members()) {
        std::vector<Variant> args;
        for (const auto& p : m.params) {
            if (p.type == "String")
                args.emplace_back("1");
            else if (p.type == "Database" || p.type == "Variant")
                args.push_back(Variant::Null());
            else
                args.emplace_back(std::int16_t{1});
        }
        const std::int32_t error =
            ErrorOf([&] { iface::Invoke(s.control(), m.dispid, m.kind, args); });
        EXPECT_NE(error, vberr::NoSuchMember) << m.name;
    }
}

TEST(PublicInterface, WriteOnlyAndUnknownMembersFailAsTheDispatchLayerDoes) {
    SimControl s;
    std::vector<Variant> none;
    EXPECT_EQ(ErrorOf([&] {
                  iface::Invoke(s.control(), dispid::ColumnLineForeColor, Kind::PropertyGet, none);
              }),
              vberr::WriteOnlyProperty);
    EXPECT_EQ(
        ErrorOf([&] { iface::Invoke(s.control(), dispid::ColumnWidths, Kind::PropertyGet, none); }),
        vberr::WriteOnlyProperty);
    EXPECT_EQ(ErrorOf([&] { iface::Invoke(s.control(), 0x60030099, Kind::Method, none); }),
              vberr::NoSuchMember);
    EXPECT_EQ(ErrorOf([&] { iface::Invoke(s.control(), dispid::AddItem, Kind::Method, none); }),
              449);  // a missing argument
    // The default member answers identifier 0.
    EXPECT_TRUE(iface::Invoke(s.control(), iface::DISPID_VALUE, Kind::PropertyGet, none).IsNull());
}

}  // namespace
}  // namespace cp::test
