// Helpers of the simulator's tests: a window that records what its children tell it, and a
// data-less, owner-drawn list made by a creation hook.
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

// A data-less, owner-drawn list box, a child of the parent: a WH_CALLWNDPROC hook subclasses it
// at its WM_CREATE, adds LBS_NODATA | LBS_OWNERDRAWFIXED to its style and removes itself.
HWND CreateVirtualList(HWND parent, const RECT& rect, LONG_PTR style = 0);

}  // namespace cp::sim::test
