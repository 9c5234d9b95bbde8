#include "platform/sim/HookChain.h"

#include <algorithm>

namespace cp::sim {
namespace {

// The hook record and the value of wParam that a message sent by the thread itself carries.
constexpr WPARAM kSentByThisThread = 1;

}  // namespace

void HookChain::Install(HHOOK handle, HOOKPROC proc) {
    hooks_.insert(hooks_.begin(), Hook{handle, proc});
}

bool HookChain::Remove(HHOOK handle) {
    const auto it = std::find_if(hooks_.begin(), hooks_.end(),
                                 [&](const Hook& h) { return h.handle == handle; });
    if (it == hooks_.end()) return false;
    hooks_.erase(it);
    return true;
}

const HookChain::Hook* HookChain::Installed(HHOOK handle) const {
    for (const Hook& h : hooks_)
        if (h.handle == handle) return &h;
    return nullptr;
}

void HookChain::RunChain(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    pass_.order.clear();
    for (const Hook& h : hooks_)
        pass_.order.push_back(h.handle);
    pass_.next = 0;
    pass_.running = true;
    CWPSTRUCT record{lParam, wParam, message, hwnd};
    struct Reset {
        Pass& pass;
        ~Reset() { pass.running = false; }
    } reset{pass_};
    CallNext(HC_ACTION, kSentByThisThread, reinterpret_cast<LPARAM>(&record));
}

LRESULT HookChain::CallNext(int nCode, WPARAM wParam, LPARAM lParam) {
    if (!pass_.running) return 0;
    while (pass_.next < pass_.order.size()) {
        const Hook* hook = Installed(pass_.order[pass_.next++]);
        // A hook removed while the message travels is skipped, as on Windows.
        if (hook) return hook->proc(nCode, wParam, lParam);
    }
    return 0;
}

}  // namespace cp::sim
