// The real control's list on the real window system: a data-less, owner-drawn list whose rows
// the control draws, opened as a tool window of the desktop where the control computes it from
// its window rectangle and the screen size, and given back to the control on closing.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/WindowsApi.h"
#include "tests/win32/RealControl.h"

namespace cp::test {
namespace {

constexpr int kTwips = 15;
constexpr COLORREF kSelectedBack = 0x800000;  // the default BackColorSelected, &H800000
constexpr COLORREF kNormalBack = 0xFFFFFF;    // the default BackColorNormal

// Draw requests that reach the control's window, passed on to the control's own procedure.
WNDPROC gControlProc = nullptr;
int gDrawRequests = 0;

LRESULT CountDrawRequests(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_DRAWITEM) ++gDrawRequests;
    return ::CallWindowProcW(gControlProc, hWnd, uMsg, wParam, lParam);
}

TEST(RealList, IsADataLessOwnerDrawnListWhoseRowsTheControlDraws) {
    RealControl scene;
    const LONG_PTR style = ::GetWindowLongPtrW(scene.List(), GWL_STYLE);
    EXPECT_EQ(style & (LBS_NODATA | LBS_OWNERDRAWFIXED), LBS_NODATA | LBS_OWNERDRAWFIXED);
    scene.FillNumbered(5);
    EXPECT_EQ(::SendMessageW(scene.List(), LB_GETCOUNT, 0, 0), 5);

    gDrawRequests = 0;
    gControlProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        scene.Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountDrawRequests)));
    scene.control().ListIndex(1);
    scene.control().ShowDropDown();
    ::UpdateWindow(scene.List());
    Pump();
    ::SetWindowLongPtrW(scene.Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gControlProc));
    EXPECT_GE(gDrawRequests, 5);

    // Row 1 is drawn selected, the others in the normal colours, each with its text.
    constexpr int kRow = 15;
    EXPECT_EQ(PixelAt(scene.List(), 1, kRow * 1 + 1), kSelectedBack);
    EXPECT_EQ(PixelAt(scene.List(), 1, kRow * 2 + 1), kNormalBack);
    for (int row = 0; row < 5; ++row) {
        const COLORREF back = row == 1 ? kSelectedBack : kNormalBack;
        int inked = 0;
        for (int x = 0; x < 40; ++x)
            for (int y = row * kRow; y < (row + 1) * kRow; ++y)
                inked += PixelAt(scene.List(), x, y) != back;
        EXPECT_GT(inked, 20) << "row " << row << " shows its text";
    }
}

struct Expected {
    RECT rect;
    bool below;
    bool leftAligned;
};

// Where the list of `rows` visible rows and `width` twips opens for the control's window
// rectangle r: below
// when its lower edge plus the list's height stays above the screen's bottom, else above;
// left-aligned when it fits, else pulled in from the screen's right edge.
Expected ExpectedPlace(const RECT& r, int rows, int width) {
    const float h = static_cast<float>(30 + 225 * rows);
    const float w = static_cast<float>(width);
    const float sh = static_cast<float>(::GetSystemMetrics(SM_CYSCREEN) * kTwips);
    const float sw = static_cast<float>(::GetSystemMetrics(SM_CXSCREEN) * kTwips);
    Expected e{};
    e.below = h + static_cast<float>(r.bottom * kTwips) < sh;
    e.leftAligned = w + static_cast<float>(r.left * kTwips) < sw;
    const float left = e.leftAligned ? static_cast<float>(r.left * kTwips) : sw - w;
    const float top = e.below ? static_cast<float>(r.bottom * kTwips) : r.top * kTwips - h;
    e.rect.left = static_cast<LONG>(left / kTwips);
    e.rect.top = static_cast<LONG>(top / kTwips);
    e.rect.right = e.rect.left + static_cast<LONG>(w / kTwips);
    e.rect.bottom = e.rect.top + static_cast<LONG>(h / kTwips);
    return e;
}

RECT ScreenRect(HWND hWnd) {
    ::RECT r{};
    ::GetWindowRect(hWnd, &r);
    return RECT{r.left, r.top, r.right, r.bottom};
}

// Moves the form so that the control's window stands with its lower right corner at (x, y)
// on the screen.
void PutControlCorner(RealControl& scene, int x, int y) {
    const RECT control = ScreenRect(scene.Window());
    const RECT form = ScreenRect(scene.form.hWnd());
    ::SetWindowPos(scene.form.hWnd(), nullptr, form.left + x - control.right,
                   form.top + y - control.bottom, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
}

TEST(RealList, OpensAsAToolWindowWhereTheControlComputesAndGoesBackOnClosing) {
    RealControl scene;
    scene.FillNumbered(20);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    const int listRows = scene.control().ListRows();
    // Wider than the control, so that the control can stand where the list cannot.
    constexpr std::int16_t kListWidth = 4500;
    scene.control().ListWidth(kListWidth);

    struct Case {
        const char* name;
        int cornerX, cornerY;  // the control's lower right corner on the screen, 0: as placed
        bool below, leftAligned;
    };
    const Case cases[] = {
        {"as placed", 0, 0, true, true},
        {"near the bottom", screenWidth / 2, screenHeight - 10, false, true},
        {"near the right edge", screenWidth - 20, screenHeight / 3, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.cornerX != 0) PutControlCorner(scene, c.cornerX, c.cornerY);
        const Expected e = ExpectedPlace(ScreenRect(scene.Window()), listRows, kListWidth);
        ASSERT_EQ(e.below, c.below) << "the form could not be placed for this case";
        ASSERT_EQ(e.leftAligned, c.leftAligned);

        scene.control().ShowDropDown();
        HWND list = scene.List();
        ASSERT_TRUE(::IsWindowVisible(list));
        EXPECT_EQ(::GetAncestor(list, GA_PARENT), ::GetDesktopWindow());
        const LONG_PTR exStyle = ::GetWindowLongPtrW(list, GWL_EXSTYLE);
        EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
        EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
        EXPECT_EQ(ScreenRect(list), e.rect);
        EXPECT_EQ(::GetFocus(), scene.Edit());

        scene.control().HideListBox(AfterHide::FocusEditField);
        EXPECT_FALSE(::IsWindowVisible(list));
        EXPECT_EQ(::GetParent(list), scene.Window());
    }
    EXPECT_TRUE(scene.boxes.Calls().empty());
}

}  // namespace
}  // namespace cp::test
