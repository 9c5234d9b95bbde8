#include "platform/sim/FailureInjector.h"

#include "platform/RuntimeError.h"

namespace cp::sim {

void FailureInjector::FailNext(std::string operation, std::int32_t number, int skip) {
    plans_.push_back(Plan{std::move(operation), number, skip});
}

void FailureInjector::Check(std::string_view operation) {
    for (auto it = plans_.begin(); it != plans_.end(); ++it) {
        if (it->operation != operation) continue;
        if (it->skip > 0) {
            --it->skip;
            return;
        }
        const std::int32_t number = it->number;
        plans_.erase(it);
        throw RuntimeError(number);
    }
}

}  // namespace cp::sim
