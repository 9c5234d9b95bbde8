#include "control/ListWindowRows.h"

#include "platform/basApi.h"

namespace cp {

std::int32_t ListWindowRowsInStep(ListBox& list, std::int32_t rows) {
    const HWND window = list.hWnd();
    const auto counted = static_cast<std::int32_t>(SendMessage(window, LB_GETCOUNT, 0, 0));
    if (counted == rows) return rows;
    // A list that keeps rows of its own (one created before the component was started, with
    // no creation hook to make it data-less) refuses a count and keeps the rows it has.
    if (SendMessage(window, LB_SETCOUNT, static_cast<WPARAM>(rows), 0) == LB_ERR) return counted;
    return rows;
}

}  // namespace cp
