// The simulated drawing objects: the counts that the leak checks read, and the pixels that
// fills, lines, copies and edges leave on a window.
#include <gtest/gtest.h>

#include <vector>

#include "platform/sim/BuiltInClasses.h"
#include "platform/sim/SimWindowApi.h"
#include "platform/sim/World.h"

namespace cp::sim::test {
namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;

using Colours = std::vector<COLORREF>;
constexpr COLORREF kNone = Surface::kUnpainted;

class GdiTest : public ::testing::Test {
protected:
    // The window's pixels at the points, in their order.
    Colours Pixels(std::initializer_list<POINT> points) {
        Colours colours;
        for (const POINT& p : points)
            colours.push_back(sim::GetPixel(window, p.x, p.y));
        return colours;
    }

    World world;
    HWND window = CreateWindow("SimWindow", WS_VISIBLE, 0, nullptr, RECT{0, 0, 100, 100});
    Gdi& gdi = world.Graphics();
};

// The leak checks of the soak and the drawing suites compare these counts, so every kind of
// object must be counted until it is really gone.
TEST_F(GdiTest, ObjectsAreCountedUntilReleasedAndASelectedOneCannotBeDeleted) {
    const GdiCounts before = gdi.Live();
    const HDC dc = GetDC(window);
    const HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    const HBRUSH brush = CreateSolidBrush(kBlue);
    const HDC memory = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = gdi.CreateBitmap(8, 10, {}, 10);
    const HGDIOBJ stockBitmap = SelectObject(memory, bitmap);
    EXPECT_EQ(gdi.Live(), (GdiCounts{before.brushes + 1, before.pens + 1, before.fonts,
                                     before.bitmaps + 1, before.dcs + 2}));

    EXPECT_EQ(SelectObject(dc, bitmap), nullptr);  // a bitmap only in a memory context
    EXPECT_FALSE(DeleteObject(bitmap)) << "still selected";
    EXPECT_EQ(gdi.Live().bitmaps, before.bitmaps + 1);
    SelectObject(memory, stockBitmap);
    // In this order: the bitmap goes once its context is gone.
    EXPECT_EQ((std::tuple{DeleteDC(memory), DeleteObject(bitmap), DeleteObject(pen),
                          DeleteObject(brush), ReleaseDC(window, dc)}),
              (std::tuple{true, true, true, true, 1}));
    EXPECT_EQ(gdi.Live(), before);
}

// A handle deleted once may name another object of the process by the time it is deleted
// again, so a second delete ends the program where the real system would destroy that object.
using GdiDeathTest = GdiTest;
TEST_F(GdiDeathTest, DeletingAnObjectTwiceStopsTheProgram) {
    const HBRUSH brush = CreateSolidBrush(kBlue);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_DEATH(DeleteObject(brush), "deleted already");
}

TEST_F(GdiTest, DrawingOnAWindowLeavesItsPixels) {
    const HDC dc = GetDC(window);
    EXPECT_EQ(sim::GetPixel(window, 5, 5), kNone);
    const HBRUSH brush = CreateSolidBrush(kBlue);
    const RECT fill{2, 2, 6, 4};
    FillRect(dc, &fill, brush);
    // The right edge is excluded.
    EXPECT_EQ(Pixels({{2, 2}, {5, 3}, {6, 3}}), (Colours{kBlue, kBlue, kNone}));

    // A line leaves its end point out, as LineTo does.
    const HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    const HGDIOBJ stockPen = SelectObject(dc, pen);
    MoveToEx(dc, 0, 10, nullptr);
    LineTo(dc, 4, 10);
    EXPECT_EQ(Pixels({{0, 10}, {3, 10}, {4, 10}}), (Colours{kRed, kRed, kNone}));

    // A copy takes the bitmap's pixels; text leaves no pixels.
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP bitmap = gdi.CreateBitmap(2, 2, {1, 2, 3, 4}, -1);
    const HGDIOBJ stockBitmap = SelectObject(memory, bitmap);
    BitBlt(dc, 20, 20, 2, 1, memory, 0, 1, SRCCOPY);
    RECT text{30, 30, 60, 45};
    DrawText(dc, "Row", &text, DT_SINGLELINE);
    EXPECT_EQ(Pixels({{20, 20}, {21, 20}, {31, 35}}), (Colours{3, 4, kNone}));

    SelectObject(memory, stockBitmap);
    SelectObject(dc, stockPen);
    DeleteDC(memory);
    DeleteObject(bitmap);
    DeleteObject(pen);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

TEST_F(GdiTest, EdgesTakeTheThreeDimensionalColours) {
    const HDC dc = GetDC(window);
    RECT raised{0, 0, 16, 17};
    DrawEdge(dc, &raised, EDGE_RAISED, BF_RECT);
    // 3-D light, highlight, dark shadow, shadow; the face is left alone.
    EXPECT_EQ(Pixels({{0, 0}, {1, 1}, {15, 16}, {14, 15}, {5, 5}}),
              (Colours{Gdi::SysColor(22), Gdi::SysColor(20), Gdi::SysColor(21), Gdi::SysColor(16),
                       kNone}));

    RECT flat{20, 0, 36, 17};
    DrawEdge(dc, &flat, EDGE_SUNKEN, BF_RECT | BF_FLAT);
    EXPECT_EQ(Pixels({{20, 0}, {35, 16}, {21, 1}}),
              (Colours{Gdi::SysColor(16), Gdi::SysColor(16), Gdi::SysColor(15)}));
    ReleaseDC(window, dc);
}

}  // namespace
}  // namespace cp::sim::test
