#include <gtest/gtest.h>

#include <set>

#include "control/PublicInterface.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

using iface::Kind;

std::int32_t ErrorNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

TEST(PublicInterface, PublishesTwentyNineMembersInOrder) {
    std::vector<std::string_view> names;
    for (const auto& m : iface::Members()) {
        if (names.empty() || names.back() != m.name) names.push_back(m.name);
    }
    const std::vector<std::string_view> published = {"About",
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
                                                     "Value"};
    EXPECT_EQ(names, published);
    // Within a pair the Get comes first, except for Text.
    for (std::size_t i = 1; i < iface::Members().size(); ++i) {
        const auto& a = iface::Members()[i - 1];
        const auto& b = iface::Members()[i];
        if (a.name != b.name) continue;
        EXPECT_EQ(a.dispid, b.dispid) << a.name;
        const bool getFirst = a.kind == Kind::PropertyGet && b.kind == Kind::PropertyLet;
        EXPECT_EQ(getFirst, a.name != "Text") << a.name;
    }
    EXPECT_EQ(iface::DefaultMember(), "Value");
    EXPECT_EQ(iface::DefaultEvent(), "AfterUpdate");
}

TEST(PublicInterface, EventsCarryTheirNumbersAndByReferenceArguments) {
    const std::vector<std::pair<std::string_view, std::int32_t>> expected = {
        {"AfterUpdate", 1}, {"KeyDown", 2}, {"KeyPress", 3},
        {"KeyUp", 4},       {"Change", 5},  {"NotInList", 6}};
    ASSERT_EQ(iface::Events().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(iface::Events()[i].name, expected[i].first);
        EXPECT_EQ(iface::Events()[i].dispid, expected[i].second);
        for (const auto& p : iface::Events()[i].params) {
            EXPECT_EQ(p.passing, iface::Passing::ByRef) << expected[i].first;
        }
    }
}

TEST(PublicInterface, EveryPropertyRoundTripsThroughItsIdentifier) {
    SimControl s;
    const struct {
        std::int32_t dispid;
        Variant value;
    } cases[] = {
        {0x68030012, std::int32_t{0}},
        {0x68030010, std::int32_t{0x00FFFF}},
        {0x6803000F, std::int32_t{0x1234}},
        {0x6803000E, std::int16_t{2}},
        {0x6803000C, std::int16_t{3}},
        {0x68030008, false},
        {0x68030007, std::int32_t{0xFF}},
        {0x68030006, std::int32_t{0xFF00}},
        {0x68030003, std::int16_t{4000}},
        {0x68030002, std::int16_t{12}},
        {0x68030001, true},
        {0x68030000, "typed"},
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
            ErrorNumber([&] { iface::Invoke(s.control(), m.dispid, m.kind, args); });
        EXPECT_NE(error, vberr::NoSuchMember) << m.name;
    }
}

TEST(PublicInterface, WriteOnlyAndUnknownMembersFailAsTheDispatchLayerDoes) {
    SimControl s;
    std::vector<Variant> none;
    EXPECT_EQ(ErrorNumber([&] { iface::Invoke(s.control(), 0x6803000B, Kind::PropertyGet, none); }),
              vberr::WriteOnlyProperty);
    EXPECT_EQ(ErrorNumber([&] { iface::Invoke(s.control(), 0x6803000A, Kind::PropertyGet, none); }),
              vberr::WriteOnlyProperty);
    EXPECT_EQ(ErrorNumber([&] { iface::Invoke(s.control(), 0x60030099, Kind::Method, none); }),
              vberr::NoSuchMember);
    EXPECT_EQ(ErrorNumber([&] { iface::Invoke(s.control(), 0x60030013, Kind::Method, none); }),
              449);  // a missing argument
    // The default member answers identifier 0.
    EXPECT_TRUE(iface::Invoke(s.control(), iface::DISPID_VALUE, Kind::PropertyGet, none).IsNull());
}

TEST(PublicInterface, TheIdentitiesAreThePublishedOnes) {
    EXPECT_EQ(iface::Ids().coclass, "{B10DFE5A-7887-11D5-9980-00C0A836120A}");
    EXPECT_EQ(iface::Ids().defaultInterface, "{53AFD7C6-2567-11D6-9982-00C0A836120A}");
    EXPECT_EQ(iface::Enumerations()[0].members[2].name, "lb3D");
    EXPECT_EQ(iface::Enumerations()[0].members[2].value, lb3D);
    std::set<std::int32_t> ids;
    for (const auto& m : iface::Members())
        ids.insert(m.dispid);
    EXPECT_EQ(ids.size(), 29u) << "one identifier per member";
    EXPECT_TRUE(ids.count(iface::DISPID_ABOUTBOX));
}

}  // namespace
}  // namespace cp::test
