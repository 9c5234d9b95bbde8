// A host that shows the About box, lets go of the control and ends, without asking the
// component whether it may be unloaded (OleUninitialize does not ask): the process's end must
// free nothing twice. The component is registered by the caller (run_exit_host.sh), which reads
// Wine's heap checks.
#include <cstdio>

#include "platform/win32/WindowsApi.h"

#include <ole2.h>

namespace {

constexpr UINT kBoxPollMilliseconds = 20;

void CALLBACK CloseTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = ::FindWindowW(nullptr, L"Info about ColumnPick");
    if (box == nullptr || !::IsWindowVisible(box)) return;
    ::KillTimer(nullptr, timer);
    ::PostMessageW(box, WM_CLOSE, 0, 0);
}

int ShowAboutAndLetGo() {
    CLSID clsid{};
    IDispatch* control = nullptr;
    if (FAILED(::CLSIDFromProgID(L"ColumnPick.ColumnPick", &clsid)) ||
        FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(&control)))) {
        std::printf("FAIL no control\n");
        return 1;
    }
    DISPID about = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"About")};
    DISPPARAMS none{};
    ::SetTimer(nullptr, 0, kBoxPollMilliseconds, &CloseTheBox);
    const bool shown =
        SUCCEEDED(control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &about)) &&
        SUCCEEDED(control->Invoke(about, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                                  nullptr, nullptr, nullptr));
    control->Release();
    if (!shown) {
        std::printf("FAIL About\n");
        return 1;
    }
    std::printf("the About box was shown and closed; the process ends\n");
    return 0;
}

}  // namespace

int main() {
    if (FAILED(::OleInitialize(nullptr))) return 1;
    const int status = ShowAboutAndLetGo();
    ::OleUninitialize();
    return status;
}
