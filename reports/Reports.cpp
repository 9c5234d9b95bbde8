#include "reports/Reports.h"

#include <string>

#include "platform/Host.h"
#include "reports/Startup.h"
#include "runtime/RuntimeError.h"

namespace cp {
namespace {

thread_local RefusalWatch* tInnermostWatch = nullptr;

}  // namespace

RefusalWatch::RefusalWatch() : outer_(tInnermostWatch) {
    tInnermostWatch = this;
}

RefusalWatch::~RefusalWatch() {
    tInnermostWatch = outer_;
}

void UsageMessage(std::string_view message) {
    host::MsgBox(message, vbOKOnly);
}

void PropertyValueReport(std::int32_t number, std::string_view message) {
    if (tInnermostWatch != nullptr) tInnermostWatch->refused_ = true;
    if (gblnStarted) {
        UsageMessage(message);
        return;
    }
    Raise(number, std::string(message));
}

}  // namespace cp
