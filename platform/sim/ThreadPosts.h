// The post boxes of one simulated world (platform/ThreadPost.h): posts from any thread wait
// here until the world's message processing (DoEvents, ProcessPendingMessages) or the test
// delivers them, on the world's own thread, so that a test decides when answers arrive.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/ThreadPost.h"

namespace cp::sim {

class ThreadPosts {
public:
    ThreadPosts();
    ~ThreadPosts();
    ThreadPosts(const ThreadPosts&) = delete;
    ThreadPosts& operator=(const ThreadPosts&) = delete;

    // A box whose deliveries run deliver on this world's thread.
    std::unique_ptr<ThreadPost> Open(std::function<void()> deliver);
    // Runs the deliveries of every post made so far; returns how many ran.
    int Deliver();
    // Waits until a post is waiting, or timeout has passed, then delivers as Deliver does.
    int AwaitAndDeliver(std::chrono::milliseconds timeout);

    struct Shared;

private:
    std::shared_ptr<Shared> shared_;  // shared with the boxes, which may outlive the world
};

}  // namespace cp::sim
