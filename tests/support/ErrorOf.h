// The number of the run-time error that a call raised, for tests that compare failures.
#pragma once

#include <cstdint>

#include "runtime/RuntimeError.h"

namespace cp::test {

// Runs f and returns the number of the run-time error it raised (0 when none).
template <class F>
std::int32_t ErrorOf(F&& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

}  // namespace cp::test
