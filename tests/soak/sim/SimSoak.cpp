// The soak on the simulated platform: 100,000 rounds, the simulator's live drawing objects,
// and the heap bytes in use as the C library counts them.
#include <malloc.h>

#include "platform/sim/World.h"
#include "tests/soak/SoakPlatform.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CP_SOAK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define CP_SOAK_ASAN 1
#endif

namespace cp::test {

int SettledRound() {
    return 1'000;
}

int LastRound() {
    return 100'000;
}

bool MemoryComparable() {
    // Under AddressSanitizer the allocator is its own, and the C library counts nothing.
#ifdef CP_SOAK_ASAN
    return false;
#else
    return true;
#endif
}

SoakFigures MeasureSoak() {
    const sim::GdiCounts live = sim::World::Current().Graphics().Live();
    return SoakFigures{live.brushes + live.pens + live.fonts + live.bitmaps + live.dcs,
                       static_cast<std::int64_t>(mallinfo2().uordblks)};
}

void ForgetRecords() {
    sim::World& world = sim::World::Current();
    world.Graphics().ClearLog();
    world.ClearMessageBoxes();
}

}  // namespace cp::test
