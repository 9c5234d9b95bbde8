// The module whose resources and window classes the Win32 host uses: the program itself, or
// the component's DLL when a COM host has loaded it.
#pragma once

#include "platform/basApi.h"

namespace cp::win32 {

// The module's instance handle; the program's own until SetModuleInstance says otherwise.
HINSTANCE ModuleInstance();
// Called by a DLL's entry point when it is loaded.
void SetModuleInstance(HINSTANCE module);
// Removes the window classes that the host registered for the module, so that a DLL unloaded
// and loaded again registers them anew with its new procedures.
void UnregisterHostWindowClasses();

}  // namespace cp::win32
