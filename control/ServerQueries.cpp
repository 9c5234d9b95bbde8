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
        ahead_.reset();
        aheadAnswer_.reset();
        aheadAnswered_.reset();
    }
    changed_.notify_all();
    thread_.join();
    post_.reset();
    source_.reset();
}

void ServerQueries::Ask(const std::string& text, Completion completion,
                        std::optional<FieldSearch> search, ListFilter filter) {
    Put(Question{0, text, completion, std::move(search), filter, Asked::TextsRow, std::nullopt});
}

void ServerQueries::AskTop(const std::string& text) {
    Put(Question{0, text, Completion::KeepText, std::nullopt, ListFilter::AllRows, Asked::TableTop,
                 std::nullopt});
}

void ServerQueries::AskKept(const std::string& text, KeyedRow row) {
    Put(Question{0, text, Completion::KeepText, std::nullopt, ListFilter::AllRows, Asked::KeptRow,
                 std::move(row)});
}

void ServerQueries::Put(Question question) {
    {
        const std::lock_guard lock(mutex_);
        question.serial = ++newest_;
        newestAsked_ = question.asked;
        waiting_ = std::move(question);
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

Asked ServerQueries::NewestAsked() const {
    const std::lock_guard lock(mutex_);
    return newestAsked_;
}

bool ServerQueries::Busy() const {
    const std::lock_guard lock(mutex_);
    return open_ || answer_.has_value() || counting_;
}

std::optional<ServerQueries::Answer> ServerQueries::Take() {
    const std::lock_guard lock(mutex_);
    std::optional<Answer> taken = std::move(answer_);
    answer_.reset();
    return taken;
}

bool ServerQueries::AheadKnown(const AheadRead& asked) const {
    const auto same = [&](const AheadRead& other) {
        return other.down == asked.down && SameKey(other.from.unique, asked.from.unique);
    };
    return (ahead_ && same(*ahead_)) || (aheadRunning_ && same(*aheadRunning_)) ||
           (aheadAnswered_ && same(*aheadAnswered_));
}

bool ServerQueries::ReadAhead(AheadRead asked) {
    {
        const std::lock_guard lock(mutex_);
        if (!thread_.joinable() || AheadKnown(asked)) return false;
        ahead_ = std::move(asked);
    }
    changed_.notify_all();
    return true;
}

std::optional<ServerQueries::AheadAnswer> ServerQueries::TakeAhead() {
    const std::lock_guard lock(mutex_);
    std::optional<AheadAnswer> taken = std::move(aheadAnswer_);
    aheadAnswer_.reset();
    return taken;
}

bool ServerQueries::ReadingAhead() const {
    const std::lock_guard lock(mutex_);
    return ahead_ || aheadRunning_ || aheadAnswer_;
}

std::optional<ServerQueries::Answer> ServerQueries::Await(std::chrono::milliseconds bound) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, bound, [&] { return !open_ || stopping_; });
    std::optional<Answer> taken = std::move(answer_);
    answer_.reset();
    return taken;
}

std::optional<ServerQueries::Answer> ServerQueries::AwaitCount(std::chrono::milliseconds bound) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, bound, [&] { return (!open_ && !counting_) || stopping_; });
    if (open_ || counting_) return std::nullopt;
    std::optional<Answer> taken = std::move(answer_);
    answer_.reset();
    return taken;
}

ServerQueries::Answer ServerQueries::Read(const Question& question, KeyedRows& source,
                                          Placing placing) {
    Answer answer{question.text,   question.completion, {}, nullptr, std::nullopt, std::nullopt,
                  question.search, question.asked};
    try {
        if (question.filter == ListFilter::Matches) {
            // The first of the rows is the text's first row; the list shows them from the top,
            // so nothing around it is read and nothing counted before the first screen.
            answer.matches = source.MatchingAfter({question.text, question.search}, std::nullopt,
                                                  ServerRows::kPageRows);
            if (!answer.matches->empty()) answer.located.found = answer.matches->front();
            if (std::ssize(*answer.matches) < ServerRows::kPageRows)
                answer.matchCount = std::ssize(*answer.matches);
            return answer;
        }
        if (question.asked == Asked::TableTop) {
            answer.located = ServerRows::Top(source);
            return answer;
        }
        if (question.asked == Asked::KeptRow) {
            answer.located = ServerRows::Locate(source, question.kept, placing);
            return answer;
        }
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
        changed_.wait(lock, [&] { return stopping_ || waiting_ || ahead_; });
        if (stopping_) return;
        if (!waiting_) {
            RunAhead(lock);
            continue;
        }
        const Question question = std::move(*waiting_);
        waiting_.reset();
        lock.unlock();
        Answer answer = Read(question, *source_, placing_);
        lock.lock();
        // A newer question, or one forgotten since, makes this answer stale.
        if (question.serial != newest_ || stopping_) continue;
        const bool count =
            question.filter == ListFilter::Matches && !answer.failure && !answer.matchCount;
        answer_ = std::move(answer);
        open_ = false;
        post_->Post();
        changed_.notify_all();
        if (count) CountMatches(question, lock);
    }
}

void ServerQueries::RunAhead(std::unique_lock<std::mutex>& lock) {
    aheadRunning_ = std::move(ahead_);
    ahead_.reset();
    const AheadRead asked = *aheadRunning_;
    lock.unlock();
    AheadAnswer answer{asked, {}, false};
    try {
        answer.rows = asked.down ? source_->RowsAfter(asked.from, ServerRows::kPageRows)
                                 : source_->RowsBefore(asked.from, ServerRows::kPageRows);
    } catch (...) {
        answer.failed = true;
    }
    lock.lock();
    aheadRunning_.reset();
    if (stopping_) return;
    aheadAnswered_ = asked;
    aheadAnswer_ = std::move(answer);
    post_->Post();
    changed_.notify_all();
}

void ServerQueries::CountMatches(const Question& question, std::unique_lock<std::mutex>& lock) {
    if (waiting_ || stopping_) return;
    counting_ = true;
    lock.unlock();
    std::optional<std::int64_t> count;
    try {
        count = source_->CountMatching({question.text, question.search});
    } catch (...) {
        // The list goes on reading its rows a page at a time; a server that failed is reported
        // by the read that meets it there.
    }
    lock.lock();
    counting_ = false;
    changed_.notify_all();
    if (!count || question.serial != newest_ || stopping_) return;
    if (answer_) {
        // The rows are still to be taken: their count goes with them.
        answer_->matchCount = count;
        return;
    }
    answer_ = Answer{question.text,   question.completion, {}, nullptr, std::nullopt, count,
                     question.search, Asked::TextsRow};
    post_->Post();
}

}  // namespace cp
