#include "platform/sim/FailureInjector.h"

#include "runtime/RuntimeError.h"

namespace cp::sim {

void FailureInjector::FailNext(std::string operation, std::int32_t number, int skip,
                               std::string description) {
    plans_.push_back(Plan{std::move(operation), number, skip, std::move(description)});
}

void FailureInjector::Check(std::string_view operation) {
    if (counting_) {
        const auto it = counts_.find(operation);
        if (it != counts_.end()) {
            ++it->second;
        } else {
            counts_.emplace(std::string(operation), 1);
        }
    }
    for (auto it = plans_.begin(); it != plans_.end(); ++it) {
        if (it->operation != operation) continue;
        if (it->skip > 0) {
            --it->skip;
            return;
        }
        RuntimeError error = it->description.empty() ? RuntimeError(it->number)
                                                     : RuntimeError(it->number, it->description);
        plans_.erase(it);
        throw error;
    }
}

}  // namespace cp::sim
