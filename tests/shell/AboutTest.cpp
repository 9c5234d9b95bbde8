#include <gtest/gtest.h>

#include "control/PublicInterface.h"
#include "platform/sim/ModalForms.h"
#include "runtime/RuntimeError.h"
#include "shell/AboutPictures.h"
#include "shell/frmAbout.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

TEST(About, TheHostsAboutCommandShowsTheSameBoxEachTime) {
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
}

TEST(About, TheBoxHasItsSizeLabelsTextBoxAndPicturesOfTheirSizes) {
    const FormDesign& box = AboutBoxDesign();
    EXPECT_EQ(box.clientWidth, 5865);
    EXPECT_EQ(box.clientHeight, 3630);
    int labels = 0;
    for (const FormChild& child : box.children) {
        SCOPED_TRACE(std::string(child.name));
        if (child.kind == FormChildKind::Label) {
            ++labels;
            EXPECT_EQ(child.text, "2.11  19-feb-2002");
        }
        if (child.kind != FormChildKind::Picture) continue;
        ASSERT_NE(child.picture, nullptr);
        const PicturePixels p = child.picture();
        // Each picture fills its place at the fixed 15 twips per pixel.
        EXPECT_EQ(p.pixels.size(), static_cast<std::size_t>(p.width * p.height));
        EXPECT_EQ(p.width * 15, static_cast<int>(child.width));
        EXPECT_EQ(p.height * 15, static_cast<int>(child.height));
    }
    EXPECT_EQ(labels, 3);
}

TEST(About, AFailureToShowTheBoxReachesTheCaller) {
    SimControl s;
    s.world().FailNext("ShowModalForm", vberr::OutOfMemory);
    try {
        s.control().About();
        ADD_FAILURE() << "the failure was swallowed";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), vberr::OutOfMemory);
    }
}

}  // namespace
}  // namespace cp::test
