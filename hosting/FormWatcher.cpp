// The form watcher: while a list is open, the host form's messages pass through here first, so
// that a click elsewhere on the form, a loss of activation or the form's end closes the list.
#include <map>

#include "hosting/WindowMessages.h"
#include "hosting/basHookListBox.h"

namespace cp {
namespace {

constexpr WPARAM kOtherAppActive = 0;  // WM_ACTIVATEAPP: another application is activated

// The control whose list is open.
thread_local DropDownOwner* gobjDropDownOwner = nullptr;
// The procedure that the watcher passes each form's messages on to, for every form whose chain
// it sits in. It stays in a form's chain after its stop where the host or a library subclassed
// the form above it meanwhile: taking it out would cut their subclass out too. It then passes
// every message on, and a later start on the same form finds it there.
thread_local std::map<HWND, WNDPROC> gFormProcs;
// The form watched now, with the list open; nullptr for none.
thread_local HWND gWatchedForm = nullptr;

WNDPROC PassedOnTo(HWND hWnd) {
    const auto found = gFormProcs.find(hWnd);
    return found == gFormProcs.end() ? nullptr : found->second;
}

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
    if (gWatchedForm != nullptr) UnsubclassForm(gWatchedForm);
}

void SubclassForm(HWND hWnd) {
    if (hWnd == nullptr || hWnd == gWatchedForm) return;
    if (gWatchedForm != nullptr) UnsubclassForm(gWatchedForm);
    if (PassedOnTo(hWnd) == nullptr) {
        const WNDPROC previous = SubclassWindow(hWnd, &FormWindowProc);
        if (previous == nullptr) return;
        gFormProcs[hWnd] = previous;
    }
    gWatchedForm = hWnd;
}

void UnsubclassForm(HWND hWnd) {
    if (gWatchedForm == nullptr || hWnd != gWatchedForm) return;
    gWatchedForm = nullptr;
    gobjDropDownOwner = nullptr;
    if (GetWindowProc(hWnd) != &FormWindowProc) return;
    SubclassWindow(hWnd, PassedOnTo(hWnd));
    gFormProcs.erase(hWnd);
}

LRESULT CP_CALLBACK FormWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    // Taken first: the message that closes the list goes on to the procedure afterwards.
    const WNDPROC previous = PassedOnTo(hWnd);
    if (hWnd == gWatchedForm && ClosesList(uMsg, wParam) && gobjDropDownOwner != nullptr) {
        gobjDropDownOwner->CloseDropDown();
    }
    // A closing that failed half-way must not leave the watcher on a window that is gone.
    if (uMsg == WM_NCDESTROY) {
        UnsubclassForm(hWnd);
        gFormProcs.erase(hWnd);
    }
    return previous ? CallWindowProc(previous, hWnd, uMsg, wParam, lParam) : 0;
}

}  // namespace cp
