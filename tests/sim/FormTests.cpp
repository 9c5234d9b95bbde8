#include <gtest/gtest.h>

#include "platform/sim/Form.h"
#include "platform/sim/PropertyStore.h"
#include "platform/sim/SimWindowApi.h"
#include "platform/sim/User.h"
#include "platform/sim/World.h"
#include "runtime/RuntimeError.h"
#include "tests/sim/RecordingControl.h"
#include "tests/sim/SimTestSupport.h"

namespace cp::sim::test {
namespace {

thread_local std::vector<std::string>* hookLog = nullptr;
thread_local HHOOK watcher = nullptr;
thread_local WNDPROC formProc = nullptr;

LRESULT CreationWatcher(int code, WPARAM wParam, LPARAM lParam) {
    const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (cwp->message == WM_CREATE) hookLog->push_back("Created(" + GetClassName(cwp->hwnd) + ")");
    return CallNextHookEx(watcher, code, wParam, lParam);
}

LRESULT FormWatcher(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) hookLog->push_back("Form WM_DESTROY");
    return CallWindowProc(formProc, hwnd, message, wParam, lParam);
}

class FormTest : public ::testing::Test {
protected:
    FormTest() { hookLog = &log; }
    ~FormTest() override {
        if (watcher) UnhookWindowsHookEx(watcher);
        watcher = nullptr;
    }
    ControlHost& Place(ControlPlacement placement = {}) {
        ControlHost& host = form.AddControl(
            [this](const ControlSite& site) {
                auto c = std::make_unique<RecordingControl>(site, log);
                control = c.get();
                if (prepare) prepare(*c);
                return c;
            },
            placement);
        return host;
    }
    // A control whose list is data-less, as a creation hook makes it, with rows to select.
    ControlHost& PlaceWithRows(int rows) {
        prepare = [](RecordingControl& c) { c.onInitialize = [] { ConvertNextListBox(); }; };
        ControlHost& host = Place();
        SendMessage(host.ListHwnd(), LB_SETCOUNT, static_cast<WPARAM>(rows), 0);
        log.clear();
        return host;
    }

    std::vector<std::string> log;  // outlives the form, whose end the controls still report
    World world;
    Form form{world};
    User user{world};
    RecordingControl* control = nullptr;
    std::function<void(RecordingControl&)> prepare;
};

TEST_F(FormTest, StartUpRunsInTheHostsOrderAndTheListIsCreatedAfterInitialize) {
    prepare = [this](RecordingControl& c) {
        c.onInitialize = [this] {
            watcher = SetWindowsHookEx(WH_CALLWNDPROC, CreationWatcher, world.AppInstance(),
                                       world.ThreadId());
        };
    };
    ControlHost& host = Place();
    EXPECT_EQ(log, (std::vector<std::string>{"Initialize", "Created(ThunderRT6ListBox)",
                                             "InitProperties", "Resize", "Paint"}));
    EXPECT_EQ(GetParent(host.ListHwnd()), host.Hwnd());
    EXPECT_FALSE(IsWindowVisible(host.ListHwnd()));
    EXPECT_EQ(host.UserControl().ParentHwnd(), form.Hwnd());
    RECT edit{};
    GetWindowRect(host.EditHwnd(), &edit);
    EXPECT_EQ(edit, (RECT{43, 43, 40 + 147, 59}));  // 45 twips in, 240 twips high

    UnhookWindowsHookEx(std::exchange(watcher, nullptr));
    prepare = nullptr;
    PropertyStore saved;
    saved.Set("Text", "hello");
    log.clear();
    ControlPlacement placement;
    placement.properties = &saved;
    Place(placement);
    EXPECT_EQ(log,
              (std::vector<std::string>{"Initialize", "ReadProperties(hello)", "Resize", "Paint"}));
}

TEST_F(FormTest, PutsOfTextAndListIndexNotifyBeforeTheyReturn) {
    ControlHost& host = PlaceWithRows(5);
    host.TextBox().SetText("new");
    log.push_back("returned");
    host.ListBox().SetListIndex(2);
    log.push_back("returned");
    host.ListBox().SetListIndex(2);  // every put notifies
    SendMessage(host.ListHwnd(), LB_SETCURSEL, 3, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"Change(new)", "returned", "Click(2)", "returned",
                                             "Click(2)"}));
    EXPECT_EQ(host.ListBox().ListIndex(), 3);
    EXPECT_THROW(host.ListBox().SetListIndex(5), RuntimeError);
}

