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

// One live object of the module that a client may hold: a COM object of a component, or an
// accessible object that a screen reader keeps after its control has ended. The module that
// holds its code may not be unloaded while it lives.
class ModuleObject {
public:
    ModuleObject();
    ~ModuleObject();
    ModuleObject(const ModuleObject&) = delete;
    ModuleObject& operator=(const ModuleObject&) = delete;
};

// How many such objects live now, on every thread.
long LiveModuleObjects();

}  // namespace cp::win32
