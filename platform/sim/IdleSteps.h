// The idle steps of one simulated world (platform/IdleStep.h): a step that is scheduled waits
// here until the world's message processing (DoEvents,
// ProcessPendingMessages) runs one round of them after the queued messages (in the order the steps
// were made), or the test runs rounds itself. A test may hold the steps, as a user who types faster
// than the thread gets idle: message processing then leaves them waiting until the test runs them.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/IdleStep.h"

namespace cp::sim {

class IdleSteps {
public:
    IdleSteps();
    ~IdleSteps();
    IdleSteps(const IdleSteps&) = delete;
    IdleSteps& operator=(const IdleSteps&) = delete;

    // A step of this world that runs step.
    std::unique_ptr<IdleStep> Make(std::function<void()> step);
    // Runs every step scheduled at this moment once (a step scheduled by one of them waits for
    // the next round); returns how many ran.
    int RunRound();
    // Runs rounds until no step is scheduled, at most maxRounds; returns the rounds run.
    int Drain(int maxRounds = 100000);
    // The steps scheduled now.
    int Scheduled() const;
    // While held, message processing runs no step; the test's own rounds still do.
    void Hold(bool held) { held_ = held; }
    bool Held() const { return held_; }

    struct Entry;

private:
    std::shared_ptr<std::vector<std::shared_ptr<Entry>>> entries_;  // shared with the steps
    bool held_ = false;
};

}  // namespace cp::sim
