// The Win32 form host's own rules: its control window, errors that belong to the operation that
// caused them or are reported in a real message box, and the runtime's facilities. The rules
// that both hosts share are scenarios (HostScenario).
#include <gtest/gtest.h>

#include "platform/win32/WindowsApi.h"
#include "runtime/RuntimeError.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/win32/MessageBoxWatch.h"
#include "tests/win32/RecordingOnForm.h"

namespace cp::test {
namespace {

using Log = std::vector<std::string>;

TEST(HostLifecycle, TheControlWindowHasItsOwnContextAndADisabledFieldRefusesTheFocus) {
    RecordingOnForm scene;
    EXPECT_EQ(scene.host->UserControl().hDC(), ::GetDC(scene.host->UserControl().hWnd()));
    ::EnableWindow(scene.host->TextBox().hWnd(), FALSE);
    EXPECT_THROW(scene.host->TextBox().SetFocus(), RuntimeError);
}

TEST(HostLifecycle, AStartUpHandlersErrorIsReportedAndTheStartUpGoesOn) {
    MessageBoxWatch boxes;
    RecordingOnForm scene(
        [](RecordingControl& c) { c.onReadProperties = [] { Raise(vberr::Overflow); }; });
    EXPECT_EQ(scene.control->log, (Log{"Initialize", "ReadProperties()", "Resize", "Paint"}));
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].prompt, "Run-time error '6':\n\nOverflow");
    EXPECT_TRUE(::IsWindowVisible(scene.host->UserControl().hWnd()));
}

TEST(HostErrors, BelongToTheOperationThatCausedThemOrAreReported) {
    MessageBoxWatch boxes;
    RecordingOnForm scene([](RecordingControl& c) {
        c.onKeyPress = [](std::int16_t&) { Raise(vberr::InvalidProcedureCall); };
    });
    scene.control->onResize = [] { Raise(vberr::Overflow); };
    EXPECT_EQ(ErrorOf([&] { scene.host->UserControl().SetHeight(600); }), vberr::Overflow)
        << "the resize error reaches the put";
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
    Log shown;
    for (const ShownMessageBox& box : boxes.Calls())
        shown.push_back(box.caption + ": " + box.prompt + " " + std::to_string(box.style));
    // The first has the default caption.
    EXPECT_EQ(shown, (Log{"ColumnPick: Set the column widths first. 0",
                          "ColumnPick - AddItem: Failed 48", "ColumnPick - AddList: Report 16"}));

    EXPECT_EQ(host::ScreenWidth(), ::GetSystemMetrics(SM_CXSCREEN) * 15.0f);
    SetLocale(host::Locale());
    EXPECT_EQ(UpperCase("abc \xC3\xA9"), "ABC \xC3\x89");
    EXPECT_EQ(UpperCaseChar(U'\u03B1'), U'\u0391');
    EXPECT_FALSE(DecimalSeparator().empty());
    EXPECT_EQ(ErrorOf([] { host::LoadResPicture(999, vbResBitmap); }), vberr::ResourceNotFound);
    EXPECT_NE(host::LoadResPicture(10, vbResBitmap)->Handle(), nullptr);
}

}  // namespace
}  // namespace cp::test
