#include "control/Startup.h"

namespace cp {

thread_local bool gblnStarted = false;

void ComponentStart() {
    gblnStarted = true;
}

}  // namespace cp
