// The open list's scroll bar. A growing filtered list finds the rest of its rows before the
// scroll bar takes it to or past the last row found so far, as Down and PageDown do: the
// arrows and the trough stop at the list's true last row, and the thumb, whose place is a
// share of the rows, stands for the whole list from its first move.
//
// The thumb's moves place the list here, not in the list box: the list box takes the place
// where the thumb is let go from the message, which holds only 16 bits of it, and a list of
// more than 65,536 rows would land on the row modulo 65,536. The scroll bar's tracking
// position holds all of it.
#include <algorithm>
#include <cstdint>

#include "control/ColumnPick.h"
#include "reports/ErrorReport.h"

namespace cp {
namespace {

// The request may show the last row found, or ask for a place that only the whole list
// knows (a share of the rows, the end): top is the list's top row, page its rows.
bool ReachesLastRow(int request, std::int64_t top, std::int64_t page, std::int64_t count) {
    switch (request) {
        case SB_LINEDOWN:
            return top + 1 + page >= count;
        case SB_PAGEDOWN:
            return top + 2 * page >= count;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
        case SB_BOTTOM:
            return true;
        default:
            return false;  // up, to the top, or the scroll's end
    }
}

// The row the thumb stands for: the scroll bar's tracking position. A release whose tracking
// position does not end in the message's 16 bits comes from no drag (a program's own
// request), and goes by the message, as the list box would.
std::int32_t ThumbRow(HWND list, int request, int position) {
    SCROLLINFO info;
    info.fMask = SIF_TRACKPOS;
    if (!GetScrollInfo(list, SB_VERT, &info)) return position;
    if (request == SB_THUMBPOSITION && (info.nTrackPos & 0xFFFF) != position) return position;
    return info.nTrackPos;
}

}  // namespace

bool ColumnPick::lstListBox_Scrolling(int request, int position) {
    bool placed = false;
    TrappedSub("lstListBox_Scrolling", [&] {
        const std::int32_t page = std::max<std::int16_t>(settings.intListRows, 1);
        if (shown.Growing(rows) &&
            ReachesLastRow(request, lstListBox.TopIndex(), page, shown.Count(rows)))
            FinishShownRows();
        if (request != SB_THUMBTRACK && request != SB_THUMBPOSITION) return;
        const HWND list = lstListBox.hWnd();
        SendMessage(list, LB_SETTOPINDEX,
                    static_cast<WPARAM>(std::max(ThumbRow(list, request, position), 0)), 0);
        placed = true;
    });
    return placed;
}

}  // namespace cp
