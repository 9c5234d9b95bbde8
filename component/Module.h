// The component's module: its instance, its file, and the count of live objects and server
// locks that tells whether the DLL may be unloaded.
#pragma once

#include <string>

#include "component/Com.h"
#include "platform/win32/ModuleInstance.h"

namespace ocx {

// The program identifier under which the class is registered.
inline constexpr const wchar_t* kProgId = L"ColumnPick.ColumnPick";
inline constexpr const char* kProgIdUtf8 = "ColumnPick.ColumnPick";

HINSTANCE Module();
void SetModule(HINSTANCE module);
// The full path of the component's file.
std::wstring ModulePath();

// True when no object (the control's accessible objects included) and no lock is alive.
bool CanUnload();

// One live object of the component, counted while it exists.
using ObjectLife = cp::win32::ModuleObject;

// IClassFactory::LockServer.
void LockServer(bool lock);

}  // namespace ocx
