// The form watcher: a replacement window procedure of the host form that closes the open list
// when the user clicks elsewhere on the form, when the form or the application loses
// activation, or when the form is destroyed. One watcher per user-interface thread.
#pragma once

#include "platform/basApi.h"

namespace cp {

// The control whose list is open, as the form watcher sees it: all the watcher does with it is
// close the list.
class DropDownOwner {
public:
    virtual ~DropDownOwner() = default;
    // Closes the open list; the edit field takes the focus.
    virtual void CloseDropDown() = 0;
};

// The control whose list is open (nullptr: none).
void SetDropDownOwner(DropDownOwner* ctl);
// ctl goes away: when the watcher works for it, the watcher lets go of it and stops.
void ForgetDropDownOwner(const DropDownOwner* ctl);
// Starts watching hWnd, the form that holds the drop-down owner.
void SubclassForm(HWND hWnd);
// Stops watching hWnd; does nothing when hWnd is not the watched form.
void UnsubclassForm(HWND hWnd);
LRESULT CP_CALLBACK FormWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

}  // namespace cp
