// The simulated drawing objects and device contexts. Objects are counted while they live, so
// that a test can check that a drawing procedure releases what it creates; every drawing call
// is recorded in the drawing log, and a call on a window's context also leaves its pixels on
// the window's Surface.
//
// A device context starts with the stock objects selected (a white brush, a black one-pixel
// pen, the system font and, in a memory context, a 1 x 1 bitmap), a white background and black
// text. Stock objects are never counted and deleting one does nothing. A context from GetDC
// counts until ReleaseDC, a memory context until DeleteDC; a window whose class keeps its own
// context (class names ending in "DC") has one persistent context that is not counted.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "platform/basApi.h"
#include "platform/sim/DrawingLog.h"
#include "platform/sim/HandleAllocator.h"

namespace cp::sim {

enum class GdiKind { Brush, Pen, Font, Bitmap };

struct GdiObject {
    GdiKind kind = GdiKind::Brush;
    bool stock = false;              // a stock object: never counted, never deleted
    COLORREF color = 0;              // brush and pen colour
    int penStyle = 0;                // pen style
    int penWidth = 0;                // pen width in pixels
    std::string fontName{};          // font face
    int width = 0;                   // bitmap width in pixels
    int height = 0;                  // bitmap height in pixels
    std::vector<COLORREF> pixels{};  // bitmap pixels, row by row from the top
    int resourceId = -1;             // the resource a bitmap was loaded from, -1 for none
};

// Frame: a context of the window's frame (outside its client area), whose drawing is only
// recorded.
enum class DcKind { Window, Own, Memory, Frame };

struct DeviceContext {
    DcKind kind = DcKind::Window;
    HWND window = nullptr;    // the window drawn on (nullptr: memory or screen)
    HGDIOBJ brush = nullptr;  // selected objects
    HGDIOBJ pen = nullptr;
    HGDIOBJ font = nullptr;
    HGDIOBJ bitmap = nullptr;
    COLORREF bkColor = 0;    // background colour
    COLORREF textColor = 0;  // text colour
    POINT position{};        // current position of MoveToEx / LineTo
};

// Live objects and contexts, stock objects and persistent window contexts excluded.
struct GdiCounts {
    int brushes = 0;
    int pens = 0;
    int fonts = 0;
    int bitmaps = 0;
    int dcs = 0;
    friend bool operator==(const GdiCounts&, const GdiCounts&) = default;
};

class Gdi {
public:
    explicit Gdi(HandleAllocator& handles);

    HBRUSH CreateBrush(COLORREF color);
    HPEN CreatePen(int style, int width, COLORREF color);
    HFONT CreateFont(std::string name);
    HBITMAP CreateBitmap(int width, int height, std::vector<COLORREF> pixels, int resourceId);
    // False for an unknown object and for one still selected into a context. Deleting one of
    // the objects deleted last a second time ends the program: on the real system its handle
    // may name another object by then, the host's own for one.
    bool DeleteObject(HGDIOBJ object);
    const GdiObject* Object(HGDIOBJ object) const;

    HDC CreateWindowDc(HWND window, DcKind kind);
    HDC CreateMemoryDc();
    // Ends a context of the given kind; false when hdc is not one.
    bool EndDc(HDC hdc, DcKind kind);
    DeviceContext* Dc(HDC hdc);
    // Returns the object of the same kind that was selected, nullptr on failure.
    HGDIOBJ Select(HDC hdc, HGDIOBJ object);
    DcState StateOf(const DeviceContext& dc) const;

    void Record(DrawRecord record) { log_.push_back(std::move(record)); }
    const std::vector<DrawRecord>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    // Forgets what was drawn after the first `size` records: a test that looks at the screen
    // leaves the log as it found it.
    void TrimLog(std::size_t size) {
        if (size < log_.size()) log_.resize(size);
    }
    GdiCounts Live() const;

    HFONT SystemFont() const { return stockFont_; }
    // The classic Windows system colours by index (0 for an index without one).
    static COLORREF SysColor(int index);

private:
    HGDIOBJ AddObject(GdiObject object);
    void SelectStockObjects(DeviceContext& dc);
    bool IsSelected(HGDIOBJ object) const;
    HGDIOBJ& Slot(DeviceContext& dc, GdiKind kind);

    HandleAllocator& handles_;              // the world's handle source
    std::map<HGDIOBJ, GdiObject> objects_;  // live objects, stock ones included
    // The objects deleted last, which a second delete most likely names; a fixed number, so
    // that a long session's memory stays flat.
    std::array<HGDIOBJ, 256> deleted_{};
    std::size_t nextDeleted_ = 0;       // where the next deleted object goes in deleted_
    std::map<HDC, DeviceContext> dcs_;  // live contexts
    std::vector<DrawRecord> log_;       // the drawing log
    HBRUSH stockBrush_ = nullptr;       // the stock objects
    HPEN stockPen_ = nullptr;
    HFONT stockFont_ = nullptr;
    HBITMAP stockBitmap_ = nullptr;
};

}  // namespace cp::sim
