// The component's entry points: the library entry point, the four functions that COM and
// regsvr32 look for, and DllInstall, through which regsvr32 /n /i:user registers the component
// for the current user alone. None of them lets an exception out into the host.
#include <new>

#include "component/ClassFactory.h"
#include "component/ColumnPickObject.h"
#include "component/DatabaseObject.h"
#include "component/Module.h"
#include "component/PageWindow.h"
#include "component/PropertyPage.h"
#include "component/Registration.h"
#include "platform/win32/ModalForm.h"
#include "platform/win32/ModuleInstance.h"

using ocx::ClassFactory;

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            ocx::SetModule(module);
            cp::win32::SetModuleInstance(module);
            ::DisableThreadLibraryCalls(module);
            break;
        case DLL_PROCESS_DETACH:
            // Unloaded while the process goes on: the window classes must not outlive the
            // code of their procedures.
            if (reserved == nullptr) {
                cp::win32::UnregisterHostWindowClasses();
                ocx::UnregisterPageWindowClass();
            }
            break;
        default:
            break;
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    ClassFactory::Creator create = nullptr;
    if (clsid == CLSID_ColumnPick) create = &ocx::ColumnPickObject::Create;
    if (clsid == CLSID_Database) create = &ocx::DatabaseObject::Create;
    if (clsid == ocx::kPropertyPageClass) create = &ocx::PropertyPage::Create;
    if (create == nullptr) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) ClassFactory(create);
    if (factory == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    if (!ocx::CanUnload()) return S_FALSE;
    // The About box of this thread has its window procedure here.
    try {
        cp::win32::DestroyModalForms();
    } catch (...) {
        return S_FALSE;
    }
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    try {
        return ocx::RegisterComponent(ocx::RegistrationScope::Machine);
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    try {
        return ocx::UnregisterComponent(ocx::RegistrationScope::Machine);
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR commandLine) {
    try {
        return ocx::InstallComponent(install != FALSE, commandLine ? commandLine : L"");
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}
