#include "platform/Host.h"

namespace cp {

std::unique_ptr<ThreadPost> UserControlHost::MakeThreadPost(std::function<void()> deliver) {
    return host::MakeThreadPost(std::move(deliver));
}

}  // namespace cp
