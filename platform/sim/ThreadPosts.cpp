#include "platform/sim/ThreadPosts.h"

#include <algorithm>

namespace cp::sim {

struct Entry {
    std::function<void()> deliver;
    int pending = 0;   // posts not yet delivered
    bool open = true;  // false once the box has gone
};

struct ThreadPosts::Shared {
    std::mutex mutex;
    std::condition_variable posted;
    std::vector<std::shared_ptr<Entry>> entries;  // the open boxes
};

namespace {

class Box final : public ThreadPost {
public:
    Box(std::shared_ptr<ThreadPosts::Shared> shared, std::shared_ptr<Entry> entry)
        : shared_(std::move(shared)), entry_(std::move(entry)) {}
    ~Box() override {
        const std::lock_guard lock(shared_->mutex);
        entry_->open = false;
        std::erase(shared_->entries, entry_);
    }
    void Post() override {
        {
            const std::lock_guard lock(shared_->mutex);
            if (!entry_->open) return;
            ++entry_->pending;
        }
        shared_->posted.notify_all();
    }

private:
    std::shared_ptr<ThreadPosts::Shared> shared_;
    std::shared_ptr<Entry> entry_;
};

bool AnyPending(const ThreadPosts::Shared& shared) {
    return std::ranges::any_of(shared.entries, [](const auto& e) { return e->pending > 0; });
}

}  // namespace

ThreadPosts::ThreadPosts() : shared_(std::make_shared<Shared>()) {}

ThreadPosts::~ThreadPosts() {
    const std::lock_guard lock(shared_->mutex);
    for (const auto& entry : shared_->entries)
        entry->open = false;
    shared_->entries.clear();
}

std::unique_ptr<ThreadPost> ThreadPosts::Open(std::function<void()> deliver) {
    auto entry = std::make_shared<Entry>();
    entry->deliver = std::move(deliver);
    const std::lock_guard lock(shared_->mutex);
    shared_->entries.push_back(entry);
    return std::make_unique<Box>(shared_, std::move(entry));
}

int ThreadPosts::Deliver() {
    std::vector<std::shared_ptr<Entry>> due;
    {
        const std::lock_guard lock(shared_->mutex);
        for (const auto& entry : shared_->entries) {
            if (entry->pending == 0) continue;
            entry->pending = 0;
            due.push_back(entry);
        }
    }
    int delivered = 0;
    for (const auto& entry : due) {
        // A delivery may end another box's owner: a box closed meanwhile hears nothing.
        {
            const std::lock_guard lock(shared_->mutex);
            if (!entry->open) continue;
        }
        entry->deliver();
        ++delivered;
    }
    return delivered;
}

int ThreadPosts::AwaitAndDeliver(std::chrono::milliseconds timeout) {
    {
        std::unique_lock lock(shared_->mutex);
        shared_->posted.wait_for(lock, timeout, [&] { return AnyPending(*shared_); });
    }
    return Deliver();
}

}  // namespace cp::sim