TEST_F(FormTest, TypedCharactersRaiseKeyDownKeyPressChangeKeyUp) {
    ControlHost& host = Place();
    user.Focus(host.EditHwnd());
    log.clear();
    user.TypeText("aB\xC3\xA9");
    EXPECT_EQ(log, (std::vector<std::string>{
                       "KeyDown(65,0)", "KeyPress(97)", "Change(a)", "KeyUp(65,0)", "KeyDown(66,1)",
                       "KeyPress(66)", "Change(aB)", "KeyUp(66,1)", "KeyDown(231,0)",
                       "KeyPress(233)", "Change(aB\xC3\xA9)", "KeyUp(231,0)"}));
    log.clear();
    user.PressKey(vbKeyDown, vbAltMask);  // a system key: no character
    user.PressKey(vbKeyReturn);
    EXPECT_EQ(log, (std::vector<std::string>{"KeyDown(40,4)", "KeyUp(40,4)", "KeyDown(13,0)",
                                             "KeyPress(13)", "KeyUp(13,0)"}));
}

TEST_F(FormTest, AnswersOfTheKeyHandlersAreHonoured) {
    prepare = [](RecordingControl& c) {
        c.onKeyPress = [](std::int16_t& k) { k = k == 'x' ? 0 : k == 'a' ? 'b' : k; };
        c.onKeyDown = [](std::int16_t& k) { k = k == vbKeyDelete ? 0 : k; };
    };
    ControlHost& host = Place();
    user.Focus(host.EditHwnd());
    user.TypeText("xa");
    EXPECT_EQ(host.TextBox().Text(), "b");
    SendMessage(host.EditHwnd(), EM_SETSEL, 0, 0);
    user.PressKey(vbKeyDelete);
    EXPECT_EQ(host.TextBox().Text(), "b");
    EXPECT_EQ(std::count(log.begin(), log.end(), "Change(b)"), 1);
}

TEST_F(FormTest, FocusLeavingTheControlRaisesExitFocus) {
    ControlHost& host = PlaceWithRows(5);
    host.ListBox().SetVisible(true);
    user.Focus(host.EditHwnd());
    user.Click(host.ListHwnd(), 0, 30);  // the list takes the focus: still inside the control
    EXPECT_EQ(GetFocus(), host.ListHwnd());
    user.Focus(host.EditHwnd());
    EXPECT_EQ(std::count(log.begin(), log.end(), "ExitFocus"), 0);
    user.MoveFocusAway(form);
    EXPECT_EQ(std::count(log.begin(), log.end(), "ExitFocus"), 1);
    EXPECT_EQ(GetFocus(), form.TextFieldHwnd());
}

TEST_F(FormTest, OnlyAnotherWindowOfTheFormTakesTheFocusFromTheControl) {
    ControlHost& host = PlaceWithRows(5);
    user.Focus(host.EditHwnd());
    SetFocus(nullptr);
    EXPECT_EQ(std::count(log.begin(), log.end(), "ExitFocus"), 0);

    // The list given to the desktop is no window the focus can go to: a press leaves it where
    // it is.
    user.Focus(host.EditHwnd());
    SetParent(host.ListHwnd(), nullptr);
    host.ListBox().SetVisible(true);
    user.Click(host.ListHwnd(), 0, 30);
    EXPECT_EQ(GetFocus(), host.EditHwnd());
    EXPECT_EQ(std::count(log.begin(), log.end(), "ExitFocus"), 0);
}

