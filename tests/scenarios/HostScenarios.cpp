// The form host's rules as a control sees them, the same on both platforms: a recording control
// stands in for the real one, so that what is checked is the host's part alone.
#include <gtest/gtest.h>

#include "runtime/RuntimeError.h"
#include "tests/scenarios/Driver.h"
#include "tests/scenarios/RecordingControl.h"

namespace cp::test {
namespace {

using Log = std::vector<std::string>;

// A creation hook and subclass written as the control writes its own: the list box created
// after UserControl_Initialize becomes a data-less, owner-drawn list that a count fills.
HHOOK gHook = nullptr;
WNDPROC gListProc = nullptr;

LRESULT CP_CALLBACK ConvertOnCreate(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_CREATE) {
        auto* create = reinterpret_cast<CREATESTRUCT*>(lParam);
        create->style |= static_cast<LONG>(LBS_NODATA | LBS_OWNERDRAWFIXED);
        cp::SetWindowLong(hWnd, GWL_STYLE, create->style);
        cp::SubclassWindow(hWnd, gListProc);
    }
    return cp::CallWindowProc(gListProc, hWnd, uMsg, wParam, lParam);
}

LRESULT CP_CALLBACK WatchCreations(int nCode, WPARAM wParam, LPARAM lParam) {
    const auto* record = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (record->message == WM_CREATE && cp::GetClassName(record->hwnd) == "ThunderRT6ListBox") {
        gListProc = cp::SubclassWindow(record->hwnd, &ConvertOnCreate);
        cp::UnhookWindowsHookEx(gHook);
    }
    return cp::CallNextHookEx(gHook, nCode, wParam, lParam);
}

// A saved form whose store holds the text "hello".
class SavedText final : public PropertyBag {
public:
    Variant ReadProperty(std::string_view key, const Variant& defaultValue) override {
        return key == "Text" ? Variant("hello") : defaultValue;
    }
    void WriteProperty(std::string_view, const Variant&, const Variant&) override {}
};

class HostScenario : public ::testing::Test {
protected:
    // Places a recording control; `prepare` runs before its start-up.
    RecordingControl& Place(const std::function<void(RecordingControl&)>& prepare = {},
                            PropertyBag* saved = nullptr) {
        RecordingControl* made = nullptr;
        driver->AddHosted(
            [&](const ControlSite& site) {
                auto control = std::make_unique<RecordingControl>(site);
                made = control.get();
                if (prepare) prepare(*control);
                return std::unique_ptr<HostedControl>(std::move(control));
            },
            saved);
        return *made;
    }
    // A control whose list is data-less, as the control's creation hook makes it, with rows.
    RecordingControl& PlaceWithRows(int rows) {
        RecordingControl& control = Place([](RecordingControl& c) {
            c.onInitialize = [] {
                gHook = cp::SetWindowsHookEx(WH_CALLWNDPROC, &WatchCreations, host::AppHInstance(),
                                             host::AppThreadID());
            };
        });
        const HWND list = control.site.lstListBox.hWnd();
        cp::SendMessage(list, LB_SETCOUNT, static_cast<WPARAM>(rows), 0);
        EXPECT_EQ(cp::SendMessage(list, LB_GETCOUNT, 0, 0), rows) << "converted at its creation";
        control.log.clear();
        return control;
    }

