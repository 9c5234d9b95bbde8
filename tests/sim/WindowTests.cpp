#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/BuiltInClasses.h"
#include "platform/sim/SimWindowApi.h"
#include "platform/sim/World.h"

namespace cp::sim::test {
namespace {

thread_local std::vector<std::string> trace;

// Paints its whole client area in this colour, after erasing what the paint asks for in white.
constexpr COLORREF kPaintColour = 0x00FF00;
constexpr COLORREF kEraseColour = 0xFFFFFF;

LRESULT PaintingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProc(hwnd, message, wParam, lParam);
    const PendingPaint painting = World::Current().Windows().BeginPaint(hwnd);
    trace.push_back("paint " + std::to_string(painting.rect.left) + "," +
                    std::to_string(painting.rect.top) + "," + std::to_string(painting.rect.right) +
                    "," + std::to_string(painting.rect.bottom) + (painting.erase ? " erased" : ""));
    Surface& surface = World::Current().Windows().Find(hwnd)->surface;
    if (painting.erase) surface.Fill(GetClientRect(hwnd), kEraseColour);
    surface.Fill(GetClientRect(hwnd), kPaintColour);
    return 0;
}
thread_local HHOOK selfRemovingHook = nullptr;

LRESULT TracingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) trace.push_back("procedure WM_CREATE");
    if (message == WM_DESTROY) trace.push_back("WM_DESTROY " + GetClassName(hwnd));
    return DefWindowProc(hwnd, message, wParam, lParam);
}

LRESULT OuterHook(int code, WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<CWPSTRUCT*>(lParam)->message == WM_CREATE) trace.push_back("outer hook");
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT SelfRemovingHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* cwp = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (cwp->message == WM_CREATE) {
        trace.push_back("inner hook " + GetClassName(cwp->hwnd));
        UnhookWindowsHookEx(selfRemovingHook);
    }
    return CallNextHookEx(selfRemovingHook, code, wParam, lParam);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        trace.clear();
        RegisterClass("Traced", TracingProc);
    }
    HHOOK Hook(HOOKPROC proc) {
        return SetWindowsHookEx(WH_CALLWNDPROC, proc, world.AppInstance(), world.ThreadId());
    }
    World world;
};

TEST_F(WindowTest, HooksSeeWmCreateBeforeTheWindowProcedureMostRecentFirst) {
    const HHOOK outer = Hook(OuterHook);
    selfRemovingHook = Hook(SelfRemovingHook);  // installed last, so it runs first

    ASSERT_NE(CreateWindow("Traced", 0, 0, nullptr, RECT{0, 0, 10, 10}), nullptr);

    // The inner hook removed itself and still passed the message on to the outer one.
    EXPECT_EQ(trace,
              (std::vector<std::string>{"inner hook Traced", "outer hook", "procedure WM_CREATE"}));
    EXPECT_EQ(world.Hooks().Count(), 1u);
    EXPECT_TRUE(UnhookWindowsHookEx(outer));
    EXPECT_FALSE(UnhookWindowsHookEx(outer));
    EXPECT_EQ(SetWindowsHookEx(WH_CALLWNDPROC, OuterHook, nullptr, world.ThreadId() + 1), nullptr);
}

