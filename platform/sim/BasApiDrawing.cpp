// The drawing functions of basApi.h on the current world's recording contexts.
#include <optional>
#include <string>
#include <utility>

#include "platform/basApi.h"
#include "platform/sim/Edges.h"
#include "platform/sim/TextMetrics.h"
#include "platform/sim/World.h"

namespace cp {
namespace {

constexpr COLORREF kInvalidColor = 0xFFFFFFFF;  // CLR_INVALID
// A brush handle from 1 to this value stands for the system colour (value - 1).
constexpr std::uintptr_t kLastSysColorBrush = 31;

sim::Gdi& Checked(sim::Operation operation) {
    sim::World& world = sim::World::Current();
    world.CheckFailure(operation);
    return world.Graphics();
}

sim::DrawRecord Record(sim::DrawOp op, HDC hdc, const sim::Gdi& gdi, const sim::DeviceContext& dc) {
    sim::DrawRecord record;
    record.op = op;
    record.dc = hdc;
    record.window = dc.window;
    record.memoryDc = dc.kind == sim::DcKind::Memory;
    record.frameDc = dc.kind == sim::DcKind::Frame;
    record.state = gdi.StateOf(dc);
    return record;
}

// The pixels that a context draws on: its window's client area; nullptr for a memory context
// or the screen, whose drawing is only recorded.
sim::Surface* SurfaceOf(const sim::DeviceContext& dc) {
    if (dc.kind == sim::DcKind::Frame) return nullptr;
    sim::Window* w = dc.window ? sim::World::Current().Windows().Find(dc.window) : nullptr;
    return w ? &w->surface : nullptr;
}

// The colour of a pixel that BitBlt copies: from a memory context's bitmap or a window's
// client area; nullopt outside them.
std::optional<COLORREF> SourcePixel(const sim::Gdi& gdi, const sim::DeviceContext& src, int x,
                                    int y) {
    if (const sim::Surface* surface = SurfaceOf(src)) return surface->At(x, y);
    const sim::GdiObject* bitmap = gdi.Object(src.bitmap);
    if (!bitmap || x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height) return {};
    return bitmap->pixels[static_cast<std::size_t>(y * bitmap->width + x)];
}

void CopyPixels(const sim::Gdi& gdi, const sim::DeviceContext& dest, const RECT& to,
                const sim::DeviceContext& src, POINT from) {
    sim::Surface* surface = SurfaceOf(dest);
    if (!surface) return;
    for (int y = to.top; y < to.bottom; ++y)
        for (int x = to.left; x < to.right; ++x)
            if (auto pixel = SourcePixel(gdi, src, from.x + x - to.left, from.y + y - to.top))
                surface->Set(x, y, *pixel);
}

}  // namespace

HDC GetDC(HWND hWnd) {
    sim::World& world = sim::World::Current();
    world.CheckFailure("GetDC");
    if (!hWnd) return world.Graphics().CreateWindowDc(nullptr, sim::DcKind::Window);
    const sim::Window* w = world.Windows().Find(hWnd);
    if (!w) return nullptr;
    return w->ownDc ? w->ownDc : world.Graphics().CreateWindowDc(hWnd, sim::DcKind::Window);
}

int ReleaseDC(HWND hWnd, HDC hDC) {
    sim::Gdi& gdi = Checked("ReleaseDC");
    const sim::DeviceContext* dc = gdi.Dc(hDC);
    if (!dc || dc->window != hWnd) return 0;
    if (dc->kind == sim::DcKind::Own) return 1;
    return gdi.EndDc(hDC, sim::DcKind::Window) ? 1 : 0;
}

HDC CreateCompatibleDC(HDC hdc) {
    sim::Gdi& gdi = Checked("CreateCompatibleDC");
    if (hdc && !gdi.Dc(hdc)) return nullptr;
    return gdi.CreateMemoryDc();
}

BOOL DeleteDC(HDC hdc) {
    return Checked("DeleteDC").EndDc(hdc, sim::DcKind::Memory) ? 1 : 0;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return Checked("CreateSolidBrush").CreateBrush(color);
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
    return Checked("CreatePen").CreatePen(iStyle, cWidth, color);
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
    return Checked("SelectObject").Select(hdc, h);
}

BOOL DeleteObject(HGDIOBJ ho) {
    return Checked("DeleteObject").DeleteObject(ho) ? 1 : 0;
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    sim::Gdi& gdi = Checked("FillRect");
    const sim::DeviceContext* dc = gdi.Dc(hDC);
    if (!dc || !lprc) return 0;
    const auto value = reinterpret_cast<std::uintptr_t>(hbr);
    COLORREF color;
    if (value >= 1 && value <= kLastSysColorBrush) {
        color = sim::Gdi::SysColor(static_cast<int>(value - 1));
    } else {
        const sim::GdiObject* brush = gdi.Object(hbr);
        if (!brush || brush->kind != sim::GdiKind::Brush) return 0;
        color = brush->color;
    }
    if (sim::Surface* surface = SurfaceOf(*dc)) surface->Fill(*lprc, color);
    sim::DrawRecord record = Record(sim::DrawOp::FillRect, hDC, gdi, *dc);
    record.rect = *lprc;
    record.fillBrush = hbr;
    record.fillColor = color;
    gdi.Record(std::move(record));
    return 1;
}

BOOL DrawEdge(HDC hdc, RECT* qrc, UINT edge, UINT grfFlags) {
    sim::Gdi& gdi = Checked("DrawEdge");
    const sim::DeviceContext* dc = gdi.Dc(hdc);
    if (!dc || !qrc) return 0;
    if (sim::Surface* surface = SurfaceOf(*dc)) sim::PaintEdge(*surface, *qrc, edge, grfFlags);
    sim::DrawRecord record = Record(sim::DrawOp::DrawEdge, hdc, gdi, *dc);
    record.rect = *qrc;
    record.edge = edge;
    record.flags = grfFlags;
    gdi.Record(std::move(record));
    return 1;
}

int DrawText(HDC hdc, std::string_view text, RECT* lprc, UINT format) {
    sim::Gdi& gdi = Checked("DrawText");
    const sim::DeviceContext* dc = gdi.Dc(hdc);
    if (!dc || !lprc) return 0;
    sim::DrawRecord record = Record(sim::DrawOp::DrawText, hdc, gdi, *dc);
    record.rect = *lprc;
    record.flags = format;
    record.text = std::string(text);
    gdi.Record(std::move(record));
    return text.empty() ? 0 : sim::kTextHeight;
}

BOOL GetTextExtentExPoint(HDC hdc, std::string_view text, int nMaxExtent, int* lpnFit, int* lpnDx,
                          SIZE* lpSize) {
    sim::Gdi& gdi = Checked("GetTextExtentExPoint");
    const sim::DeviceContext* dc = gdi.Dc(hdc);
    if (!dc) return 0;
    const std::vector<int> extents = sim::TextExtents(text);
    const int fit = sim::TextFit(text, nMaxExtent);
    if (lpnFit) *lpnFit = fit;
    // The partial extents go out for the characters that fit (all of them when no fit is asked).
    const std::size_t filled = lpnFit ? static_cast<std::size_t>(fit) : extents.size();
    for (std::size_t i = 0; lpnDx && i < filled; ++i)
        lpnDx[i] = extents[i];
    if (lpSize) *lpSize = SIZE{extents.empty() ? 0 : extents.back(), sim::kTextHeight};
    sim::DrawRecord record = Record(sim::DrawOp::MeasureText, hdc, gdi, *dc);
    record.text = std::string(text);
    record.maxExtent = nMaxExtent;
    record.fit = fit;
    gdi.Record(std::move(record));
    return 1;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    sim::DeviceContext* dc = Checked("SetBkColor").Dc(hdc);
    return dc ? std::exchange(dc->bkColor, color) : kInvalidColor;
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    sim::DeviceContext* dc = Checked("SetTextColor").Dc(hdc);
    return dc ? std::exchange(dc->textColor, color) : kInvalidColor;
}

BOOL MoveToEx(HDC hdc, int x, int y, POINT* lppt) {
    sim::Gdi& gdi = Checked("MoveToEx");
    sim::DeviceContext* dc = gdi.Dc(hdc);
    if (!dc) return 0;
    if (lppt) *lppt = dc->position;
    dc->position = POINT{x, y};
    sim::DrawRecord record = Record(sim::DrawOp::MoveTo, hdc, gdi, *dc);
    record.to = POINT{x, y};
    gdi.Record(std::move(record));
    return 1;
}

BOOL LineTo(HDC hdc, int x, int y) {
    sim::Gdi& gdi = Checked("LineTo");
    sim::DeviceContext* dc = gdi.Dc(hdc);
    if (!dc) return 0;
    sim::DrawRecord record = Record(sim::DrawOp::LineTo, hdc, gdi, *dc);
    record.from = dc->position;
    record.to = POINT{x, y};
    if (sim::Surface* surface = SurfaceOf(*dc))
        surface->Line(dc->position, record.to, record.state.penColor);
    dc->position = POINT{x, y};
    gdi.Record(std::move(record));
    return 1;
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    sim::Gdi& gdi = Checked("BitBlt");
    const sim::DeviceContext* dc = gdi.Dc(hdc);
    const sim::DeviceContext* src = gdi.Dc(hdcSrc);
    if (!dc || !src) return 0;
    sim::DrawRecord record = Record(sim::DrawOp::BitBlt, hdc, gdi, *dc);
    record.rect = RECT{x, y, x + cx, y + cy};
    record.srcDc = hdcSrc;
    record.srcBitmap = static_cast<HBITMAP>(src->bitmap);
    record.srcPoint = POINT{x1, y1};
    record.rop = rop;
    if (rop == SRCCOPY) CopyPixels(gdi, *dc, record.rect, *src, record.srcPoint);
    gdi.Record(std::move(record));
    return 1;
}

DWORD GetSysColor(int nIndex) {
    Checked("GetSysColor");
    return sim::Gdi::SysColor(nIndex);
}

}  // namespace cp