    std::unique_ptr<Driver> driver = MakeDriver();
};

TEST_F(HostScenario, TheStartUpRunsInTheHostsOrderAndCreatesTheListAfterInitialize) {
    HWND listAtInitialize = reinterpret_cast<HWND>(1);
    RecordingControl& fresh = Place([&](RecordingControl& c) {
        c.onInitialize = [&] { listAtInitialize = c.site.lstListBox.hWnd(); };
    });
    EXPECT_EQ(listAtInitialize, nullptr);
    EXPECT_EQ(fresh.log, (Log{"Initialize", "InitProperties", "Resize", "Paint"}));
    const HWND window = fresh.site.UserControl.hWnd();
    EXPECT_EQ(cp::GetClassName(window), "ThunderRT6UserControlDC");
    EXPECT_EQ(cp::GetParent(window), fresh.site.UserControl.ParentHwnd());
    EXPECT_EQ(cp::GetParent(fresh.site.lstListBox.hWnd()), window);
    EXPECT_FALSE(fresh.site.lstListBox.Visible());
    EXPECT_TRUE(fresh.site.UserControl.AmbientUserMode());

    SavedText saved;
    HWND listAtRead = nullptr;
    RecordingControl& loaded = Place(
        [&](RecordingControl& c) {
            c.onReadProperties = [&] { listAtRead = c.site.lstListBox.hWnd(); };
        },
        &saved);
    EXPECT_EQ(loaded.log, (Log{"Initialize", "ReadProperties(hello)", "Resize", "Paint"}));
    EXPECT_NE(listAtRead, nullptr) << "the list comes before the properties";
}

TEST_F(HostScenario, PutsNotifyBeforeTheyReturn) {
    RecordingControl& c = PlaceWithRows(5);
    TextBox& text = c.site.txtTextBox;
    c.onChange = [&] {
        // A write from inside the change notification notifies again, before it returns.
        if (text.Text() == "ab") text.SetText("abc");
        c.log.push_back("/" + text.Text());
    };
    text.SetText("ab");
    c.onChange = nullptr;
    text.SetText("abc");  // the same text notifies too
    ListBox& list = c.site.lstListBox;
    list.SetListIndex(2);
    c.log.push_back("returned");
    list.SetListIndex(2);  // every put notifies
    cp::SendMessage(list.hWnd(), LB_SETCURSEL, 3, 0);
    c.site.UserControl.SetWidth(3000);
    c.log.push_back("returned");
    EXPECT_EQ(c.log, (Log{"Change", "Change", "/abc", "/abc", "Change", "Click(2)", "returned",
                          "Click(2)", "Resize", "returned"}));
    EXPECT_EQ((std::tuple{list.ListIndex(), c.site.UserControl.Width()}), (std::tuple{3, 3000.0f}));
    EXPECT_THROW(list.SetListIndex(5), RuntimeError);
    // A refused selection keeps the old one.
    EXPECT_EQ(cp::SendMessage(list.hWnd(), LB_SETCURSEL, 7, 0), LB_ERR);
    EXPECT_EQ(list.ListIndex(), 3);
}

TEST_F(HostScenario, KeysComeInOrderAndTheirArgumentsComeBackByReference) {
    RecordingControl& c = Place([](RecordingControl& fresh) {
        fresh.onKeyPress = [](std::int16_t& k) { k = k == 'x' ? 0 : k == 'a' ? 'b' : k; };
        fresh.onKeyDown = [](std::int16_t& k) { k = k == vbKeyDelete ? 0 : k; };
    });
    driver->FocusControl(c);
    c.log.clear();
    driver->TypeText("xaB");
    EXPECT_EQ(c.log, (Log{"KeyDown(88,0)", "KeyPress(120)", "KeyUp(88,0)", "KeyDown(65,0)",
                          "KeyPress(97)", "Change", "KeyUp(65,0)", "KeyDown(66,1)", "KeyPress(66)",
                          "Change", "KeyUp(66,1)"}));
    EXPECT_EQ(driver->EditText(c), "bB");
    driver->SelectText(0, 0);
    driver->PressKey(vbKeyDelete);
    EXPECT_EQ(driver->EditText(c), "bB") << "KeyCode 0 stops the edit's own handling";

    // A character beyond 16 bits is one character, told once.
    c.log.clear();
    driver->TypeText("\xF0\x9D\x84\x9E");
    EXPECT_EQ(c.log, (Log{"KeyDown(231,0)", "KeyPress(63)", "Change", "KeyUp(231,0)"}));
    EXPECT_EQ(driver->EditText(c),
              "\xF0\x9D\x84\x9E"
              "bB");

    // With Alt, a system key: no character.
    c.log.clear();
    driver->PressKey(vbKeyDown, vbAltMask);
    EXPECT_EQ(c.log, (Log{"KeyDown(40,4)", "KeyUp(40,4)"}));
}

TEST_F(HostScenario, MouseComesInTwipsAListPressIsAClickOnlyWhenItMovedTheSelectionAndExitFocus) {
    // Positions that are whole pixels at 96 and at 144 pixels per inch.
    RecordingControl& c = PlaceWithRows(5);
    driver->MouseDownOnControl(c, 150, 90, kRightButton);
    driver->MouseMoveOnControl(c, 300, 90);
    driver->MouseUpOnControl(c, 300, 90, kRightButton);
    EXPECT_EQ(c.log,
              (Log{"MouseDown(2,0,150,90)", "MouseMove(2,0,300,90)", "MouseUp(2,0,300,90)"}));

    c.log.clear();
    driver->MouseDownOnList(c, 0, 450);  // not shown: the user cannot reach it
    c.site.lstListBox.SetVisible(true);
    constexpr float kRow2 = 450;
    constexpr float kRow3 = 690;
    driver->MouseDownOnList(c, 0, kRow2);
    driver->MouseUpOnList(c, 0, kRow2);
    EXPECT_EQ(c.log, (Log{"ListMouseDown(1,0,0,450)", "Click(2)", "ListMouseUp(1,0,0,450)"}));

    // The list reports every release; a press on the row already selected, or a drag that
    // comes back to the row it started from, changed nothing.
    c.log.clear();
    driver->MouseDownOnList(c, 0, kRow2);
    driver->MouseUpOnList(c, 0, kRow2);
    driver->MouseDownOnList(c, 0, kRow2);
    driver->MouseMoveOnList(c, 0, kRow3);
    driver->MouseMoveOnList(c, 0, kRow2);
    driver->MouseUpOnList(c, 0, kRow2);
    EXPECT_EQ(std::ranges::count_if(c.log, [](const auto& e) { return e.starts_with("Click"); }), 0)
        << ::testing::PrintToString(c.log);

    // ExitFocus comes only when the focus goes to another window of the form.
    driver->FocusControl(c);
    // The list takes the focus: still inside the control.
    driver->MouseDownOnList(c, 0, 30);
    driver->MouseUpOnList(c, 0, 30);
    EXPECT_FALSE(driver->EditHasFocus(c));
    driver->FocusControl(c);
    // Another window takes the activation: the control stays the form's active control.
    driver->ActivateOtherWindow();
    driver->FocusControl(c);
    EXPECT_EQ(c.Count("ExitFocus"), 0);
    driver->MoveFocusAway();
    EXPECT_EQ(c.Count("ExitFocus"), 1);
    EXPECT_FALSE(driver->EditHasFocus(c));
}

}  // namespace
}  // namespace cp::test
