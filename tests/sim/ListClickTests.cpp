// The form host raises the list's click notification for a user's press only when the press
// changed the list's selection, although the list reports every release.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/sim/Form.h"
#include "platform/sim/SimWindowApi.h"
#include "platform/sim/User.h"
#include "platform/sim/World.h"
#include "tests/sim/RecordingControl.h"
#include "tests/sim/SimTestSupport.h"

namespace cp::sim::test {
namespace {

constexpr float kRowTwips = 225;

float RowY(int row) {
    return row * kRowTwips + 30;
}

TEST(ListClickTest, OnlyAPressThatChangesTheSelectionRaisesTheClick) {
    std::vector<std::string> log;
    World world;
    Form form{world};
    User user{world};
    ControlHost& host = form.AddControl([&](const ControlSite& site) {
        auto c = std::make_unique<RecordingControl>(site, log);
        c->onInitialize = [] { ConvertNextListBox(); };
        return c;
    });
    const HWND list = host.ListHwnd();
    SendMessage(list, LB_SETCOUNT, 5, 0);
    host.ListBox().SetVisible(true);
    SendMessage(list, LB_SETCURSEL, 2, 0);  // as the control's tracking selects

    log.clear();
    user.Click(list, 0, RowY(2));
    EXPECT_EQ(std::count(log.begin(), log.end(), "Click(2)"), 0);

    log.clear();
    user.Click(list, 0, RowY(3));
    EXPECT_EQ(log, (std::vector<std::string>{"ListMouseDown(1,0,0,705)", "Click(3)",
                                             "ListMouseUp(1,0,0,705)"}));

    // A drag that comes back to the row it started from changed nothing.
    log.clear();
    user.MouseDown(list, 0, RowY(3));
    user.MouseMove(list, 0, RowY(4));
    user.MouseMove(list, 0, RowY(3));
    user.MouseUp(list, 0, RowY(3));
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const std::string& e) { return e.starts_with("Click"); }),
              0);
}

}  // namespace
}  // namespace cp::sim::test
