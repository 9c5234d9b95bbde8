#include <gtest/gtest.h>

#include <functional>

#include "control/Startup.h"
#include "runtime/RuntimeError.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

struct Rejection {
    const char* name;
    std::function<void(ColumnPick&)> put;
    std::function<std::int32_t(ColumnPick&)> read;
    std::int32_t kept;
    std::int32_t error;
    const char* message;
};

std::vector<Rejection> Rejections() {
    return {
        {"ListRows 1", [](ColumnPick& c) { c.ListRows(1); },
         [](ColumnPick& c) { return c.ListRows(); }, 8, 777,
         "The value for this property can vary between 2 and 15."},
        {"ListRows 16", [](ColumnPick& c) { c.ListRows(16); },
         [](ColumnPick& c) { return c.ListRows(); }, 8, 777,
         "The value for this property can vary between 2 and 15."},
        {"ListWidth 389", [](ColumnPick& c) { c.ListWidth(389); },
         [](ColumnPick& c) { return c.ListWidth(); }, -1, 776,
         "The minimum value for this property is 390."},
        {"ListWidth -2", [](ColumnPick& c) { c.ListWidth(-2); },
         [](ColumnPick& c) { return c.ListWidth(); }, -1, 776,
         "The minimum value for this property is 390."},
        {"BoundColumn -1", [](ColumnPick& c) { c.BoundColumn(-1); },
         [](ColumnPick& c) { return c.BoundColumn(); }, 0, 774,
         "The minimum value for this property is 0."},
        {"ColumnCount 0", [](ColumnPick& c) { c.ColumnCount(0); },
         [](ColumnPick& c) { return c.ColumnCount(); }, 1, 775,
         "The number of columns must be 1 or more."},
    };
}

TEST(PropertyValues, OutOfRangeIsAMessageOnceStarted) {
    for (const Rejection& r : Rejections()) {
        SimControl s;
        r.put(s.control());
        EXPECT_EQ(r.read(s.control()), r.kept) << r.name;
        ASSERT_EQ(s.world().MessageBoxes().size(), 1u) << r.name;
        EXPECT_EQ(s.world().MessageBoxes()[0].prompt, r.message) << r.name;
        EXPECT_EQ(s.world().MessageBoxes()[0].buttons, vbOKOnly) << r.name;
        EXPECT_FALSE(s.world().MessageBoxes()[0].title.has_value()) << r.name;
        EXPECT_TRUE(s.host().PropertyChangedKeys().empty()) << r.name;
    }
}

TEST(PropertyValues, OutOfRangeIsARunTimeErrorBeforeTheStart) {
    for (const Rejection& r : Rejections()) {
        SimControlOptions options;
        options.started = false;
        SimControl s(options);
        try {
            r.put(s.control());
            ADD_FAILURE() << r.name << ": no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.Number(), r.error) << r.name;
            EXPECT_EQ(e.Description(), r.message) << r.name;
        }
        EXPECT_EQ(r.read(s.control()), r.kept) << r.name;
        EXPECT_TRUE(s.world().MessageBoxes().empty()) << r.name;
    }
    gblnStarted = true;
}

TEST(PropertyValues, AcceptedValuesAreStoredAndReported) {
    SimControl s;
    ColumnPick& c = s.control();
    c.ListRows(2);
    c.ListRows(15);
    c.ListWidth(390);
    c.ListWidth(5000);
    c.ListWidth(-1);
    c.BackColorSelected(0x00FF00);
    c.ForeColorSelected(0x0000FF);
    c.ColumnLineForeColor(0x123456);  // not persisted: no PropertyChanged
    EXPECT_EQ(c.ListRows(), 15);
    EXPECT_EQ(c.ListWidth(), -1);
    EXPECT_EQ(s.probe().lngColumnLineForeColor(), 0x123456);
    EXPECT_EQ(s.host().PropertyChangedKeys(),
              (std::vector<std::string>{"ListRows", "ListRows", "ListWidth", "ListWidth",
                                        "ListWidth", "BackColorSelected", "ForeColorSelected"}));
}

TEST(PropertyValues, NormalColoursReachTheChildrenTranslated) {
    SimControl s;
    constexpr OLE_COLOR kWindowText = static_cast<OLE_COLOR>(0x80000008u);
    s.control().BackColorNormal(kWindowText);
    s.control().ForeColorNormal(0x0000FF);
    EXPECT_EQ(s.control().BackColorNormal(), kWindowText);
    const auto rgb = static_cast<OLE_COLOR>(GetSysColor(8));
    EXPECT_EQ(s.host().TextBox().BackColor(), rgb);
    EXPECT_EQ(s.host().TextBox().ForeColor(), 0x0000FF);
}

TEST(PropertyValues, AppearanceTakesAnyByte) {
    SimControl s;
    s.control().Appearance(static_cast<typAppearance>(7));
    EXPECT_EQ(s.control().Appearance(), 7);
    try {
        s.control().Appearance(static_cast<typAppearance>(300));
        ADD_FAILURE() << "no overflow";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), vberr::Overflow);
    }
    EXPECT_EQ(s.control().Appearance(), 7);
}

TEST(PropertyValues, LockedIsIgnoredWhileTheListIsOpen) {
    SimControl s;
    s.probe().blnComboBoxIsOpen() = true;
    s.control().Locked(true);
    EXPECT_FALSE(s.control().Locked());
    EXPECT_TRUE(s.host().PropertyChangedKeys().empty());
    s.probe().blnComboBoxIsOpen() = false;
    s.control().Locked(true);
    EXPECT_TRUE(s.control().Locked());
    EXPECT_TRUE(s.host().TextBox().Locked());
}

TEST(PropertyValues, EnabledReachesTheHostAndTheEditField) {
    SimControl s;
    s.control().Enabled(false);
    EXPECT_FALSE(s.control().Enabled());
    EXPECT_FALSE(s.host().TextBox().Enabled());
    EXPECT_EQ(s.host().PropertyChangedKeys().back(), "Enabled");
}

}  // namespace
}  // namespace cp::test