TEST_F(FormTest, MouseReachesTheControlInTwipsAndTheListAfterItsOwnProcessing) {
    ControlHost& host = PlaceWithRows(5);
    user.HoldKeys(vbShiftMask);
    user.MouseDown(host.Hwnd(), 150, 75, 2);
    user.HoldKeys(0);
    user.MouseMove(host.Hwnd(), 300, 75);
    user.MouseUp(host.Hwnd(), 300, 75, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"MouseDown(2,1,150,75)", "MouseMove(2,0,300,75)",
                                             "MouseUp(2,0,300,75)"}));

    log.clear();
    user.MouseDown(host.ListHwnd(), 0, 450);  // not shown: the user cannot reach it
    host.ListBox().SetVisible(true);
    user.MouseDown(host.ListHwnd(), 0, 450);
    EXPECT_EQ(host.ListBox().ListIndex(), 2);  // selected before the notification
    user.MouseUp(host.ListHwnd(), 0, 450);
    EXPECT_EQ(log, (std::vector<std::string>{"ListMouseDown(1,0,0,450)", "Click(2)",
                                             "ListMouseUp(1,0,0,450)"}));
}

TEST_F(FormTest, HostObjectsReadBackWhatTheWindowsTook) {
    ControlHost& host = Place();
    log.clear();
    host.UserControl().SetWidth(3000);
    log.push_back("returned");
    EXPECT_EQ(log, (std::vector<std::string>{"Resize", "returned"}));
    EXPECT_EQ(host.UserControl().Width(), 3000);

    host.ListBox().SetHeight(1000);  // 67 pixels hold four whole rows
    EXPECT_EQ(host.ListBox().Height(), (2 + 4 * 15) * 15);
    host.ListBox().Move(150, 300, 2250, 3405);
    EXPECT_EQ(host.ListBox().Width(), 2250);
    EXPECT_EQ(host.ListBox().Height(), 3405);

    form.SetAmbient(AmbientMode::Design);
    EXPECT_FALSE(host.UserControl().AmbientUserMode());
    form.SetAmbient(AmbientMode::Unavailable);
    EXPECT_THROW(host.UserControl().AmbientUserMode(), RuntimeError);

    host.UserControl().SetEnabled(false);
    EXPECT_THROW(host.TextBox().SetFocus(), RuntimeError);
}

TEST_F(FormTest, ErrorsEscapingANotificationReachTheHost) {
    prepare = [](RecordingControl& c) { c.onPaint = [] { throw RuntimeError(11); }; };
    ControlHost& host = Place();
    ASSERT_EQ(world.HostErrors().size(), 1u);
    EXPECT_EQ(world.HostErrors()[0].notification, "UserControl_Paint");
    EXPECT_EQ(world.HostErrors()[0].number, 11);
    EXPECT_TRUE(PaintWindow(host.Hwnd()));
    EXPECT_EQ(world.HostErrors().size(), 2u);
}

TEST_F(FormTest, TheLinesAreDrawnOverThePaintAndALineChangeErasesWhatItUncovers) {
    constexpr COLORREF kRed = 0x0000FF;
    constexpr COLORREF kButtonFace = 0xC0C0C0;
    prepare = [](RecordingControl& c) {
        c.onPaint = [&c] {
            const HBRUSH red = CreateSolidBrush(kRed);
            const RECT part{20, 0, 40, 21};
            FillRect(c.site.UserControl.hDC(), &part, red);
            DeleteObject(red);
        };
    };
    ControlHost& host = Place();
    const HWND window = host.Hwnd();
    EXPECT_EQ(sim::GetPixel(window, 2, 2), kButtonFace) << "erased in the default BackColor";
    EXPECT_EQ(sim::GetPixel(window, 25, 10), kRed);
    EXPECT_EQ(sim::GetPixel(window, 25, 1), 0u) << "the inner top line, over the paint";
    EXPECT_EQ(sim::GetPixel(window, 0, 20), 0xFFFFFFu) << "the outer bottom line's end point";
    EXPECT_EQ(sim::GetPixel(window, 1, 10), 0u);

    control->site.linInnerLeft.SetVisible(false);
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
