// The component's demo: a window of a C++ container holds a ColumnPick (HostColumnPick.cpp);
// a user types "ge" and sees it completed to Germany, opens the list with Alt+Down, and the
// screen is saved with the list open; then Down and Enter pick the next row, Italy, and the
// list closes. Then the designer's view: the control's property pages in the system's frame,
// saved as a second picture. Exits with 0 when all of that happened.
//   cp_container_demo <screenshot.bmp> [<property-page.bmp>]
// The sample's screenshot helpers come first: they bring windows.h in the platform's way.
#include "sample/Screenshot.h"

#include <ole2.h>

#include <cstdio>
#include <string>

#include "ColumnPick_h.h"

_ColumnPick* HostColumnPick(HWND parent);
bool SavePropertyPages(IUnknown* control, HWND owner, const std::string& path);

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Key(HWND target, UINT down, UINT up, WPARAM key, LPARAM extra) {
    const LPARAM scan = 1 | (static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16);
    SendMessageW(target, down, key, scan | extra);
    Pump();
    SendMessageW(target, up, key, scan | extra | (LPARAM{3} << 30));
    Pump();
}

void Type(HWND edit, const wchar_t* text) {
    for (const wchar_t* c = text; *c; ++c) {
        const WPARAM key = static_cast<WPARAM>(VkKeyScanW(*c) & 0xFF);
        const LPARAM scan = 1 | (static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16);
        SendMessageW(edit, WM_KEYDOWN, key, scan);
        SendMessageW(edit, WM_CHAR, *c, scan);
        SendMessageW(edit, WM_KEYUP, key, scan | (LPARAM{3} << 30));
        Pump();
    }
}

BOOL CALLBACK TakeOpenList(HWND hWnd, LPARAM out) {
    wchar_t name[64] = {};
    GetClassNameW(hWnd, name, 64);
    if (std::wstring(name) != L"ThunderRT6ListBox" || !IsWindowVisible(hWnd)) return TRUE;
    *reinterpret_cast<HWND*>(out) = hWnd;
    return FALSE;
}

HWND FindOpenList() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &TakeOpenList, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Down and Enter in the open list: the row below is committed and the list closes. Answers the
// control's text, or "(list still open)".
std::wstring Pick(_ColumnPick& control, HWND edit) {
    Key(edit, WM_KEYDOWN, WM_KEYUP, VK_DOWN, 0);
    Type(edit, L"\r");
    if (FindOpenList() != nullptr) return L"(list still open)";
    BSTR text = nullptr;
    control.get_Text(&text);
    std::wstring picked = text != nullptr ? text : L"";
    SysFreeString(text);
    return picked;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: cp_container_demo <screenshot.bmp> [<property-page.bmp>]\n");
        return 2;
    }
    OleInitialize(nullptr);
    WNDCLASSEXW formClass{};
    formClass.cbSize = sizeof formClass;
    formClass.lpfnWndProc = DefWindowProcW;
    formClass.hInstance = GetModuleHandleW(nullptr);
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    formClass.lpszClassName = L"ContainerForm";
    RegisterClassExW(&formClass);
    HWND form = CreateWindowExW(0, L"ContainerForm", L"ColumnPick in a container",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 320, 200, nullptr,
                                nullptr, nullptr, nullptr);
    SetForegroundWindow(form);
    _ColumnPick* control = HostColumnPick(form);
    int status = 1;
    if (control != nullptr) {
        IOleWindow* window = nullptr;
        HWND controlWindow = nullptr;
        control->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window));
        if (window) window->GetWindow(&controlWindow), window->Release();
        HWND edit = FindWindowExW(controlWindow, nullptr, L"Edit", nullptr);
        SetFocus(edit);
        Pump();
        Type(edit, L"ge");
        Key(edit, WM_SYSKEYDOWN, WM_SYSKEYUP, VK_DOWN, LPARAM{1} << 29);
        Pump();
        HWND list = FindOpenList();
        BSTR text = nullptr;
        control->get_Text(&text);
        const bool completed = text != nullptr && std::wstring(text) == L"Germany";
        SysFreeString(text);
        const bool saved = list != nullptr && cp::sample::SaveScreenArea(
                                                  cp::sample::AreaAround(form, {list}), argv[1]);
        const std::wstring picked = Pick(*control, edit);
        std::printf("completed: %s, list open: %s, picked: %ls, screenshot: %s\n",
                    completed ? "yes" : "no", list ? "yes" : "no", picked.c_str(),
                    saved ? argv[1] : "none");
        status = completed && saved && picked == L"Italy" ? 0 : 1;
        if (argc == 3) {
            const bool page = SavePropertyPages(control, form, argv[2]);
            std::printf("property page: %s\n", page ? argv[2] : "none");
            if (!page) status = 1;
        }
        control->Release();
    }
    DestroyWindow(form);
    Pump();
    OleUninitialize();
    return status;
}
