// The form host's contract on Win32: the start-up order, the notifications that run before
// the host operation that causes them returns, key arguments handed back by reference, the
// focus leaving, errors and message boxes.
#include <gtest/gtest.h>

#include "platform/win32/WindowsApi.h"
#include "runtime/RuntimeError.h"
#include "tests/support/win32/MessageBoxWatch.h"
#include "tests/win32/FakeControl.h"

namespace cp::test {
namespace {

constexpr LPARAM kAltHeld = LPARAM{1} << 29;

TEST(HostLifecycle, RunsTheStartUpInTheHostsOrder) {
    HWND listAtInitialize = reinterpret_cast<HWND>(1);
    FakeOnForm scene([&](FakeControl& fake) {
        fake.onInitialize = [&] { listAtInitialize = fake.site.lstListBox.hWnd(); };
    });
    EXPECT_EQ(listAtInitialize, nullptr) << "the list window comes after UserControl_Initialize";
    EXPECT_EQ(scene.fake->Joined(), "Initialize, ReadProperties, Resize, Paint");
    EXPECT_EQ(cp::GetClassName(scene.host->UserControl().hWnd()), "ThunderRT6UserControlDC");
    EXPECT_EQ(scene.host->UserControl().hDC(), ::GetDC(scene.host->UserControl().hWnd()));
    EXPECT_TRUE(scene.host->UserControl().AmbientUserMode());
}

TEST(HostLifecycle, AStartUpHandlersErrorIsReportedAndTheStartUpGoesOn) {
    MessageBoxWatch boxes;
    FakeOnForm scene(
        [](FakeControl& fake) { fake.onReadProperties = [] { Raise(vberr::Overflow); }; });
    EXPECT_EQ(scene.fake->Joined(), "Initialize, ReadProperties, Resize, Paint");
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].prompt, "Run-time error '6':\n\nOverflow");
    EXPECT_TRUE(::IsWindowVisible(scene.host->UserControl().hWnd()));
}

TEST(HostNotifications, RunBeforeTheHostOperationReturns) {
    FakeOnForm scene;
    auto& log = scene.fake->log;
    log.clear();
    scene.fake->onChange = [&] {
        // A write from inside the change notification notifies again, before it returns.
        if (scene.host->TextBox().Text() == "ab") scene.host->TextBox().SetText("abc");
        log.push_back("/" + scene.host->TextBox().Text());
    };
    scene.host->TextBox().SetText("ab");
    EXPECT_EQ(scene.fake->Joined(), "Change, Change, /abc, /abc");

    cp::SendMessage(scene.host->ListBox().hWnd(), LB_ADDSTRING, 0,
                    reinterpret_cast<LPARAM>(L"row"));
    scene.host->ListBox().SetListIndex(0);
    EXPECT_EQ(log.back(), "Click");
    EXPECT_EQ(scene.host->ListBox().ListIndex(), 0);
    EXPECT_THROW(scene.host->ListBox().SetListIndex(1), RuntimeError);

    log.clear();
    scene.host->UserControl().SetWidth(3000);
    EXPECT_EQ(scene.fake->Joined(), "Resize");
    EXPECT_EQ(scene.host->UserControl().Width(), 3000.0f);
}

TEST(HostNotifications, APressThatChangesTheListsSelectionIsAClickBeforeItsRelease) {
    FakeOnForm scene;
    HWND list = scene.host->ListBox().hWnd();
    for (int i = 0; i < 3; ++i) {
        cp::SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"row"));
    }
    // The list selects at the press and reports at every release; only a press that moved the
    // selection is a click.
    const std::string first = "(1,0,75,300)";
    const std::string again = "(1,0,75,375)";
    scene.fake->log.clear();
    ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 20));
    EXPECT_EQ(scene.host->ListBox().ListIndex(), 1);
    ::SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(5, 20));
    EXPECT_EQ(scene.fake->Joined(), "ListDown" + first + ", Click, ListUp" + first);

    scene.fake->log.clear();
    ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 25));
    ::SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(5, 25));
    EXPECT_EQ(scene.fake->Joined(), "ListDown" + again + ", ListUp" + again);

    // A refused selection keeps the old one.
    EXPECT_EQ(cp::SendMessage(list, LB_SETCURSEL, 7, 0), LB_ERR);
    EXPECT_EQ(scene.host->ListBox().ListIndex(), 1);
}

