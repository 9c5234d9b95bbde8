// The component's start routine and the per-thread flag it sets.
#pragma once

namespace cp {

// True once the component has been started on this thread; never cleared by the component.
extern thread_local bool gblnStarted;

// The start routine: the host runs it on each user-interface thread before the first control
// is created there.
void ComponentStart();

}  // namespace cp
