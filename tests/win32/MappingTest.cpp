// What the control relies on from the mapping of the window-system operations, on the real
// window system: the creation hook converts the host's list box, the list keeps its position
// and its owner when it is given to the desktop, text is measured in code points, and the
// drawing objects made through the mapping are counted.
#include <gtest/gtest.h>

#include "platform/win32/GdiAccounting.h"
#include "platform/win32/WindowsApi.h"
#include "tests/win32/FakeControl.h"

namespace cp::test {
namespace {

// A creation hook and creation subclass written with the mapping, as the control's are.
HHOOK gHook = nullptr;
WNDPROC gListProc = nullptr;

LRESULT ConvertOnCreate(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_CREATE) {
        auto* create = reinterpret_cast<CREATESTRUCT*>(lParam);
        create->style |= static_cast<LONG>(LBS_NODATA | LBS_OWNERDRAWFIXED);
        cp::SetWindowLong(hWnd, GWL_STYLE, create->style);
        cp::SetWindowLong(hWnd, cp::GWL_WNDPROC, reinterpret_cast<LONG_PTR>(gListProc));
    }
    return cp::CallWindowProc(gListProc, hWnd, uMsg, wParam, lParam);
}

LRESULT WatchCreations(int nCode, WPARAM wParam, LPARAM lParam) {
    const auto* record = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (record->message == WM_CREATE && cp::GetClassName(record->hwnd) == "ThunderRT6ListBox") {
        gListProc = reinterpret_cast<WNDPROC>(cp::SetWindowLong(
            record->hwnd, cp::GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&ConvertOnCreate)));
        cp::UnhookWindowsHookEx(gHook);
    }
    return cp::CallNextHookEx(gHook, nCode, wParam, lParam);
}

void InstallCreationHook(FakeControl& fake) {
    fake.onInitialize = [] {
        gHook = cp::SetWindowsHookEx(WH_CALLWNDPROC, &WatchCreations, host::AppHInstance(),
                                     host::AppThreadID());
    };
}

TEST(CreationHook, ConvertsTheListCreatedAfterInitializeIntoADataLessList) {
    FakeOnForm converted(InstallCreationHook);
    HWND list = converted.host->ListBox().hWnd();
    EXPECT_EQ(cp::GetWindowLong(list, GWL_STYLE) & (LBS_NODATA | LBS_OWNERDRAWFIXED),
              LBS_NODATA | LBS_OWNERDRAWFIXED);
    EXPECT_EQ(cp::SendMessage(list, LB_SETCOUNT, 20, 0), 0);
    EXPECT_EQ(cp::SendMessage(list, LB_GETCOUNT, 0, 0), 20);

    FakeOnForm plain;
    EXPECT_EQ(cp::SendMessage(plain.host->ListBox().hWnd(), LB_SETCOUNT, 20, 0), LB_ERR);
}

// Draw requests that reach the control's window, as its drawing subclass sees them.
WNDPROC gControlProc = nullptr;
std::vector<DRAWITEMSTRUCT> gDrawn;

LRESULT RecordDrawRequests(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_DRAWITEM) {
        gDrawn.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    return cp::CallWindowProc(gControlProc, hWnd, uMsg, wParam, lParam);
}

TEST(FloatingList, KeepsItsPositionAndItsOwnerOnTheDesktop) {
    FakeOnForm scene(InstallCreationHook);
    HWND control = scene.host->UserControl().hWnd();
    HWND list = scene.host->ListBox().hWnd();
    cp::SendMessage(list, LB_SETCOUNT, 5, 0);
    gDrawn.clear();
    gControlProc = reinterpret_cast<WNDPROC>(cp::SetWindowLong(
        control, cp::GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordDrawRequests)));

    scene.host->ListBox().Move(150, 450, 1500, 30 + 225 * 5);
    EXPECT_EQ(cp::SetParent(list, nullptr), control);
    RECT onScreen;
    cp::GetWindowRect(list, &onScreen);
    EXPECT_EQ(onScreen, (RECT{10, 30, 110, 107}));
    EXPECT_EQ(scene.host->ListBox().Height(), 1155.0f);
    EXPECT_EQ(cp::GetParent(list), ::GetDesktopWindow());

    scene.host->ListBox().SetVisible(true);
    ::UpdateWindow(list);
    ASSERT_GE(gDrawn.size(), 5u) << "one request for each visible row";
    for (const auto& d : gDrawn)
        EXPECT_EQ(d.hwndItem, list);
    cp::SetWindowLong(control, cp::GWL_WNDPROC, reinterpret_cast<LONG_PTR>(gControlProc));
}

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
    FakeOnForm scene;
    auto& edit = scene.host->TextBox();
    edit.SetText(
        "a\xF0\x9D\x84\x9E"
        "bc");
    cp::SendMessage(edit.hWnd(), EM_SETSEL, 2, 3);
    ::DWORD start = 0;
    ::DWORD end = 0;
    cp::SendMessage(edit.hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                    reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 3u);
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
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 4u);
}

TEST(GdiAccounting, CountsWhatTheMappingMadeUntilItIsReleased) {
    win32::Form form;
    const win32::GdiCounts before = win32::LiveGdiObjects();
    HDC dc = cp::GetDC(form.hWnd());
    HBRUSH brush = cp::CreateSolidBrush(0x0000FF);
    HPEN pen = cp::CreatePen(PS_SOLID, 1, 0);
    HDC memory = cp::CreateCompatibleDC(dc);
    EXPECT_EQ(win32::LiveGdiObjects(),
              (win32::GdiCounts{before.brushes + 1, before.pens + 1, before.memoryDCs + 1,
                                before.windowDCs + 1}));

    HBRUSH hostsOwn = ::CreateSolidBrush(0);
    cp::DeleteObject(hostsOwn);
    cp::DeleteObject(brush);
    cp::DeleteObject(pen);
    cp::DeleteDC(memory);
    cp::ReleaseDC(form.hWnd(), dc);
    EXPECT_EQ(win32::LiveGdiObjects(), before);
    EXPECT_EQ(::GetObjectType(brush), 0u);
    EXPECT_EQ(::GetObjectType(pen), 0u);
}

}  // namespace
}  // namespace cp::test
