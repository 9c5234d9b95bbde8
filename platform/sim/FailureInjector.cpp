#include "platform/sim/FailureInjector.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "runtime/RuntimeError.h"

namespace cp::sim {
namespace {

void AbortOnUnfiredFailure(const std::string& report) {
    std::fprintf(stderr, "cp::sim: %s\n", report.c_str());
    std::abort();
}

UnfiredFailureHandler unfiredHandler = &AbortOnUnfiredFailure;

}  // namespace

UnfiredFailureHandler SetUnfiredFailureHandler(UnfiredFailureHandler handler) {
    const UnfiredFailureHandler previous = unfiredHandler;
    unfiredHandler = handler ? handler : &AbortOnUnfiredFailure;
    return previous;
}

FailureInjector::~FailureInjector() {
    for (const Plan& plan : plans_)
        unfiredHandler("the failure planned for \"" + plan.operation + "\" (error " +
                       std::to_string(plan.number) + ") never happened");
}

void FailureInjector::FailNext(std::string operation, std::int32_t number, int skip,
                               std::string description) {
    if (!IsOperation(operation))
        throw std::invalid_argument("\"" + operation +
                                    "\" is no operation that can fail (see Operations.h)");
    plans_.push_back(Plan{std::move(operation), number, skip, std::move(description)});
}

void FailureInjector::CheckPlannedMessage(UINT message) {
    Check(std::string(kMessageOperationPrefix) + std::to_string(message));
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
