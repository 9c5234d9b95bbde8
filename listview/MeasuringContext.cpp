#include "listview/MeasuringContext.h"

#include <algorithm>

#include "platform/Utf8.h"

namespace cp {

MeasuringContext::MeasuringContext(HWND hWndList, HFONT hFont)
    : hWndList_(hWndList), hDC_(GetDC(hWndList)), hPreviousFont_(SelectObject(hDC_, hFont)) {}

MeasuringContext::~MeasuringContext() {
    Release();
}

std::string MeasuringContext::Fit(std::string text, int lngMaxExtent) const {
    int fit = 0;
    SIZE size{};
    // The per-character extents are not needed: the fitting count alone says where to cut.
    GetTextExtentExPoint(hDC_, text, lngMaxExtent, &fit, nullptr, &size);
    const auto kept = static_cast<std::size_t>(std::max(fit, 0));
    if (kept < utf8::Length(text)) text.resize(utf8::OffsetOf(text, kept));
    return text;
}

void MeasuringContext::Release() {
    if (hDC_ == nullptr) return;
    SelectObject(hDC_, hPreviousFont_);
    ReleaseDC(hWndList_, hDC_);
    hDC_ = nullptr;
}

}  // namespace cp
