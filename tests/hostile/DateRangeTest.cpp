// Dates that the host runtime cannot show: outside the years 100 to 9999, infinite or not a
// number. Whichever way one reaches a text conversion, it is an overflow there and nothing of
// it is stored.
#include <gtest/gtest.h>

#include <limits>

#include "control/PublicInterface.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kFirstDay = -657434;  // 1 January 100
constexpr double kLastDay = 2958465;   // 31 December 9999

// Day counts; the last is just beyond what a 64-bit day count holds.
const double kUnshowable[] = {
    kLargest,     -kLargest,     kInfinity, -kInfinity, std::numeric_limits<double>::quiet_NaN(),
    kLastDay + 1, kFirstDay - 1, 9.3e18};

TEST(DateText, TheShowableDaysConvertAndAnUnshowableDateIsAnOverflow) {
    EXPECT_EQ(CStr(Variant(Date{kFirstDay})), "1/1/100");
    EXPECT_EQ(CStr(Variant(Date{kLastDay})), "12/31/9999");
    EXPECT_EQ(CStr(Variant(Date{kLastDay + 0.5})), "12/31/9999 12:00:00 PM");
    EXPECT_EQ(CStr(Variant(Date{kFirstDay - 0.5})), "1/1/100 12:00:00 PM");
    for (const double day : kUnshowable) {
        EXPECT_EQ(ErrorOf([&] { CStr(Variant(Date{day})); }), vberr::Overflow) << day;
        EXPECT_EQ(ErrorOf([&] { DisplayText(Variant(Date{day})); }), vberr::Overflow) << day;
    }
}

TEST(DateText, AnUnshowableDateForAStringArgumentOrAStoredTextFailsAndStoresNothing) {
    SimControl s;
    s.Fill(2, "1000;1000", "1;one;2;two");
    s.control().Text("on");
    const std::string before = s.control().Text();
    // Which dates are unshowable is the conversion's own rule, checked above.
    for (const auto& [dispid, kind] : {std::pair{iface::dispid::AddItem, iface::Kind::Method},
                                       std::pair{iface::dispid::AddList, iface::Kind::Method},
                                       std::pair{iface::dispid::Text, iface::Kind::PropertyLet}}) {
        std::vector<Variant> args{Variant(Date{kLastDay + 1})};
        EXPECT_EQ(ErrorOf([&, dispid = dispid, kind = kind] {
                      iface::Invoke(s.control(), dispid, kind, args);
                  }),
                  vberr::Overflow)
            << "member " << std::hex << dispid;
    }
    EXPECT_EQ(s.control().ListCount(), 2);
    EXPECT_EQ(s.control().Text(), before);
    EXPECT_TRUE(s.world().MessageBoxes().empty());

    // Stored, such a text fails the load and leaves the field empty.
    auto loaded = SimControl::LoadedWith("Text", Variant(Date{kLastDay + 1}));
    ASSERT_EQ(loaded->world().HostErrors().size(), 1u);
    EXPECT_EQ(loaded->world().HostErrors()[0].notification, "UserControl_ReadProperties");
    EXPECT_EQ(loaded->world().HostErrors()[0].number, vberr::Overflow);
    EXPECT_EQ(loaded->control().Text(), "");
}

}  // namespace
}  // namespace cp::test
