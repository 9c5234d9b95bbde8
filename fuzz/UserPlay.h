// What a user does to a control, read from a fuzzer's input: typing, the keys that move and
// commit, the button, hovering and clicking in the open list, and the focus leaving.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/Outcome.h"

namespace cp::fuzz {

// Plays one user action as a step; `allowed` says what it may show.
void PlayUser(Session& s, FuzzedDataProvider& in, const Outcome& allowed);

}  // namespace cp::fuzz
