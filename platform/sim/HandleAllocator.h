// Handles of the simulated window system: distinct non-null values, shared by windows, device
// contexts, drawing objects and hooks, and never reused within the process. As the real window
// system's, they are unique across worlds too: the control's thread-wide tables (its drawing
// subclasses, its hooks) find a window by its handle alone, and a test that runs two worlds on
// one thread must not have one world's notification reach the other's control.
#pragma once

#include <atomic>
#include <cstdint>

namespace cp::sim {

class HandleAllocator {
public:
    template <class Handle>
    Handle New() {
        return reinterpret_cast<Handle>(next_.fetch_add(kStep) + kStep);
    }

private:
    static constexpr std::uintptr_t kStep = 0x10;
    static inline std::atomic<std::uintptr_t> next_{0x10000};  // the last handle given out
};

}  // namespace cp::sim
