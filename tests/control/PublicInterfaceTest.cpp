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
// their identifiers: the two halves of a property share one identifier, Get before Let (Text
// alone the other way round), and the events are numbered from 1 with every argument by
// reference.
TEST(PublicInterface, TheMembersKeepTheirPublishedFormAndFailAsTheDispatchLayerDoes) {
    std::set<std::string_view> names;
    std::set<std::int32_t> ids;
    for (const auto& m : iface::Members()) {
        names.insert(m.name);
        ids.insert(m.dispid);
    }
    EXPECT_EQ(ids.size(), names.size()) << "one identifier per member";
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

    // A missing argument is error 449; the default member answers identifier 0.
    SimControl s;
    std::vector<Variant> none;
    const auto error = [&](std::int32_t id, Kind kind) {
        return ErrorOf([&] { iface::Invoke(s.control(), id, kind, none); });
    };
    EXPECT_EQ((std::vector<std::int32_t>{error(dispid::ColumnLineForeColor, Kind::PropertyGet),
                                         error(dispid::ColumnWidths, Kind::PropertyGet),
                                         error(0x60030099, Kind::Method),
                                         error(dispid::AddItem, Kind::Method)}),
              (std::vector<std::int32_t>{vberr::WriteOnlyProperty, vberr::WriteOnlyProperty,
                                         vberr::NoSuchMember, 449}));
    EXPECT_TRUE(iface::Invoke(s.control(), iface::DISPID_VALUE, Kind::PropertyGet, none).IsNull());

    // Every published operation is reachable.
    s.control().ColumnWidths("");
    for (const auto& m : iface::Members()) {
        std::vector<Variant> args;
        for (const auto& p : m.params)
            args.push_back(p.type == "String" ? Variant("1")
                           : p.type == "Database" || p.type == "Variant"
                               ? Variant::Null()
                               : Variant(std::int16_t{1}));
        EXPECT_NE(ErrorOf([&] { iface::Invoke(s.control(), m.dispid, m.kind, args); }),
                  vberr::NoSuchMember)
            << m.name;
    }
}

}  // namespace
}  // namespace cp::test
