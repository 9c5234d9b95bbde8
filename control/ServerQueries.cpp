#include "control/ServerQueries.h"

namespace cp {

void ServerQueries::Start(std::shared_ptr<KeyedRows> source, Placing placing,
                          std::unique_ptr<ThreadPost> post) {
    Stop();
    source_ = std::move(source);
    placing_ = placing;
    post_ = std::move(post);
    stopping_ = false;
    // Conversions on the thread follow the window thread's locale, as the reads there do.
    thread_ = std::thread([this, locale = CurrentLocale()] { Run(locale); });
}

void ServerQueries::Stop() {
    if (!thread_.joinable()) return;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.reset();
        answer_.reset();
        open_ = false;
    }
    changed_.notify_all();
    thread_.join();
    post_.reset();
    source_.reset();
}

void ServerQueries::Ask(const std::string& text, Completion completion,
                        std::optional<FieldSearch> search) {
    {
        const std::lock_guard lock(mutex_);
        waiting_ = Question{++newest_, text, completion, std::move(search)};
        answer_.reset();
        open_ = true;
    }
    changed_.notify_all();
}

void ServerQueries::Forget() {
    const std::lock_guard lock(mutex_);
    ++newest_;
    waiting_.reset();
    answer_.reset();
    open_ = false;
}

bool ServerQueries::Outstanding() const {
    const std::lock_guard lock(mutex_);
    return open_ || answer_.has_value();
}

std::optional<ServerQueries::Answer> ServerQueries::Take() {
    const std::lock_guard lock(mutex_);
    std::optional<Answer> taken = std::move(answer_);
    answer_.reset();
    return taken;
}

std::optional<ServerQueries::Answer> ServerQueries::Await(std::chrono::milliseconds bound) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, bound, [&] { return !open_ || stopping_; });
    std::optional<Answer> taken = std::move(answer_);
    answer_.reset();
    return taken;
}

ServerQueries::Answer ServerQueries::Read(const Question& question, KeyedRows& source,
                                          Placing placing) {
    Answer answer{question.text, question.completion, {}, nullptr};
    try {
        answer.located = ServerRows::Locate(
            source,
            question.search ? source.FirstMatching(*question.search, question.text)
                            : source.FirstWithPrefix(question.text),
            placing);
    } catch (...) {
        answer.failure = std::current_exception();
    }
    return answer;
}

void ServerQueries::Run(LocaleFacts locale) {
    SetLocale(std::move(locale));
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || waiting_.has_value(); });
        if (stopping_) return;
        const Question question = std::move(*waiting_);
        waiting_.reset();
        lock.unlock();
        Answer answer = Read(question, *source_, placing_);
        lock.lock();
        // A newer question, or one forgotten since, makes this answer stale.
        if (question.serial != newest_ || stopping_) continue;
        answer_ = std::move(answer);
        open_ = false;
        post_->Post();
        changed_.notify_all();
    }
}

}  // namespace cp
