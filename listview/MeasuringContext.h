// A device context of the list window with the list's font selected, in which a row's cell
// texts are measured. It is given back when the row is done, so that drawing any number of
// rows holds no device context.
#pragma once

#include <string>

#include "platform/basApi.h"

namespace cp {

class MeasuringContext {
public:
    MeasuringContext(HWND hWndList, HFONT hFont);
    ~MeasuringContext();
    MeasuringContext(const MeasuringContext&) = delete;
    MeasuringContext& operator=(const MeasuringContext&) = delete;

    // The leading characters of text whose total width is at most maxExtent pixels, measured
    // with one call; never a part of a character and no ellipsis.
    std::string Fit(std::string text, int maxExtent) const;
    // The width of the whole text in pixels.
    int Width(std::string_view text) const;

    // Puts the previous font back and gives the context back; later calls do nothing.
    void Release();

private:
    HWND hWndList_;          // the list window the context belongs to
    HDC hDC_;                // the measuring context; nullptr once given back
    HGDIOBJ hPreviousFont_;  // the font selected before the list's
};

}  // namespace cp
