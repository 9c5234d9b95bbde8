// The designer's view of the component: the control's property pages in the system's frame,
// a picture of the frame once its first page (the control's own) is up, and Cancel.
#include "sample/Screenshot.h"

#include <ole2.h>
#include <olectl.h>
#include <prsht.h>

#include <string>

namespace {

constexpr UINT kTickMs = 100;
constexpr int kLongestTicks = 100;  // 10 seconds
constexpr int kPaintTicks = 3;      // after the page is up, for its painting

struct Shot {
    std::string path;
    int ticks = 0;
    int seen = 0;  // ticks since the page came up
    bool saved = false;
};

thread_local Shot* tShot = nullptr;

BOOL CALLBACK TakeFrame(HWND hWnd, LPARAM out) {
    wchar_t name[16] = {};
    GetClassNameW(hWnd, name, 16);
    if (!IsWindowVisible(hWnd) || std::wstring(name) != L"#32770") return TRUE;
    if (FindWindowExW(hWnd, nullptr, nullptr, nullptr) == nullptr) return TRUE;
    *reinterpret_cast<HWND*>(out) = hWnd;
    return FALSE;
}

bool HoldsThePage(HWND frame) {
    for (HWND child = GetWindow(frame, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (FindWindowExW(child, nullptr, L"ColumnPickPropertyPage", nullptr) != nullptr) {
            return true;
        }
    }
    return false;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (tShot == nullptr) return;
    HWND frame = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &TakeFrame, reinterpret_cast<LPARAM>(&frame));
    const bool ready = frame != nullptr && HoldsThePage(frame) && ++tShot->seen > kPaintTicks;
    if (ready && !tShot->saved) {
        tShot->saved = cp::sample::SaveScreenArea(cp::sample::AreaAround(frame, {}), tShot->path);
    }
    if (frame != nullptr && (tShot->saved || ++tShot->ticks > kLongestTicks)) {
        PostMessageW(frame, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }
}

}  // namespace

// Shows the pages that the control lists for itself; true when the picture was saved.
bool SavePropertyPages(IUnknown* control, HWND owner, const std::string& path) {
    ISpecifyPropertyPages* specify = nullptr;
    if (FAILED(control->QueryInterface(IID_ISpecifyPropertyPages,
                                       reinterpret_cast<void**>(&specify)))) {
        return false;
    }
    CAUUID pages{};
    const HRESULT listed = specify->GetPages(&pages);
    specify->Release();
    if (FAILED(listed)) return false;
    Shot shot{path};
    tShot = &shot;
    const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, &Tick);
    OleCreatePropertyFrame(owner, 40, 40, L"ColumnPick1", 1, &control, pages.cElems, pages.pElems,
                           LOCALE_USER_DEFAULT, 0, nullptr);
    KillTimer(nullptr, timer);
    tShot = nullptr;
    CoTaskMemFree(pages.pElems);
    return shot.saved;
}
