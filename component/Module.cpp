#include "component/Module.h"

#include <atomic>

#include "platform/win32/ModuleInstance.h"

namespace ocx {
namespace {

HINSTANCE gModule = nullptr;
std::atomic<long> gObjects{0};  // live objects, the class factories included
std::atomic<long> gLocks{0};    // server locks

// Long enough for any path that the file system allows.
constexpr DWORD kLongestPath = 32768;

}  // namespace

HINSTANCE Module() {
    return gModule;
}

void SetModule(HINSTANCE module) {
    gModule = module;
}

std::wstring ModulePath() {
    std::wstring path(kLongestPath, L'\0');
    const DWORD length = ::GetModuleFileNameW(gModule, path.data(), kLongestPath);
    path.resize(length < kLongestPath ? length : 0);
    return path;
}

bool CanUnload() {
    // A reader may hold an accessible object of a control that is long gone; its code is here.
    return gObjects.load() == 0 && gLocks.load() == 0 && cp::win32::LiveModuleObjects() == 0;
}

ObjectLife::ObjectLife() {
    ++gObjects;
}

ObjectLife::~ObjectLife() {
    --gObjects;
}

void LockServer(bool lock) {
    if (lock) {
        ++gLocks;
    } else if (gLocks.load() > 0) {
        --gLocks;
    }
}

}  // namespace ocx
