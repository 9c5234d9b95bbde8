// The drawing log: every drawing call on a simulated device context, in order, with the
// objects and colours in force at that moment.
#pragma once

#include <string>
#include <vector>

#include "platform/basApi.h"

namespace cp::sim {

enum class DrawOp {
    FillRect,
    DrawEdge,
    DrawText,
    MeasureText,  // GetTextExtentExPoint
    MoveTo,
    LineTo,
    BitBlt,
};

// What a device context holds when a call is made.
struct DcState {
    HBRUSH brush = nullptr;    // selected brush
    COLORREF brushColor = 0;   // its colour
    HPEN pen = nullptr;        // selected pen
    COLORREF penColor = 0;     // its colour
    int penWidth = 0;          // its width in pixels
    int penStyle = 0;          // its style (PS_SOLID = 0)
    HFONT font = nullptr;      // selected font
    HBITMAP bitmap = nullptr;  // selected bitmap (memory device contexts)
    COLORREF bkColor = 0;      // background colour
    COLORREF textColor = 0;    // text colour
};

struct DrawRecord {
    DrawOp op = DrawOp::FillRect;
    HDC dc = nullptr;             // the device context drawn on
    HWND window = nullptr;        // its window; nullptr for a memory context or the screen
    bool memoryDc = false;        // a context from CreateCompatibleDC
    bool frameDc = false;         // a context of the window's frame, outside its client area
    DcState state;                // objects and colours in force
    RECT rect{};                  // FillRect, DrawEdge, DrawText; BitBlt: the destination
    HBRUSH fillBrush = nullptr;   // FillRect: the brush passed
    COLORREF fillColor = 0;       // FillRect: its colour
    UINT edge = 0;                // DrawEdge: the edge
    UINT flags = 0;               // DrawEdge: the flags; DrawText: the format
    std::string text;             // DrawText, MeasureText: the text (UTF-8)
    int maxExtent = 0;            // MeasureText: the maximum extent
    int fit = 0;                  // MeasureText: the characters that fit
    POINT from{};                 // LineTo: the current position before the call
    POINT to{};                   // MoveTo, LineTo: the point passed
    HDC srcDc = nullptr;          // BitBlt: the source context
    HBITMAP srcBitmap = nullptr;  // BitBlt: the bitmap selected in the source
    POINT srcPoint{};             // BitBlt: the source position
    DWORD rop = 0;                // BitBlt: the raster operation
};

}  // namespace cp::sim
