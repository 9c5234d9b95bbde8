// Hosting ColumnPick.ocx in a C++ container: ATL's host window makes the control from its
// program identifier, and the control's dual interface fills it.
#include <windows.h>

#include <ole2.h>

#include "ColumnPick_h.h"  // made from ColumnPick.idl by the build

using AtlAxWinInitFunction = BOOL(WINAPI*)();
using AtlAxGetControlFunction = HRESULT(WINAPI*)(HWND, IUnknown**);

// Places a ColumnPick in `parent`, fills it with three countries and returns it.
_ColumnPick* HostColumnPick(HWND parent) {
    HMODULE atl = LoadLibraryW(L"atl.dll");
    auto init = reinterpret_cast<AtlAxWinInitFunction>(
        reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
    auto getControl = reinterpret_cast<AtlAxGetControlFunction>(
        reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
    init();
    HWND host = CreateWindowExW(0, L"AtlAxWin", L"ColumnPick.ColumnPick", WS_CHILD | WS_VISIBLE, 10,
                                10, 220, 21, parent, nullptr, nullptr, nullptr);
    IUnknown* unknown = nullptr;
    if (FAILED(getControl(host, &unknown))) return nullptr;
    _ColumnPick* control = nullptr;
    unknown->QueryInterface(__uuidof(_ColumnPick), reinterpret_cast<void**>(&control));
    unknown->Release();

    short columns = 2;
    control->put_ColumnCount(&columns);
    BSTR widths = SysAllocString(L"1500;600");
    control->put_ColumnWidths(&widths);
    SysFreeString(widths);
    BSTR items = SysAllocString(L"France;FR;Germany;DE;Italy;IT");
    control->AddList(items);
    SysFreeString(items);
    return control;
}
