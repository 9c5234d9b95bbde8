// The thread's WH_CALLWNDPROC hooks: every message sent to a window procedure passes through
// them first, the most recently installed hook first, each passing it on with CallNextHookEx.
#pragma once

#include <vector>

#include "platform/basApi.h"

namespace cp::sim {

class HookChain {
public:
    void Install(HHOOK handle, HOOKPROC proc);
    // False when the handle names no installed hook.
    bool Remove(HHOOK handle);
    std::size_t Count() const { return hooks_.size(); }

    // Runs the chain for a message about to reach hwnd's procedure. Messages sent from inside a
    // hook procedure do not run the chain again, as on Windows.
    void Run(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (!hooks_.empty() && !pass_.running) RunChain(hwnd, message, wParam, lParam);
    }
    // The next hook of the running chain; 0 when there is none or no chain is running. The
    // handle that the caller passes is not needed: a hook that has just removed itself may
    // still pass the message on.
    LRESULT CallNext(int nCode, WPARAM wParam, LPARAM lParam);

private:
    struct Hook {
        HHOOK handle;   // what SetWindowsHookEx returned
        HOOKPROC proc;  // the hook procedure
    };
    struct Pass {
        std::vector<HHOOK> order;  // the hooks installed when the message arrived
        std::size_t next = 0;      // position of the next hook to call in `order`
        bool running = false;      // a message is travelling through the chain now
    };
    void RunChain(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    const Hook* Installed(HHOOK handle) const;

    std::vector<Hook> hooks_;  // most recently installed first
    // The chain running now, if any. It keeps its storage between messages: the fills send a
    // message per row, and the chain should not cost an allocation each.
    Pass pass_;
};

}  // namespace cp::sim