// A creation hook's conversion is HostScenario's, on both platforms; a style set later is
// never read.
TEST_F(WindowTest, AListReadsItsDataLessStyleOnlyAtItsCreation) {
    const HWND parent = CreateWindow("Traced", WS_VISIBLE, 0, nullptr, RECT{0, 0, 200, 200});
    const HWND plain = CreateWindow("ThunderRT6ListBox", WS_CHILD, 0, parent, RECT{0, 0, 100, 77});
    SetWindowLong(plain, GWL_STYLE, GetWindowLong(plain, GWL_STYLE) | LBS_NODATA);
    EXPECT_EQ(SendMessage(plain, LB_SETCOUNT, 40, 0), LB_ERR);
    EXPECT_EQ(SendMessage(plain, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(WindowTest, SetParentKeepsThePositionNumerically) {
    const HWND parent = CreateWindow("Traced", WS_BORDER, 0, nullptr, RECT{100, 50, 300, 250});
    const HWND child = CreateWindow("Traced", WS_CHILD, 0, parent, RECT{10, 20, 60, 40});
    RECT r{};
    ASSERT_TRUE(GetWindowRect(child, &r));
    EXPECT_EQ(r, (RECT{111, 71, 161, 91}));  // inside the parent's one-pixel border

    EXPECT_EQ(SetParent(child, nullptr), parent);
    GetWindowRect(child, &r);
    EXPECT_EQ(r, (RECT{10, 20, 60, 40}));
    EXPECT_EQ(GetParent(child), nullptr);
    EXPECT_EQ(GetOwner(child), parent);
    EXPECT_EQ(SetParent(child, parent), nullptr);
    EXPECT_EQ(GetParent(child), parent);
}

TEST_F(WindowTest, WindowsArePaintedWhenAskedOnlyWhereTheyWait) {
    RegisterClass("Painting", PaintingProc);
    const HWND window = CreateWindow("Painting", 0, 0, nullptr, RECT{0, 0, 20, 10});
    UpdateWindow(window);
    EXPECT_TRUE(trace.empty()) << "a hidden window is not painted";
    ShowWindow(window, true);
    EXPECT_EQ(trace, (std::vector<std::string>{"paint 0,0,20,10 erased"}));
    UpdateWindow(window);
    EXPECT_EQ(trace.size(), 1u) << "nothing waits any more";

    // Invalidated parts wait, as one rectangle, until asked for; the paint reaches only them.
    const RECT left{0, 0, 2, 2};
    const RECT right{5, 0, 6, 3};
    InvalidateRect(window, &left, Erase::None);
    InvalidateRect(window, &right, Erase::Background);
    EXPECT_EQ(trace.size(), 1u);
    world.Windows().Find(window)->surface.Fill(RECT{0, 0, 20, 10}, 0);
    world.Windows().UpdateAll();
    EXPECT_EQ(trace.back(), "paint 0,0,6,3 erased");
    EXPECT_EQ(sim::GetPixel(window, 5, 2), kPaintColour);
    EXPECT_EQ(sim::GetPixel(window, 6, 2), 0u) << "outside the part that waited";

    // A window that grows waits for its new part, erased.
    MoveWindow(window, RECT{0, 0, 25, 10});
    UpdateWindow(window);
    EXPECT_EQ(trace.back(), "paint 20,0,25,10 erased");
    EXPECT_EQ(sim::GetPixel(window, 19, 5), 0u);
    EXPECT_EQ(sim::GetPixel(window, 24, 5), kPaintColour);
}

TEST_F(WindowTest, PropertiesClassNamesAndDestruction) {
    const HWND parent = CreateWindow("Traced", 0, 0, nullptr, RECT{0, 0, 50, 50});
    CreateWindow("Traced", WS_CHILD, 0, parent, RECT{0, 0, 5, 5});
    int value = 0;
    EXPECT_TRUE(SetProp(parent, "nvVirtualList", &value));
    EXPECT_EQ(GetProp(parent, "NVVIRTUALLIST"), &value);
    EXPECT_EQ(RemoveProp(parent, "nvVirtualList"), &value);
    EXPECT_EQ(GetProp(parent, "nvVirtualList"), nullptr);
    EXPECT_EQ(GetClassName(parent), "Traced");

    trace.clear();
    DestroyWindow(parent);
    EXPECT_EQ(trace, (std::vector<std::string>{"WM_DESTROY Traced", "WM_DESTROY Traced"}));
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_EQ(GetClassName(parent), "");
    EXPECT_EQ(SendMessage(parent, WM_GETTEXTLENGTH, 0, 0), 0);
}

}  // namespace
}  // namespace cp::sim::test
