#include "platform/win32/ScreenDensity.h"

#include <algorithm>

#include "platform/win32/WindowsApi.h"
#include "runtime/ScreenUnits.h"

namespace cp::win32 {
namespace {

constexpr int kBaseDpi = 96;
constexpr int kRowPadding = 2;  // pixels of a row above and below its text

int ScreenDpi() {
    HDC dc = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : kBaseDpi;
}

int FontHeight(HFONT font) {
    HDC dc = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, font);
    ::TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

}  // namespace

HFONT ControlFont() {
    static const HFONT font = []() -> HFONT {
        if (ScreenDpi() == kBaseDpi) return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        ::NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        return ::CreateFontIndirectW(&metrics.lfMessageFont);
    }();
    return font;
}

int RowPixelsFor(HFONT font) {
    return std::max(CurrentScreenUnits().rowPixels, FontHeight(font) + kRowPadding);
}

void TakeScreenUnits() {
    const int dpi = ScreenDpi();
    if (dpi == kBaseDpi) {
        SetScreenUnits(ScreenUnits{});
        return;
    }
    // A row is never lower than the 96-DPI row scaled, and always tall enough for the font.
    const int rows = std::max(ScaledRowPixels(dpi), FontHeight(ControlFont()) + kRowPadding);
    SetScreenUnits(ScreenUnitsFor(dpi, rows));
}

}  // namespace cp::win32
