// What the control relies on from the mapping of the window-system operations, on the real
// window system: text is measured and selected in code points. (The creation hook's data-less list
// and the list on the desktop are the real control's, in RealList.)
#include <gtest/gtest.h>

#include "platform/win32/WindowsApi.h"
#include "tests/win32/RecordingOnForm.h"

namespace cp::test {
namespace {

TEST(TextMeasure, CountsCodePointsNotUtf16Units) {
    win32::Form form;
    HDC dc = ::GetDC(form.hWnd());
    HGDIOBJ font = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    // Two, three and four bytes in UTF-8; the last of them is two units in UTF-16.
    const std::string text =
        "\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E"
        "ab";
    int fit = -1;
    int dx[5] = {};
    SIZE size;
    ASSERT_TRUE(cp::GetTextExtentExPoint(dc, text, 100000, &fit, dx, &size));
    EXPECT_EQ(fit, 5);
    EXPECT_EQ(dx[4], size.cx);
    ASSERT_LT(dx[2], dx[3]);
    cp::GetTextExtentExPoint(dc, text, dx[3], &fit, nullptr, nullptr);
    EXPECT_EQ(fit, 4);
    cp::GetTextExtentExPoint(dc, text, dx[3] - 1, &fit, nullptr, nullptr);
    EXPECT_EQ(fit, 3);
    ::SelectObject(dc, font);
    ::ReleaseDC(form.hWnd(), dc);
}

TEST(EditSelection, PositionsAreCodePoints) {
    RecordingOnForm scene;
    auto& edit = scene.host->TextBox();
    edit.SetText(
        "a\xF0\x9D\x84\x9E"
        "bc");
    cp::SendMessage(edit.hWnd(), EM_SETSEL, 2, 3);
    ::DWORD start = 0, end = 0;
    cp::SendMessage(edit.hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                    reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ((std::vector{start, end}), (std::vector<::DWORD>{2, 3}));
    EXPECT_EQ(edit.SelStart(), 2);
    ::SendMessageW(edit.hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u) << "the edit itself counts UTF-16 units";

    // A write puts the caret at the start; an end of -1 selects to the end of the text.
    edit.SetText(
        "\xF0\x9D\x84\x9E"
        "xyz");
    EXPECT_EQ(edit.SelStart(), 0);
    cp::SendMessage(edit.hWnd(), EM_SETSEL, 1, -1);
    cp::SendMessage(edit.hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                    reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ((std::vector{start, end}), (std::vector<::DWORD>{1, 4}));
}

}  // namespace
}  // namespace cp::test
