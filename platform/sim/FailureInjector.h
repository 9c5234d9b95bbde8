// Failure injection: a test names an operation (Operations.h) and the run-time error that a
// coming call of it raises. Only calls made from outside the simulator count: the simulator's
// own messages (a list box drawing its rows, the user's keys) never consume a planned failure.
//
// A plan that names no operation is refused at once (std::invalid_argument), and plans that
// never fired are reported when the injector ends, to the handler that the test program
// installs (SetUnfiredFailureHandler); without one, the report goes to the standard error and
// the program aborts. Either way a test that planned a failure that never came does not pass.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/basApi.h"
#include "platform/sim/Operations.h"

namespace cp::sim {

using UnfiredFailureHandler = void (*)(const std::string& report);
// Returns the handler it replaces.
UnfiredFailureHandler SetUnfiredFailureHandler(UnfiredFailureHandler handler);

class FailureInjector {
public:
    FailureInjector() = default;
    ~FailureInjector();
    FailureInjector(const FailureInjector&) = delete;
    FailureInjector& operator=(const FailureInjector&) = delete;

    // The call of `operation` after `skip` successful ones raises RuntimeError(number), with
    // the given description or, when there is none, the standard one.
    void FailNext(std::string operation, std::int32_t number, int skip = 0,
                  std::string description = {});
    // Raises the planned error when this call of `operation` is the one to fail. With nothing
    // planned or counted a call costs one test: the fills make calls per row.
    void Check(Operation operation) {
        if (counting_ || !plans_.empty()) Check(operation.Name());
    }
    // The same for one message of SendMessage ("SendMessage:<message>").
    void CheckMessage(UINT message) {
        if (!plans_.empty()) CheckPlannedMessage(message);
    }
    // Planned failures that have not happened yet.
    std::size_t Pending() const { return plans_.size(); }
    // Forgets every planned failure.
    void Clear() { plans_.clear(); }
    // Counts the calls of every operation from now on (keyed SendMessage names aside), so that
    // a test can plan a failure of each call that a session makes.
    void CountCalls() { counting_ = true; }
    const std::map<std::string, int, std::less<>>& CallCounts() const { return counts_; }

private:
    struct Plan {
        std::string operation;    // the operation whose call fails
        std::int32_t number;      // the run-time error it raises
        int skip;                 // successful calls still to let through first
        std::string description;  // the error's description ("" for the standard one)
    };
    void Check(std::string_view operation);
    void CheckPlannedMessage(UINT message);

    std::vector<Plan> plans_;                         // in the order planned
    bool counting_ = false;                           // calls are counted
    std::map<std::string, int, std::less<>> counts_;  // calls so far, by operation
};

}  // namespace cp::sim
