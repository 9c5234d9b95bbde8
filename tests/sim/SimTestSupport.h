// Helpers of the simulator's tests: a window that records what its children tell it, and a
// creation hook that turns the next list box into a data-less, owner-drawn list.
#pragma once

#include <string>
#include <vector>

#include "platform/basApi.h"

namespace cp::sim::test {

struct OwnerEvent {
    UINT message = 0;       // WM_DRAWITEM or WM_COMMAND
    DRAWITEMSTRUCT item{};  // WM_DRAWITEM: the record
    HFONT font = nullptr;   // WM_DRAWITEM: the font selected into the record's context
    UINT code = 0;          // WM_COMMAND: the notification code
    HWND from = nullptr;    // WM_COMMAND: the child
    std::string text{};     // WM_COMMAND: the child's text when it notified
};

// A top-level window of class "RecordingOwner" whose procedure records WM_DRAWITEM and
// WM_COMMAND in OwnerLog().
HWND CreateRecordingOwner(const RECT& rect = RECT{100, 50, 400, 300});
std::vector<OwnerEvent>& OwnerLog();

// Installs a WH_CALLWNDPROC hook that, at the WM_CREATE of the next list box, subclasses it,
// adds LBS_NODATA | LBS_OWNERDRAWFIXED to its style and removes itself.
void ConvertNextListBox();

// A data-less, owner-drawn list box, a child of the parent, created through ConvertNextListBox.
HWND CreateVirtualList(HWND parent, const RECT& rect, LONG_PTR style = 0);

}  // namespace cp::sim::test
