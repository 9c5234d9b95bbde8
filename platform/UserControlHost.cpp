#include "platform/Host.h"

namespace cp {

std::unique_ptr<ThreadPost> UserControlHost::MakeThreadPost(std::function<void()> deliver) {
    return host::MakeThreadPost(std::move(deliver));
}

std::unique_ptr<IdleStep> UserControlHost::MakeIdleStep(std::function<void()> step) {
    return host::MakeIdleStep(std::move(step));
}

}  // namespace cp
