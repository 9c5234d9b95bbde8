// Handles of the simulated window system: distinct non-null values, never reused within a
// world, shared by windows, device contexts, drawing objects and hooks.
#pragma once

#include <cstdint>

namespace cp::sim {

class HandleAllocator {
public:
    template <class Handle>
    Handle New() {
        next_ += kStep;
        return reinterpret_cast<Handle>(next_);
    }

private:
    static constexpr std::uintptr_t kStep = 0x10;
    std::uintptr_t next_ = 0x10000;  // the last handle given out
};

}  // namespace cp::sim
