#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "control/PublicInterface.h"
#include "reports/Startup.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

using iface::Kind;
namespace dispid = iface::dispid;

struct Rejection {
    std::int32_t dispid;
    Variant value;
    std::int32_t kept;
    std::int32_t error;
    const char* message;
};

const Rejection kRejections[] = {
    {dispid::ListRows, std::int16_t{1}, 8, 777,
     "The value for this property can vary between 2 and 15."},
    {dispid::ListRows, std::int16_t{16}, 8, 777,
     "The value for this property can vary between 2 and 15."},
    {dispid::ListWidth, std::int16_t{389}, -1, 776, "The minimum value for this property is 390."},
    {dispid::ListWidth, std::int16_t{-2}, -1, 776, "The minimum value for this property is 390."},
    {dispid::BoundColumn, std::int16_t{-1}, 0, 774, "The minimum value for this property is 0."},
    {dispid::ColumnCount, std::int16_t{0}, 1, 775, "The number of columns must be 1 or more."},
};

std::string_view NameOf(std::int32_t id) {
    for (const auto& m : iface::Members())
        if (m.dispid == id) return m.name;
    return "?";
}

// Puts the rejected value and answers the run-time error it raised, if any.
std::optional<RuntimeError> Put(ColumnPick& control, const Rejection& r) {
    std::vector<Variant> args{r.value};
    try {
        iface::Invoke(control, r.dispid, Kind::PropertyLet, args);
    } catch (const RuntimeError& e) {
        return e;
    }
    return std::nullopt;
}

std::int32_t Read(ColumnPick& control, const Rejection& r) {
    std::vector<Variant> none;
    return CLng(iface::Invoke(control, r.dispid, Kind::PropertyGet, none));
}

TEST(PropertyValues, OutOfRangeIsAMessageOnceStartedAndARunTimeErrorBefore) {
    for (const Rejection& r : kRejections) {
        SCOPED_TRACE(std::string(NameOf(r.dispid)) + " = " + CStr(r.value));
        SimControl s;
        EXPECT_FALSE(Put(s.control(), r));
        EXPECT_EQ(Read(s.control(), r), r.kept);
        ASSERT_EQ(s.Prompts(), std::vector<std::string>{r.message});
        EXPECT_EQ(s.world().MessageBoxes()[0].buttons, vbOKOnly);
        EXPECT_FALSE(s.world().MessageBoxes()[0].title.has_value());
        EXPECT_TRUE(s.host().PropertyChangedKeys().empty());

        SimControl before({.started = Started::No});
        const std::optional<RuntimeError> error = Put(before.control(), r);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Number(), r.error);
        EXPECT_EQ(error->Description(), r.message);
        EXPECT_EQ(Read(before.control(), r), r.kept);
        EXPECT_TRUE(before.world().MessageBoxes().empty());
    }
}

TEST(PropertyValues, AcceptedValuesAreStoredReportedAndReachTheChildren) {
    SimControl s;
    ColumnPick& c = s.control();
    c.ListRows(2);
    c.ListRows(15);
    c.ListWidth(390);
    c.ListWidth(5000);
    c.ListWidth(-1);
    c.BoundColumn(5);  // no upper limit
    c.BackColorSelected(0x00FF00);
    c.ForeColorSelected(0x0000FF);
    c.ColumnLineForeColor(0x123456);  // not persisted: no PropertyChanged
    EXPECT_EQ((std::tuple{c.ListRows(), c.ListWidth(), c.BoundColumn()}), (std::tuple{15, -1, 5}));
    EXPECT_EQ(
        s.host().PropertyChangedKeys(),
        (std::vector<std::string>{"ListRows", "ListRows", "ListWidth", "ListWidth", "ListWidth",
                                  "BoundColumn", "BackColorSelected", "ForeColorSelected"}));

    // Colours reach the children translated; Appearance takes any byte; Locked is ignored while
    // the list is open; Enabled reaches the host and the edit field.
    constexpr OLE_COLOR kWindowText = static_cast<OLE_COLOR>(0x80000008u);
    c.BackColorNormal(kWindowText);
    c.ForeColorNormal(0x0000FF);
    EXPECT_EQ(c.BackColorNormal(), kWindowText);
    EXPECT_EQ(s.host().TextBox().BackColor(), static_cast<OLE_COLOR>(GetSysColor(8)));
    EXPECT_EQ(s.host().TextBox().ForeColor(), 0x0000FF);

    c.Appearance(static_cast<typAppearance>(7));
    EXPECT_EQ(ErrorOf([&] { c.Appearance(static_cast<typAppearance>(300)); }), vberr::Overflow);
    EXPECT_EQ(c.Appearance(), 7);

    c.ShowDropDown();
    c.Locked(true);
    EXPECT_FALSE(c.Locked());
    EXPECT_EQ(s.host().PropertyChangedKeys().back(), "Appearance");
    c.HideListBox(AfterHide::LeaveFocus);
    c.Locked(true);
    EXPECT_EQ((std::pair{c.Locked(), s.host().TextBox().Locked()}), (std::pair{true, true}));

    c.Enabled(false);
    EXPECT_EQ((std::tuple{c.Enabled(), s.host().TextBox().Enabled(),
                          s.host().PropertyChangedKeys().back()}),
              (std::tuple{false, false, "Enabled"}));
}

}  // namespace
}  // namespace cp::test
