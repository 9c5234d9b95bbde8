#include "platform/sim/Gdi.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

namespace cp::sim {
namespace {

constexpr COLORREF Rgb(int r, int g, int b) {
    return static_cast<COLORREF>(r | (g << 8) | (b << 16));
}
constexpr COLORREF kWhite = Rgb(255, 255, 255);
constexpr COLORREF kBlack = Rgb(0, 0, 0);

// The "Windows Standard" scheme of the classic desktop, indices 0 (COLOR_SCROLLBAR) to 30
// (COLOR_MENUBAR).
constexpr std::array<COLORREF, 31> kSysColors = {
    Rgb(192, 192, 192), Rgb(0, 128, 128),   Rgb(0, 0, 128),     Rgb(128, 128, 128),
    Rgb(192, 192, 192), Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(0, 0, 0),
    Rgb(0, 0, 0),       Rgb(255, 255, 255), Rgb(192, 192, 192), Rgb(192, 192, 192),
    Rgb(128, 128, 128), Rgb(0, 0, 128),     Rgb(255, 255, 255), Rgb(192, 192, 192),
    Rgb(128, 128, 128), Rgb(128, 128, 128), Rgb(0, 0, 0),       Rgb(192, 192, 192),
    Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(223, 223, 223), Rgb(0, 0, 0),
    Rgb(255, 255, 225), Rgb(0, 0, 0),       Rgb(0, 0, 255),     Rgb(16, 132, 208),
    Rgb(181, 181, 181), Rgb(0, 0, 128),     Rgb(192, 192, 192),
};

}  // namespace

Gdi::Gdi(HandleAllocator& handles) : handles_(handles) {
    stockBrush_ = static_cast<HBRUSH>(AddObject({.kind = GdiKind::Brush, .color = kWhite}));
    stockPen_ = static_cast<HPEN>(AddObject({.kind = GdiKind::Pen, .penWidth = 1}));
    stockFont_ = static_cast<HFONT>(AddObject({.kind = GdiKind::Font, .fontName = "System"}));
    stockBitmap_ = static_cast<HBITMAP>(
        AddObject({.kind = GdiKind::Bitmap, .width = 1, .height = 1, .pixels = {kBlack}}));
    for (HGDIOBJ stock :
         {HGDIOBJ(stockBrush_), HGDIOBJ(stockPen_), HGDIOBJ(stockFont_), HGDIOBJ(stockBitmap_)})
        objects_[stock].stock = true;
}

HGDIOBJ Gdi::AddObject(GdiObject object) {
    HGDIOBJ handle = handles_.New<HGDIOBJ>();
    objects_.emplace(handle, std::move(object));
    return handle;
}

HBRUSH Gdi::CreateBrush(COLORREF color) {
    return static_cast<HBRUSH>(AddObject({.kind = GdiKind::Brush, .color = color}));
}

HPEN Gdi::CreatePen(int style, int width, COLORREF color) {
    return static_cast<HPEN>(
        AddObject({.kind = GdiKind::Pen, .color = color, .penStyle = style, .penWidth = width}));
}

HFONT Gdi::CreateFont(std::string name) {
    return static_cast<HFONT>(AddObject({.kind = GdiKind::Font, .fontName = std::move(name)}));
}

HBITMAP Gdi::CreateBitmap(int width, int height, std::vector<COLORREF> pixels, int resourceId) {
    pixels.resize(static_cast<std::size_t>(width * height));
    return static_cast<HBITMAP>(AddObject({.kind = GdiKind::Bitmap,
                                           .width = width,
                                           .height = height,
                                           .pixels = std::move(pixels),
                                           .resourceId = resourceId}));
}

const GdiObject* Gdi::Object(HGDIOBJ object) const {
    const auto it = objects_.find(object);
    return it == objects_.end() ? nullptr : &it->second;
}

bool Gdi::IsSelected(HGDIOBJ object) const {
    for (const auto& [handle, dc] : dcs_)
        if (dc.brush == object || dc.pen == object || dc.font == object || dc.bitmap == object)
            return true;
    return false;
}

bool Gdi::DeleteObject(HGDIOBJ object) {
    const auto it = objects_.find(object);
    if (it == objects_.end()) {
        if (object == nullptr || std::ranges::find(deleted_, object) == deleted_.end()) {
            return false;
        }
        std::fputs("cp::sim: DeleteObject named a drawing object that was deleted already\n",
                   stderr);
        std::abort();
    }
    if (it->second.stock) return true;
    // Windows refuses to delete an object that a context still uses; it stays alive.
    if (IsSelected(object)) return false;
    objects_.erase(it);
    deleted_[nextDeleted_++ % deleted_.size()] = object;
    return true;
}

void Gdi::SelectStockObjects(DeviceContext& dc) {
    dc.brush = stockBrush_;
    dc.pen = stockPen_;
    dc.font = stockFont_;
    dc.bitmap = dc.kind == DcKind::Memory ? stockBitmap_ : nullptr;
    dc.bkColor = kWhite;
    dc.textColor = kBlack;
}

HDC Gdi::CreateWindowDc(HWND window, DcKind kind) {
    HDC handle = handles_.New<HDC>();
    DeviceContext dc{.kind = kind, .window = window};
    SelectStockObjects(dc);
    dcs_.emplace(handle, dc);
    return handle;
}

HDC Gdi::CreateMemoryDc() {
    HDC handle = handles_.New<HDC>();
    DeviceContext dc{.kind = DcKind::Memory};
    SelectStockObjects(dc);
    dcs_.emplace(handle, dc);
    return handle;
}

bool Gdi::EndDc(HDC hdc, DcKind kind) {
    const auto it = dcs_.find(hdc);
    if (it == dcs_.end() || it->second.kind != kind) return false;
    dcs_.erase(it);
    return true;
}

DeviceContext* Gdi::Dc(HDC hdc) {
    const auto it = dcs_.find(hdc);
    return it == dcs_.end() ? nullptr : &it->second;
}

HGDIOBJ& Gdi::Slot(DeviceContext& dc, GdiKind kind) {
    switch (kind) {
        case GdiKind::Brush:
            return dc.brush;
        case GdiKind::Pen:
            return dc.pen;
        case GdiKind::Font:
            return dc.font;
        case GdiKind::Bitmap:
            break;
    }
    return dc.bitmap;
}

HGDIOBJ Gdi::Select(HDC hdc, HGDIOBJ object) {
    DeviceContext* dc = Dc(hdc);
    const GdiObject* o = Object(object);
    if (!dc || !o) return nullptr;
    if (o->kind == GdiKind::Bitmap) {
        // A bitmap goes only into a memory context, and into one context at a time.
        if (dc->kind != DcKind::Memory) return nullptr;
        if (dc->bitmap != object && !o->stock && IsSelected(object)) return nullptr;
    }
    HGDIOBJ& slot = Slot(*dc, o->kind);
    HGDIOBJ previous = slot;
    slot = object;
    return previous;
}

DcState Gdi::StateOf(const DeviceContext& dc) const {
    DcState state;
    state.brush = static_cast<HBRUSH>(dc.brush);
    state.pen = static_cast<HPEN>(dc.pen);
    state.font = static_cast<HFONT>(dc.font);
    state.bitmap = static_cast<HBITMAP>(dc.bitmap);
    if (const GdiObject* brush = Object(dc.brush)) state.brushColor = brush->color;
    if (const GdiObject* pen = Object(dc.pen)) {
        state.penColor = pen->color;
        state.penWidth = pen->penWidth;
        state.penStyle = pen->penStyle;
    }
    state.bkColor = dc.bkColor;
    state.textColor = dc.textColor;
    return state;
}

GdiCounts Gdi::Live() const {
    GdiCounts counts;
    for (const auto& [handle, o] : objects_) {
        if (o.stock) continue;
        switch (o.kind) {
            case GdiKind::Brush:
                ++counts.brushes;
                break;
            case GdiKind::Pen:
                ++counts.pens;
                break;
            case GdiKind::Font:
                ++counts.fonts;
                break;
            case GdiKind::Bitmap:
                ++counts.bitmaps;
                break;
        }
    }
    for (const auto& [handle, dc] : dcs_)
        if (dc.kind != DcKind::Own) ++counts.dcs;
    return counts;
}

COLORREF Gdi::SysColor(int index) {
    if (index < 0 || index >= static_cast<int>(kSysColors.size())) return 0;
    return kSysColors[static_cast<std::size_t>(index)];
}

}  // namespace cp::sim
