// The form watcher: a replacement window procedure of the host form that closes the open list
// when the user clicks elsewhere on the form, when the form or the application loses
// activation, or when the form is destroyed. One watcher per user-interface thread.
#pragma once

#include "platform/basApi.h"

namespace cp {

class ColumnPick;

// The control whose list is open (nullptr: none).
void SetDropDownOwner(ColumnPick* ctl);
// ctl goes away: when the watcher works for it, the watcher lets go of it and stops.
void ForgetDropDownOwner(const ColumnPick* ctl);
// Starts watching hWnd, the form that holds the drop-down owner.
void SubclassForm(HWND hWnd);
// Stops watching hWnd; does nothing when hWnd is not the watched form.
void UnsubclassForm(HWND hWnd);
LRESULT FormWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

}  // namespace cp
