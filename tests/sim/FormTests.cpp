// The simulated form's own rules: the line objects drawn over the control's pixels, and its
// end. The rules that both hosts share are scenarios (HostScenario).
#include <gtest/gtest.h>

#include "platform/sim/Form.h"
#include "platform/sim/SimWindowApi.h"
#include "platform/sim/User.h"
#include "platform/sim/World.h"
#include "tests/scenarios/RecordingControl.h"

namespace cp::sim::test {
namespace {

using cp::test::RecordingControl;

thread_local std::vector<std::string>* hookLog = nullptr;
thread_local WNDPROC formProc = nullptr;

LRESULT FormWatcher(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) hookLog->push_back("Form WM_DESTROY");
    return CallWindowProc(formProc, hwnd, message, wParam, lParam);
}

class FormTest : public ::testing::Test {
protected:
    FormTest() { hookLog = &log; }
    ControlHost& Place(const std::function<void(RecordingControl&)>& prepare = {}) {
        return form.AddControl([&](const ControlSite& site) {
            auto c = std::make_unique<RecordingControl>(site, &log);
            if (prepare) prepare(*c);
            return c;
        });
    }

    std::vector<std::string> log;  // outlives the form, whose end the controls still report
    World world;
    Form form{world};
    User user{world};
};

TEST_F(FormTest, TheLinesAreDrawnOverThePaintAndALineChangeErasesWhatItUncovers) {
    constexpr COLORREF kRed = 0x0000FF;
    constexpr COLORREF kButtonFace = 0xC0C0C0;
    ControlHost& host = Place([](RecordingControl& c) {
        c.onPaint = [&c] {
            const HBRUSH red = CreateSolidBrush(kRed);
            const RECT part{20, 0, 40, 21};
            FillRect(c.site.UserControl.hDC(), &part, red);
            DeleteObject(red);
        };
    });
    const HWND window = host.Hwnd();
    EXPECT_EQ(sim::GetPixel(window, 2, 2), kButtonFace) << "erased in the default BackColor";
    EXPECT_EQ(sim::GetPixel(window, 25, 10), kRed);
    EXPECT_EQ(sim::GetPixel(window, 25, 1), 0u) << "the inner top line, over the paint";
    EXPECT_EQ(sim::GetPixel(window, 0, 20), 0xFFFFFFu) << "the outer bottom line's end point";
    EXPECT_EQ(sim::GetPixel(window, 1, 10), 0u);

    host.ControlAs<RecordingControl>().site.linInnerLeft.SetVisible(false);
    EXPECT_EQ(sim::GetPixel(window, 1, 10), 0u) << "nothing is painted until asked for";
    UpdateWindow(window);
    EXPECT_EQ(sim::GetPixel(window, 1, 10), kButtonFace);
    EXPECT_EQ(sim::GetPixel(window, 25, 10), kRed);
}

TEST_F(FormTest, DestroyingTheFormDestroysItsWindowsThenTerminatesTheControls) {
    ControlHost& host = Place();
    const HWND list = host.ListHwnd();
    SetParent(list, nullptr);  // a floating list goes too
    formProc = reinterpret_cast<WNDPROC>(
        SetWindowLong(form.Hwnd(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(FormWatcher)));
    log.clear();
    user.DestroyForm(form);
    EXPECT_EQ(log, (std::vector<std::string>{"Form WM_DESTROY", "Terminate"}));
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(world.Windows().Count(), 0u);
    EXPECT_EQ(world.Graphics().Live(), GdiCounts{});
}

}  // namespace
}  // namespace cp::sim::test
