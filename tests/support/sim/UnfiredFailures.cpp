// A planned failure that never happened fails the test that planned it, as a test failure
// rather than an abort, so that the other tests of the program still run.
#include <gtest/gtest.h>

#include "platform/sim/FailureInjector.h"

namespace cp::test {
namespace {

void FailTheTest(const std::string& report) {
    ADD_FAILURE() << report;
}

const bool installed = (sim::SetUnfiredFailureHandler(&FailTheTest), true);

}  // namespace
}  // namespace cp::test