TEST(HostKeys, ArgumentsComeBackByReference) {
    FakeOnForm scene([](FakeControl& fake) {
        fake.onKeyDown = [](std::int16_t& KeyCode) {
            if (KeyCode == VK_DELETE) KeyCode = 0;
        };
        fake.onKeyPress = [](std::int16_t& KeyAscii) {
            if (KeyAscii == 'x') KeyAscii = 0;
            if (KeyAscii == 'a') KeyAscii = 'b';
        };
    });
    HWND edit = scene.host->TextBox().hWnd();
    ::SendMessageW(edit, WM_CHAR, 'x', 1);
    ::SendMessageW(edit, WM_CHAR, 'a', 1);
    EXPECT_EQ(scene.host->TextBox().Text(), "b");
    ::SendMessageW(edit, EM_SETSEL, 0, 0);
    ::SendMessageW(edit, WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(scene.host->TextBox().Text(), "b") << "KeyCode 0 stops the edit's own handling";

    scene.fake->log.clear();
    ::SendMessageW(edit, WM_CHAR, 0xD834, 1);
    ::SendMessageW(edit, WM_CHAR, 0xDD1E, 1);
    EXPECT_EQ(scene.fake->Joined(), "KeyPress(63), Change") << "one character, told once";
    EXPECT_EQ(scene.host->TextBox().Text(),
              "\xF0\x9D\x84\x9E"
              "b");

    scene.fake->log.clear();
    ::SendMessageW(edit, WM_SYSKEYDOWN, VK_DOWN, 1 | kAltHeld);
    EXPECT_EQ(scene.fake->Joined(), "KeyDown(40,4)");
}

TEST(HostFocus, ExitFocusOnlyWhenTheFocusGoesElsewhereOnTheForm) {
    FakeOnForm scene;
    auto& log = scene.fake->log;
    scene.host->TextBox().SetFocus();
    log.clear();
    ::SetFocus(scene.host->ListBox().hWnd());
    ::SetFocus(scene.host->TextBox().hWnd());
    EXPECT_TRUE(log.empty()) << scene.fake->Joined();
    ::SetFocus(scene.form.TextField());
    EXPECT_EQ(scene.fake->Joined(), "ExitFocus");

    ::EnableWindow(scene.host->TextBox().hWnd(), FALSE);
    EXPECT_THROW(scene.host->TextBox().SetFocus(), RuntimeError);
}

TEST(HostFocus, TheListOnTheDesktopTakesNeitherFocusNorActivation) {
    FakeOnForm scene;
    HWND list = scene.host->ListBox().hWnd();
    cp::SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"row"));
    scene.host->TextBox().SetFocus();
    cp::SetParent(list, nullptr);
    scene.host->ListBox().SetVisible(true);
    scene.fake->log.clear();
    ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(::GetFocus(), scene.host->TextBox().hWnd());
    EXPECT_EQ(::GetActiveWindow(), scene.form.hWnd());
    EXPECT_EQ(::SetFocus(list), nullptr);
    EXPECT_EQ(::GetFocus(), scene.host->TextBox().hWnd());
    EXPECT_EQ(scene.fake->Joined(), "ListDown(1,0,75,75), Click, ListUp(1,0,75,75)");

    // Another program's window takes the focus: the control stays the form's active control.
    HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                   100, 100, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    ::SetFocus(other);
    EXPECT_EQ(scene.fake->Joined(), "ListDown(1,0,75,75), Click, ListUp(1,0,75,75)");
    ::DestroyWindow(other);
}

TEST(HostErrors, BelongToTheOperationThatCausedThemOrAreReported) {
    MessageBoxWatch boxes;
    FakeOnForm scene([](FakeControl& fake) {
        fake.onKeyPress = [](std::int16_t&) { Raise(vberr::InvalidProcedureCall); };
    });
    scene.fake->onResize = [] { Raise(vberr::Overflow); };
    try {
        scene.host->UserControl().SetHeight(600);
        ADD_FAILURE() << "the resize error did not reach the put";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), vberr::Overflow);
    }
    ::SendMessageW(scene.host->TextBox().hWnd(), WM_CHAR, 'a', 1);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].prompt,
              "Run-time error '5':\n\n" + StandardDescription(vberr::InvalidProcedureCall));
    EXPECT_EQ(boxes.Calls()[0].style, vbCritical);
}

TEST(HostRuntime, MessageBoxesScreenAndLocale) {
    MessageBoxWatch boxes;
    EXPECT_EQ(host::MsgBox("Set the column widths first.", vbOKOnly), IDOK);
    host::MsgBox("Failed", vbExclamation, "ColumnPick - AddItem");
    host::MsgBox("Report", vbCritical, "ColumnPick - AddList");
    ASSERT_EQ(boxes.Calls().size(), 3u);
    EXPECT_EQ(boxes.Calls()[0].caption, "ColumnPick") << "the default caption";
    EXPECT_EQ(boxes.Calls()[0].prompt, "Set the column widths first.");
    EXPECT_EQ(boxes.Calls()[0].style, vbOKOnly);
    EXPECT_EQ(boxes.Calls()[1].caption, "ColumnPick - AddItem");
    EXPECT_EQ(boxes.Calls()[1].style, vbExclamation);
    EXPECT_EQ(boxes.Calls()[2].style, vbCritical);

    EXPECT_EQ(host::ScreenWidth(), ::GetSystemMetrics(SM_CXSCREEN) * 15.0f);
    SetLocale(host::Locale());
    EXPECT_EQ(UpperCase("abc \xC3\xA9"), "ABC \xC3\x89");
    EXPECT_EQ(UpperCaseChar(U'\u03B1'), U'\u0391');
    EXPECT_FALSE(DecimalSeparator().empty());
    try {
        host::LoadResPicture(999, vbResBitmap);
        ADD_FAILURE() << "a missing bitmap loaded";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), vberr::ResourceNotFound);
    }
    EXPECT_NE(host::LoadResPicture(10, vbResBitmap)->Handle(), nullptr);
}

}  // namespace
}  // namespace cp::test
