// The idle steps of a simulated world: what message processing runs, what a test holds and what
// never runs again.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/Host.h"
#include "platform/sim/World.h"

namespace cp::sim::test {
namespace {

// A step runs once per round of message processing, a step it schedules in the next round; a
// held world runs none until the test does; a step cancelled or gone never runs.
TEST(IdleSteps, MessageProcessingRunsOneRoundOfTheStepsScheduled) {
    World world;
    std::string ran;
    int again = 2;
    std::unique_ptr<IdleStep> repeating;
    repeating = host::MakeIdleStep([&] {
        ran += 'r';
        if (--again > 0) repeating->Schedule();
    });
    std::unique_ptr<IdleStep> once = host::MakeIdleStep([&] { ran += 'o'; });
    std::unique_ptr<IdleStep> cancelled = host::MakeIdleStep([&] { ran += 'c'; });
    std::unique_ptr<IdleStep> gone = host::MakeIdleStep([&] { ran += 'g'; });
    repeating->Schedule();
    once->Schedule();
    once->Schedule();
    cancelled->Schedule();
    cancelled->Cancel();
    gone->Schedule();
    gone.reset();
    EXPECT_EQ(world.Steps().Scheduled(), 2);
    EXPECT_EQ(ran, "") << "ran inside Schedule";

    world.Steps().Hold(true);
    world.DoEvents();
    EXPECT_EQ(ran, "");
    world.Steps().Hold(false);
    world.ProcessPendingMessages();
    EXPECT_EQ((std::tuple{ran, repeating->Scheduled()}), (std::tuple{"ro", true}));
    world.ProcessPendingMessages();
    EXPECT_EQ((std::tuple{ran, world.Steps().Drain(), repeating->Scheduled()}),
              (std::tuple{"ror", 0, false}));
}

// A step that ends the owner of another one scheduled in the same round: that one does not run.
TEST(IdleSteps, AStepThatEndsAnotherStepsOwnerLeavesItUnrun) {
    World world;
    int ranSecond = 0;
    std::unique_ptr<IdleStep> second;
    std::unique_ptr<IdleStep> first = host::MakeIdleStep([&] { second.reset(); });
    second = host::MakeIdleStep([&] { ++ranSecond; });
    first->Schedule();
    second->Schedule();
    EXPECT_EQ((std::pair{world.Steps().RunRound(), ranSecond}), (std::pair{1, 0}));
}

}  // namespace
}  // namespace cp::sim::test
