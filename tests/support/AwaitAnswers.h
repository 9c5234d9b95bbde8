// Lets the window's messages run until the server has answered what the user typed and the
// answer has reached the control, as a user waits for the completion to show; and until the
// rows read ahead of the open list have come, so that a test counting the server's reads
// counts them all.
#pragma once

#include <chrono>
#include <thread>

#include "platform/Host.h"
#include "tests/support/ColumnPickProbe.h"

namespace cp::test {

// False when the answer did not come within bound.
inline bool AwaitServerAnswers(ColumnPick& control,
                               std::chrono::milliseconds bound = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + bound;
    ColumnPickProbe probe(control);
    while (probe.ServerQuestionOutstanding() || probe.ServerReadingAhead()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        host::DoEvents();
    }
    return true;
}

}  // namespace cp::test
