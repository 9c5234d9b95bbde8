#include <gtest/gtest.h>

#include "platform/sim/BuiltInClasses.h"
#include "platform/sim/SimWindowApi.h"
#include "platform/sim/TextMetrics.h"
#include "platform/sim/World.h"

namespace cp::sim::test {
namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlue = 0xFF0000;

class GdiTest : public ::testing::Test {
protected:
    World world;
    HWND window = CreateWindow("SimWindow", WS_VISIBLE, 0, nullptr, RECT{0, 0, 100, 100});
    Gdi& gdi = world.Graphics();
};

TEST_F(GdiTest, DrawingCallsAreLoggedWithWhatIsInForce) {
    const GdiCounts before = gdi.Live();
    const HDC dc = GetDC(window);
    const HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    const HGDIOBJ stockPen = SelectObject(dc, pen);
    EXPECT_EQ(SetBkColor(dc, kBlue), 0xFFFFFFu);  // a context starts with a white background
    MoveToEx(dc, 3, 0, nullptr);
    LineTo(dc, 3, 15);
    const HBRUSH brush = CreateSolidBrush(kBlue);
    RECT r{0, 0, 40, 15};
    FillRect(dc, &r, brush);
    DrawText(dc, "Row", &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    EXPECT_EQ(SelectObject(dc, stockPen), pen);

    const std::vector<DrawRecord>& log = gdi.Log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[1].op, DrawOp::LineTo);
    EXPECT_EQ(log[1].from.x, 3);
    EXPECT_EQ(log[1].to.y, 15);
    EXPECT_EQ(log[1].state.penColor, kRed);
    EXPECT_EQ(log[1].window, window);
    EXPECT_EQ(log[2].op, DrawOp::FillRect);
    EXPECT_EQ(log[2].fillColor, kBlue);
    EXPECT_EQ(log[3].text, "Row");
    EXPECT_EQ(log[3].state.bkColor, kBlue);
    EXPECT_EQ(log[3].flags, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);

    // Nothing has been released yet: the counts show every object and the context.
    EXPECT_EQ(gdi.Live().pens, before.pens + 1);
    EXPECT_EQ(gdi.Live().brushes, before.brushes + 1);
    EXPECT_EQ(gdi.Live().dcs, before.dcs + 1);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(ReleaseDC(window, dc), 1);
    EXPECT_EQ(gdi.Live(), before);
}

TEST_F(GdiTest, AnObjectStillSelectedIsNotDeletedAndStaysCounted) {
    const HDC memory = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = gdi.CreateBitmap(8, 10, {}, 10);
    const HGDIOBJ stockBitmap = SelectObject(memory, bitmap);
    EXPECT_NE(stockBitmap, nullptr);
    EXPECT_EQ(SelectObject(GetDC(window), bitmap), nullptr);  // a bitmap only in a memory context
    EXPECT_FALSE(DeleteObject(bitmap));

    const HDC target = GetDC(nullptr);
    EXPECT_TRUE(BitBlt(target, 67, 8, 8, 5, memory, 0, 5, SRCCOPY));
    EXPECT_EQ(gdi.Log().back().srcBitmap, bitmap);
    EXPECT_EQ(gdi.Log().back().rect, (RECT{67, 8, 75, 13}));
    EXPECT_EQ(gdi.Log().back().srcPoint.y, 5);

    SelectObject(memory, stockBitmap);
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(ReleaseDC(nullptr, target), 1);
    EXPECT_EQ(gdi.Live().bitmaps, 0);
    EXPECT_EQ(gdi.Live().dcs, 1);  // the context of GetDC(window) above leaked
}

TEST_F(GdiTest, OwnContextIsPersistentAndUncounted) {
    RegisterClass("OwnDc", DefWindowProc, ClassDc::Own);
    const HWND own = CreateWindow("OwnDc", 0, 0, nullptr, RECT{0, 0, 10, 10});
    const HDC dc = GetDC(own);
    EXPECT_EQ(GetDC(own), dc);
    SetTextColor(dc, kRed);
    EXPECT_EQ(ReleaseDC(own, dc), 1);
    EXPECT_EQ(SetTextColor(dc, 0), kRed);
    EXPECT_EQ(gdi.Live().dcs, 0);
    EXPECT_EQ(GetSysColor(5), 0xFFFFFFu);   // COLOR_WINDOW
    EXPECT_EQ(GetSysColor(15), 0xC0C0C0u);  // COLOR_BTNFACE
}

TEST_F(GdiTest, DrawingOnAWindowLeavesItsPixels) {
    const HDC dc = GetDC(window);
    EXPECT_EQ(sim::GetPixel(window, 5, 5), Surface::kUnpainted);
    const HBRUSH brush = CreateSolidBrush(kBlue);
    const RECT fill{2, 2, 6, 4};
    FillRect(dc, &fill, brush);
    EXPECT_EQ(sim::GetPixel(window, 2, 2), kBlue);
    EXPECT_EQ(sim::GetPixel(window, 5, 3), kBlue);
    EXPECT_EQ(sim::GetPixel(window, 6, 3), Surface::kUnpainted) << "right edge excluded";

    // A line leaves its end point out, as LineTo does.
    const HPEN pen = CreatePen(PS_SOLID, 1, kRed);
    const HGDIOBJ stockPen = SelectObject(dc, pen);
    MoveToEx(dc, 0, 10, nullptr);
    LineTo(dc, 4, 10);
    EXPECT_EQ(sim::GetPixel(window, 0, 10), kRed);
    EXPECT_EQ(sim::GetPixel(window, 3, 10), kRed);
    EXPECT_EQ(sim::GetPixel(window, 4, 10), Surface::kUnpainted);

    // A copy takes the bitmap's pixels; text leaves no pixels.
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP bitmap = gdi.CreateBitmap(2, 2, {1, 2, 3, 4}, -1);
    const HGDIOBJ stockBitmap = SelectObject(memory, bitmap);
    BitBlt(dc, 20, 20, 2, 1, memory, 0, 1, SRCCOPY);
    EXPECT_EQ(sim::GetPixel(window, 20, 20), 3u);
    EXPECT_EQ(sim::GetPixel(window, 21, 20), 4u);
    RECT text{30, 30, 60, 45};
    DrawText(dc, "Row", &text, DT_SINGLELINE);
    EXPECT_EQ(sim::GetPixel(window, 31, 35), Surface::kUnpainted);

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
    EXPECT_EQ(sim::GetPixel(window, 0, 0), Gdi::SysColor(22));    // 3-D light
    EXPECT_EQ(sim::GetPixel(window, 1, 1), Gdi::SysColor(20));    // highlight
    EXPECT_EQ(sim::GetPixel(window, 15, 16), Gdi::SysColor(21));  // dark shadow
    EXPECT_EQ(sim::GetPixel(window, 14, 15), Gdi::SysColor(16));  // shadow
    EXPECT_EQ(sim::GetPixel(window, 5, 5), Surface::kUnpainted) << "the face is left alone";

    RECT flat{20, 0, 36, 17};
    DrawEdge(dc, &flat, EDGE_SUNKEN, BF_RECT | BF_FLAT);
    EXPECT_EQ(sim::GetPixel(window, 20, 0), Gdi::SysColor(16));
    EXPECT_EQ(sim::GetPixel(window, 35, 16), Gdi::SysColor(16));
    EXPECT_EQ(sim::GetPixel(window, 21, 1), Gdi::SysColor(15));
    ReleaseDC(window, dc);
}

TEST_F(GdiTest, TextMeasuresCharacterByCharacter) {
    EXPECT_EQ(TextWidth("il Mx"), 3 + 3 + 3 + 9 + 6);
    const HDC dc = GetDC(window);
    int fit = -1;
    int dx[4] = {};
    SIZE size{};
    // "Äbc" counts three characters, whatever their bytes.
    ASSERT_TRUE(GetTextExtentExPoint(dc,
                                     "\xC3\x84"
                                     "bc",
                                     12, &fit, dx, &size));
    EXPECT_EQ(fit, 2);
    EXPECT_EQ(dx[0], 6);
    EXPECT_EQ(dx[1], 12);
    EXPECT_EQ(size.cx, 18);
    EXPECT_EQ(size.cy, kTextHeight);
    GetTextExtentExPoint(dc, "W", 8, &fit, nullptr, nullptr);
    EXPECT_EQ(fit, 0);
    EXPECT_EQ(gdi.Log().back().op, DrawOp::MeasureText);
    ReleaseDC(window, dc);
}

}  // namespace
}  // namespace cp::sim::test
