#include "platform/win32/ModuleInstance.h"

#include <atomic>

#include "platform/win32/IdleStepWindow.h"
#include "platform/win32/ListWindow.h"
#include "platform/win32/ModalForm.h"
#include "platform/win32/ThreadPostWindow.h"
#include "platform/win32/UserControlWindow.h"
#include "platform/win32/WindowsApi.h"

namespace cp::win32 {
namespace {

HINSTANCE gModule = nullptr;    // set by a DLL; nullptr: the program's own module
std::atomic<long> gObjects{0};  // ModuleObjects alive

}  // namespace

HINSTANCE ModuleInstance() {
    return gModule != nullptr ? gModule : ::GetModuleHandleW(nullptr);
}

void SetModuleInstance(HINSTANCE module) {
    gModule = module;
}

void UnregisterHostWindowClasses() {
    ::UnregisterClassW(kUserControlClass, ModuleInstance());
    ::UnregisterClassW(kListBoxClass, ModuleInstance());
    ::UnregisterClassW(kModalFormClass, ModuleInstance());
    ::UnregisterClassW(kThreadPostClass, ModuleInstance());
    ::UnregisterClassW(kIdleStepClass, ModuleInstance());
}

ModuleObject::ModuleObject() {
    ++gObjects;
}

ModuleObject::~ModuleObject() {
    --gObjects;
}

long LiveModuleObjects() {
    return gObjects.load();
}

}  // namespace cp::win32
