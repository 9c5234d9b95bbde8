// Work that the user-interface thread does a step at a time between its messages, so that no
// keystroke or paint waits for all of it: the owner schedules its step, the thread's message
// processing runs it once when the input and the painting waiting then have been handled, and
// the step schedules itself again while work remains. On Win32 a timer of a message-only window
// of the control's brings the step (the window system hands out timer messages only when no
// input or paint waits); on the simulated platform the world keeps the scheduled steps until its
// message processing or the test runs them.
//
// The step is the owner's for the life of the object: destroying it cancels what was scheduled,
// and no step runs for an owner that has gone.
#pragma once

#include <functional>
#include <memory>

namespace cp {

class IdleStep {
public:
    virtual ~IdleStep() = default;
    // Asks for one run of the step; asking again before it ran still asks for one.
    virtual void Schedule() = 0;
    // The run asked for, if any, does not happen.
    virtual void Cancel() = 0;
    // True while a run is asked for.
    virtual bool Scheduled() const = 0;
};

namespace host {

// An idle step of the calling user-interface thread that runs step there.
std::unique_ptr<IdleStep> MakeIdleStep(std::function<void()> step);

}  // namespace host
}  // namespace cp
