// The form watcher: while a list is open, the host form's messages pass through here first, so
// that a click elsewhere on the form, a loss of activation or the form's end closes the list.
#include "hosting/WindowMessages.h"
#include "hosting/basHookListBox.h"

namespace cp {
namespace {

constexpr WPARAM kOtherAppActive = 0;  // WM_ACTIVATEAPP: another application is activated

// The control whose list is open.
thread_local DropDownOwner* gobjDropDownOwner = nullptr;
// The form the watcher was last put on, and that form's own procedure. Both outlive the stop,
// because the message that closed the list still goes on to that procedure afterwards.
thread_local HWND gWatchedForm = nullptr;
thread_local WNDPROC glngPrevFormProc = nullptr;
// The watcher is in place on gWatchedForm.
thread_local bool gWatching = false;

constexpr WPARAM LowWord(WPARAM value) {
    return value & 0xFFFF;
}

bool ClosesList(UINT uMsg, WPARAM wParam) {
    switch (uMsg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_DESTROY:
            return true;
        case WM_ACTIVATE:
            return LowWord(wParam) == WA_INACTIVE;
        case WM_ACTIVATEAPP:
            return wParam == kOtherAppActive;
        default:
            return false;
    }
}

}  // namespace

void SetDropDownOwner(DropDownOwner* ctl) {
    gobjDropDownOwner = ctl;
}

void ForgetDropDownOwner(const DropDownOwner* ctl) {
    if (ctl == nullptr || gobjDropDownOwner != ctl) return;
    gobjDropDownOwner = nullptr;
    if (gWatching) UnsubclassForm(gWatchedForm);
}

void SubclassForm(HWND hWnd) {
    if (hWnd == nullptr) return;
    if (gWatching) {
        // A second start on the same form would keep the watcher itself as the form's procedure.
        if (hWnd == gWatchedForm) return;
        SubclassWindow(gWatchedForm, glngPrevFormProc);
        gWatching = false;
    }
    const WNDPROC previous = SubclassWindow(hWnd, &FormWindowProc);
    if (previous == nullptr) return;
    gWatchedForm = hWnd;
    glngPrevFormProc = previous;
    gWatching = true;
}

void UnsubclassForm(HWND hWnd) {
    if (!gWatching || hWnd != gWatchedForm) return;
    SubclassWindow(hWnd, glngPrevFormProc);
    gWatching = false;
    gobjDropDownOwner = nullptr;
}

LRESULT CP_CALLBACK FormWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = hWnd == gWatchedForm ? glngPrevFormProc : nullptr;
    const bool watched = gWatching && hWnd == gWatchedForm;
    if (watched && ClosesList(uMsg, wParam) && gobjDropDownOwner != nullptr) {
        gobjDropDownOwner->CloseDropDown();
    }
    // A closing that failed half-way must not leave the watcher on a window that is gone.
    if (uMsg == WM_NCDESTROY) UnsubclassForm(hWnd);
    return previous ? CallWindowProc(previous, hWnd, uMsg, wParam, lParam) : 0;
}

}  // namespace cp
