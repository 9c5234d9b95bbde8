#include "component/Module.h"

#include <atomic>

namespace ocx {
namespace {

HINSTANCE gModule = nullptr;
std::atomic<long> gLocks{0};  // server locks

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
    // The class factories count, and so does an accessible object that a reader holds past the
    // end of its control: its code is here.
    return cp::win32::LiveModuleObjects() == 0 && gLocks.load() == 0;
}

void LockServer(bool lock) {
    if (lock) {
        ++gLocks;
    } else if (gLocks.load() > 0) {
        --gLocks;
    }
}

}  // namespace ocx
