// The soak on the simulated platform: 100,000 rounds (10,000 under AddressSanitizer), the
// simulator's live drawing objects, and the heap bytes in use as the C library counts them.
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

// Under AddressSanitizer a round costs several times as much; a tenth of the rounds still shows
// a drawing object or a leak that a round leaves behind, and the plain build runs all. Its
// allocator is its own, and the C library counts nothing.
#ifdef CP_SOAK_ASAN
const SoakPlan kSoakPlan{.settledRound = 1'000, .lastRound = 10'000, .memoryComparable = false};
#else
const SoakPlan kSoakPlan{.settledRound = 1'000, .lastRound = 100'000, .memoryComparable = true};
#endif

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
