// Worlds on two threads at once, as two user-interface threads of one host have them: each
// thread's locale facts and thread identifier are its own. On one thread the newest world is
// the current one, and a call naming the window of another world stops the program.
#include <gtest/gtest.h>

#include <barrier>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/Host.h"
#include "platform/sim/SimWindowApi.h"
#include "platform/sim/World.h"
#include "runtime/Conversions.h"
#include "runtime/Locale.h"

namespace cp::sim::test {
namespace {

TEST(ThreadWorlds, EachThreadFollowsTheLocaleFactsOfItsOwnWorld) {
    const std::string separators[] = {",", "."};
    std::vector<std::string> seen(2);
    DWORD ids[2] = {};
    std::barrier both(2);
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&, t] {
            World world;
            world.SetDecimalSeparator(separators[t]);
            ids[t] = world.ThreadId();
            // Both worlds have handed over their facts before either thread reads.
            both.arrive_and_wait();
            seen[t] = CStr(Variant(2.5)) + " " + UpperCase("äbc");
            both.arrive_and_wait();
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(seen, (std::vector<std::string>{"2,5 ÄBC", "2.5 ÄBC"}));
    EXPECT_NE(ids[0], ids[1]);
}

TEST(ThreadWorldsDeathTest, ACallNamingAnotherWorldsWindowStopsTheProgram) {
    World older;
    const HWND first = CreateWindow("SimWindow", WS_VISIBLE, 0, nullptr, RECT{0, 0, 10, 10});
    {
        World newer;
        const HWND second = CreateWindow("SimWindow", WS_VISIBLE, 0, nullptr, RECT{0, 0, 10, 10});
        EXPECT_NE(first, second);
        EXPECT_DEATH(SendMessage(first, WM_SETTEXT, 0, 0),
                     "a call named a window of another world");
    }
    // The older world is current again once the newer one went.
    EXPECT_NE(World::Current().Windows().Find(first), nullptr);
}

// Posts from another thread reach the world's own thread only through its message processing,
// several posts made before one delivery as one; a box that has gone hears nothing.
TEST(ThreadWorlds, PostsFromAnotherThreadAreDeliveredByTheWorldsMessageProcessing) {
    World world;
    int delivered = 0;
    std::thread::id deliveredOn;
    std::unique_ptr<ThreadPost> box = host::MakeThreadPost([&] {
        ++delivered;
        deliveredOn = std::this_thread::get_id();
    });
    std::unique_ptr<ThreadPost> gone = host::MakeThreadPost([&] { delivered += 100; });
    std::thread poster([&] {
        box->Post();
        box->Post();
        gone->Post();
    });
    poster.join();
    gone.reset();
    EXPECT_EQ(delivered, 0) << "delivered inside the poster's call";

    world.ProcessPendingMessages();
    EXPECT_EQ((std::pair{delivered, deliveredOn}), (std::pair{1, std::this_thread::get_id()}));
    world.ProcessPendingMessages();
    EXPECT_EQ(delivered, 1);

    std::thread late([&] { box->Post(); });
    EXPECT_EQ(world.Posts().AwaitAndDeliver(std::chrono::seconds(10)), 1);
    late.join();
    EXPECT_EQ(delivered, 2);
}

}  // namespace
}  // namespace cp::sim::test
