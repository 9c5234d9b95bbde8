// A control on a form of its own, on a thread of its own: the simulated window system keeps
// its world per thread, so two controls that a target compares step by step each live on a
// lane, and the target runs each step on one lane, then on the other, waiting for each.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>
#include <utility>

#include "fuzz/FuzzSession.h"

namespace cp::fuzz {

class ControlLane {
public:
    ControlLane() : thread_([this] { Serve(); }) {
        Run([this] { session_ = std::make_unique<Session>(); });
    }
    ~ControlLane() {
        // The control and its window go on the thread that made them.
        Run([this] { session_.reset(); });
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    ControlLane(const ControlLane&) = delete;
    ControlLane& operator=(const ControlLane&) = delete;

    // Runs f(session) on the lane's thread and returns what it returns.
    template <class F>
    auto On(F&& f) {
        using Result = decltype(f(*session_));
        if constexpr (std::is_void_v<Result>) {
            Run([&] { f(*session_); });
        } else {
            std::optional<Result> result;
            Run([&] { result.emplace(f(*session_)); });
            return std::move(*result);
        }
    }

private:
    void Run(std::function<void()> job) {
        std::unique_lock lock(mutex_);
        job_ = std::move(job);
        wake_.notify_all();
        done_.wait(lock, [this] { return !job_; });
    }
    void Serve() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return quit_ || job_; });
            if (!job_) return;
            lock.unlock();
            job_();
            lock.lock();
            job_ = nullptr;
            done_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::function<void()> job_;
    bool quit_ = false;
    std::unique_ptr<Session> session_;
    std::thread thread_;  // last: it starts once the rest is ready
};

}  // namespace cp::fuzz
