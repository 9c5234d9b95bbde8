#include "reports/Startup.h"

#include "platform/Host.h"
#include "runtime/Locale.h"

namespace cp {

thread_local bool gblnStarted = false;

void ComponentStart() {
    SetLocale(host::Locale());
    gblnStarted = true;
}

}  // namespace cp
