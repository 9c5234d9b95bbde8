// Work the control does in idle steps (platform/IdleStep.h): a stretch of rows at a time until
// the step's time is up, so that no message waits for much more than one step.
#pragma once

#include <chrono>
#include <cstdint>

namespace cp::idle_work {

// Rows a stretch takes before the clock is looked at again: a few milliseconds at most.
inline constexpr std::int32_t kStretchRows = 1 << 14;
// The time a step may take.
inline constexpr auto kStepTime = std::chrono::milliseconds(8);

// Runs stretch() while it answers that work remains and the step's time lasts; true while work
// remains.
template <class Stretch>
bool RunOneStep(Stretch&& stretch) {
    const auto end = std::chrono::steady_clock::now() + kStepTime;
    bool more = true;
    while (more && std::chrono::steady_clock::now() < end)
        more = stretch();
    return more;
}

}  // namespace cp::idle_work
