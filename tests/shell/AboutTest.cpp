#include <gtest/gtest.h>

#include "control/PublicInterface.h"
#include "platform/sim/ModalForms.h"
#include "runtime/RuntimeError.h"
#include "shell/AboutPictures.h"
#include "shell/frmAbout.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

TEST(About, TheHostsAboutCommandShowsTheSameBoxEachTimeOrFailsToTheCaller) {
    SimControl s;
    sim::ShownForms().clear();
    std::vector<Variant> none;
    iface::Invoke(s.control(), iface::DISPID_ABOUTBOX, iface::Kind::Method, none);
    s.control().About();
    ASSERT_EQ(sim::ShownForms().size(), 2u);
    EXPECT_EQ(sim::ShownForms()[0].caption, "Info about ColumnPick");
    EXPECT_EQ(sim::ShownForms()[1].name, sim::ShownForms()[0].name);
    EXPECT_EQ(sim::ShownForms()[1].showsOfThisForm, sim::ShownForms()[0].showsOfThisForm + 1);
    EXPECT_TRUE(s.world().MessageBoxes().empty());
    // A failure to show it reaches the caller.
    s.world().FailNext("ShowModalForm", vberr::OutOfMemory);
    EXPECT_EQ(ErrorOf([&] { s.control().About(); }), vberr::OutOfMemory);
}

// Each picture fills its place at the fixed 15 twips per pixel.
TEST(About, EachPictureHasThePixelsOfItsPlace) {
    for (const FormChild& child : AboutBoxDesign().children) {
        if (child.kind != FormChildKind::Picture) continue;
        SCOPED_TRACE(std::string(child.name));
        ASSERT_NE(child.picture, nullptr);
        const PicturePixels p = child.picture();
        EXPECT_EQ(p.pixels.size(), static_cast<std::size_t>(p.width * p.height));
        EXPECT_EQ(p.width * 15, static_cast<int>(child.width));
        EXPECT_EQ(p.height * 15, static_cast<int>(child.height));
    }
}

}  // namespace
}  // namespace cp::test
