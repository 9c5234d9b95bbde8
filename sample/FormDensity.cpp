#include "sample/FormDensity.h"

#include "platform/win32/WindowsApi.h"

namespace cp::sample {
namespace {

constexpr int kLayoutDpi = 96;
constexpr int kPointsPerInch = 72;
constexpr int kLabelPoints = 8;  // the stock GUI font's size at 96 pixels per inch

int ScreenDpi() {
    static const int dpi = [] {
        HDC screen = ::GetDC(nullptr);
        const int value = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : kLayoutDpi;
        if (screen != nullptr) ::ReleaseDC(nullptr, screen);
        return value > 0 ? value : kLayoutDpi;
    }();
    return dpi;
}

}  // namespace

int Scaled(int pixels) {
    return ::MulDiv(pixels, ScreenDpi(), kLayoutDpi);
}

HFONT LabelFont() {
    static const HFONT font = []() -> HFONT {
        const auto stock = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        ::LOGFONTW face{};
        if (ScreenDpi() == kLayoutDpi || ::GetObjectW(stock, sizeof face, &face) == 0) return stock;
        // Some systems grow the stock font with the screen and some do not: its size in points
        // says the same on either.
        face.lfHeight = -::MulDiv(kLabelPoints, ScreenDpi(), kPointsPerInch);
        const HFONT grown = ::CreateFontIndirectW(&face);
        return grown != nullptr ? grown : stock;
    }();
    return font;
}

}  // namespace cp::sample
