// The open list's scroll bar. A growing filtered list finds the rest of its rows before the
// scroll bar takes it to or past the last row found so far, as Down and PageDown do: the
// arrows and the trough stop at the list's true last row, and the thumb, whose place is a
// share of the rows, stands for the whole list from its first move.
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

}  // namespace

void ColumnPick::lstListBox_Scrolling(int request) {
    TrappedSub("lstListBox_Scrolling", [&] {
        if (!shown.Growing(rows)) return;
        const std::int32_t page = std::max<std::int16_t>(settings.intListRows, 1);
        if (ReachesLastRow(request, lstListBox.TopIndex(), page, shown.Count(rows)))
            FinishShownRows();
    });
}

}  // namespace cp
