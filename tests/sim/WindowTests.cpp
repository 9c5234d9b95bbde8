// The simulated window's pixels and text: a window waits to be painted until a test asks for
// the paint, which erases and reaches only what waits, as the real window system clips it.
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

TEST(WindowPaint, WindowsArePaintedWhenAskedOnlyWhereTheyWait) {
    World world;
    trace.clear();
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

// A short buffer takes whole characters only, and always its terminating NUL.
TEST(WindowText, ACopyStopsAtTheBufferWithWholeCharacters) {
    World world;
    const HWND window = CreateWindow("SimWindow", 0, 0, nullptr, RECT{0, 0, 20, 10});
    SendMessage(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("a\xC3\xA9z"));
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(SendMessage(window, WM_GETTEXT, 3, reinterpret_cast<LPARAM>(buffer)), 1);
    EXPECT_STREQ(buffer, "a");
    EXPECT_EQ(buffer[3], 'x') << "nothing written past the size given";
    EXPECT_EQ(SendMessage(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 3);
    EXPECT_STREQ(buffer, "a\xC3\xA9");
}

}  // namespace
}  // namespace cp::sim::test
