#include "listview/MeasuringContext.h"

#include <algorithm>
#include <utility>

#include "runtime/Utf8.h"

namespace cp {

MeasuringContext::MeasuringContext(HWND hWndList, HFONT hFont)
    : hWndList_(hWndList), hDC_(GetDC(hWndList)) {
    try {
        hPreviousFont_ = SelectObject(hDC_, hFont);
    } catch (...) {
        ReleaseDC(hWndList_, hDC_);
        throw;
    }
}

MeasuringContext::~MeasuringContext() {
    try {
        Release();
    } catch (...) {
        // Cleaning up after a failed row: the failure being reported is the one that counts.
    }
}

std::string MeasuringContext::Fit(std::string text, int maxExtent) const {
    int fit = 0;
    SIZE size{};
    // The per-character extents are not needed: the fitting count alone says where to cut.
    // A column too narrow for any text asks for 0, never a negative maximum, which the window
    // system would take for no limit and fit the whole text.
    GetTextExtentExPoint(hDC_, text, std::max(maxExtent, 0), &fit, nullptr, &size);
    const auto kept = static_cast<std::size_t>(std::max(fit, 0));
    if (kept < utf8::Length(text)) text.resize(utf8::OffsetOf(text, kept));
    return text;
}

int MeasuringContext::Width(std::string_view text) const {
    if (text.empty()) return 0;
    SIZE size{};
    GetTextExtentExPoint(hDC_, text, 0, nullptr, nullptr, &size);
    return size.cx;
}

void MeasuringContext::Release() {
    const HDC hDC = std::exchange(hDC_, nullptr);
    if (hDC == nullptr) return;
    try {
        SelectObject(hDC, hPreviousFont_);
    } catch (...) {
        ReleaseDC(hWndList_, hDC);
        throw;
    }
    ReleaseDC(hWndList_, hDC);
}

}  // namespace cp
