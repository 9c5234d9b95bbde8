// The way back to the user-interface thread for work that runs on a thread of its own: a post
// box made on the user-interface thread, into which any thread may post. Each post has the box's
// delivery run later on the thread that made it, from that thread's message processing, never
// inside the poster's call. Posts into a box that is gone, or that goes before they are
// delivered, are dropped: nothing reaches an owner that has gone.
#pragma once

#include <functional>
#include <memory>

namespace cp {

class ThreadPost {
public:
    virtual ~ThreadPost() = default;
    // Any thread: asks for one more delivery. Posts not yet delivered may be delivered as one.
    virtual void Post() = 0;
};

namespace host {

// A post box of the calling user-interface thread whose deliveries run deliver there.
std::unique_ptr<ThreadPost> MakeThreadPost(std::function<void()> deliver);

}  // namespace host
}  // namespace cp
