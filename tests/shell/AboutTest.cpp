#include <gtest/gtest.h>

#include "control/PublicInterface.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

TEST(About, TheHostsAboutCommandShowsTheBoxEachTime) {
    SimControl s;
    std::vector<Variant> none;
    iface::Invoke(s.control(), iface::DISPID_ABOUTBOX, iface::Kind::Method, none);
    s.control().About();
    ASSERT_EQ(s.world().MessageBoxes().size(), 2u);
    for (const auto& box : s.world().MessageBoxes()) {
        EXPECT_EQ(box.title, "Info about ColumnPick");
        EXPECT_NE(box.prompt.find("2.11  19-feb-2002"), std::string::npos);
    }
}

}  // namespace
}  // namespace cp::test
