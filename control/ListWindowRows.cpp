#include "control/ListWindowRows.h"

#include "platform/basApi.h"

namespace cp {

std::int32_t ListWindowRowsInStep(ListBox& list, std::int32_t rows) {
    const HWND window = list.hWnd();
    if (SendMessage(window, LB_GETCOUNT, 0, 0) != rows) {
        SendMessage(window, LB_SETCOUNT, static_cast<WPARAM>(rows), 0);
    }
    return rows;
}

}  // namespace cp
