// Device contexts, drawing objects and text: each operation is the Win32 call of the same name.
// The objects made are recorded (GdiAccounting); text is converted to UTF-16 and its measurements
// back to code points.
#include <vector>

#include "platform/win32/GdiAccounting.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"
#include "runtime/Utf8.h"

namespace cp {
namespace {

::RECT ToWin32(const RECT& r) {
    return ::RECT{r.left, r.top, r.right, r.bottom};
}
RECT FromWin32(const ::RECT& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

// A UTF-8 text in UTF-16, with the unit count after each of its code points.
struct MeasuredText {
    std::wstring units;
    std::vector<int> endOfCodePoint;
};

MeasuredText ToMeasuredText(std::string_view text) {
    MeasuredText out;
    out.units.reserve(text.size());
    for (std::size_t offset = 0; offset < text.size();) {
        char32_t c = utf8::Next(text, offset);
        if (c >= 0x10000) {
            c -= 0x10000;
            out.units += static_cast<wchar_t>(0xD800 | (c >> 10));
            out.units += static_cast<wchar_t>(0xDC00 | (c & 0x3FF));
        } else {
            out.units += static_cast<wchar_t>(c);
        }
        out.endOfCodePoint.push_back(static_cast<int>(out.units.size()));
    }
    return out;
}

}  // namespace

HDC GetDC(HWND hWnd) {
    return ::GetDC(hWnd);
}

int ReleaseDC(HWND hWnd, HDC hDC) {
    return ::ReleaseDC(hWnd, hDC);
}

HDC CreateCompatibleDC(HDC hdc) {
    HDC dc = ::CreateCompatibleDC(hdc);
    win32::CountMade(dc);
    return dc;
}

BOOL DeleteDC(HDC hdc) {
    return ::DeleteDC(hdc);
}

HBRUSH CreateSolidBrush(COLORREF color) {
    HBRUSH brush = ::CreateSolidBrush(color);
    win32::CountMade(brush);
    return brush;
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
    HPEN pen = ::CreatePen(iStyle, cWidth, color);
    win32::CountMade(pen);
    return pen;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
    return ::SelectObject(hdc, h);
}

BOOL DeleteObject(HGDIOBJ ho) {
    return ::DeleteObject(ho);
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    const ::RECT r = ToWin32(*lprc);
    return ::FillRect(hDC, &r, hbr);
}

BOOL DrawEdge(HDC hdc, RECT* qrc, UINT edge, UINT grfFlags) {
    ::RECT r = ToWin32(*qrc);
    const BOOL ok = ::DrawEdge(hdc, &r, edge, grfFlags);
    *qrc = FromWin32(r);
    return ok;
}

int DrawText(HDC hdc, std::string_view text, RECT* lprc, UINT format) {
    const std::wstring wide = win32::Widen(text);
    ::RECT r = ToWin32(*lprc);
    const int height = ::DrawTextW(hdc, wide.c_str(), static_cast<int>(wide.size()), &r, format);
    *lprc = FromWin32(r);
    return height;
}

BOOL GetTextExtentExPoint(HDC hdc, std::string_view text, int nMaxExtent, int* lpnFit, int* lpnDx,
                          SIZE* lpSize) {
    const MeasuredText measured = ToMeasuredText(text);
    const int units = static_cast<int>(measured.units.size());
    int fitUnits = 0;
    std::vector<int> dxUnits(measured.units.size());
    ::SIZE size{};
    const BOOL ok = ::GetTextExtentExPointW(hdc, measured.units.c_str(), units, nMaxExtent,
                                            lpnFit ? &fitUnits : nullptr,
                                            lpnDx ? dxUnits.data() : nullptr, &size);
    if (!ok) return ok;
    const auto& ends = measured.endOfCodePoint;
    if (lpnFit != nullptr) {
        // Only code points whose every unit fits count.
        int fit = 0;
        while (fit < static_cast<int>(ends.size()) && ends[fit] <= fitUnits)
            ++fit;
        *lpnFit = fit;
    }
    if (lpnDx != nullptr) {
        for (std::size_t i = 0; i < ends.size(); ++i)
            lpnDx[i] = dxUnits[ends[i] - 1];
    }
    if (lpSize != nullptr) *lpSize = SIZE{size.cx, size.cy};
    return ok;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    return ::SetBkColor(hdc, color);
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    return ::SetTextColor(hdc, color);
}

BOOL MoveToEx(HDC hdc, int x, int y, POINT* lppt) {
    ::POINT previous{};
    const BOOL ok = ::MoveToEx(hdc, x, y, &previous);
    if (lppt != nullptr) *lppt = POINT{previous.x, previous.y};
    return ok;
}

BOOL LineTo(HDC hdc, int x, int y) {
    return ::LineTo(hdc, x, y);
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    return ::BitBlt(hdc, x, y, cx, cy, hdcSrc, x1, y1, rop);
}

DWORD GetSysColor(int nIndex) {
    return ::GetSysColor(nIndex);
}

}  // namespace cp
