// A database server that takes its time: every read of the rows of server mode answers only
// after a delay, as a slow view or a far server does. The rows are those of the database it
// wraps. It also tells whether the window ever waited for one of its reads, without timing the
// window: see WindowSteps.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "data/Database.h"
#include "data/KeyedRows.h"

namespace cp::test {

// The steps of the window (a key, a round of its messages) that must never wait for the
// server. A read that starts while one runs, on whichever thread, first waits for it to end. A
// step that waited for that read would then wait in vain: after kHeldFor the read gives up
// waiting, goes on, and counts as held up. So a window that reads the server itself, or waits
// for the query thread's read, is seen however busy the machine, and a slow step is not taken
// for one that waits. kHeldFor is shorter than the 5 s for which the control waits at most for
// an answer when it must act on one, so that a step which waits that way is seen too.
class WindowSteps {
public:
    static constexpr std::chrono::seconds kHeldFor{2};

    template <class Step>
    void Run(Step&& step) {
        {
            const std::lock_guard lock(mutex_);
            ++running_;
        }
        step();
        {
            const std::lock_guard lock(mutex_);
            --running_;
        }
        ended_.notify_all();
    }
    // Called by each read before it starts.
    void WaitForTheWindow() {
        std::unique_lock lock(mutex_);
        if (!ended_.wait_for(lock, kHeldFor, [&] { return running_ == 0; })) ++heldUp_;
    }
    int ReadsHeldUp() {
        const std::lock_guard lock(mutex_);
        return heldUp_;
    }

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    int running_ = 0;
    int heldUp_ = 0;
};

class SlowRows final : public KeyedRows {
    // The rows to read, once no step of the window runs and the delay has passed.
    KeyedRows& Slowly() {
        steps_->WaitForTheWindow();
        std::this_thread::sleep_for(delay_);
        return *rows_;
    }

public:
    SlowRows(std::shared_ptr<KeyedRows> rows, std::chrono::milliseconds delay,
             std::shared_ptr<WindowSteps> steps)
        : rows_(std::move(rows)), delay_(delay), steps_(std::move(steps)) {}

    std::vector<std::string> FieldNames() override { return rows_->FieldNames(); }
    std::int64_t Count() override { return Slowly().Count(); }
    std::vector<KeyedRow> RowsAfter(const std::optional<RowKey>& after, int limit) override {
        return Slowly().RowsAfter(after, limit);
    }
    std::vector<KeyedRow> RowsBefore(const RowKey& before, int limit) override {
        return Slowly().RowsBefore(before, limit);
    }
    std::int64_t CountBefore(const RowKey& key) override { return Slowly().CountBefore(key); }
    std::vector<KeyedRow> LastRows(int limit) override { return Slowly().LastRows(limit); }
    std::optional<KeyedRow> FirstWithPrefix(std::string_view prefix) override {
        return Slowly().FirstWithPrefix(prefix);
    }
    std::optional<KeyedRow> FirstWithValue(int field, const Variant& value) override {
        return Slowly().FirstWithValue(field, value);
    }
    void CheckSearch(const FieldSearch& search) override { rows_->CheckSearch(search); }
    std::vector<KeyedRow> MatchingAfter(const TextMatch& match, const std::optional<RowKey>& after,
                                        int limit) override {
        return Slowly().MatchingAfter(match, after, limit);
    }
    std::vector<KeyedRow> LastMatching(const TextMatch& match, int limit) override {
        return Slowly().LastMatching(match, limit);
    }
    std::int64_t CountMatching(const TextMatch& match) override {
        return Slowly().CountMatching(match);
    }
    std::optional<RowsEstimate> Estimate() override { return Slowly().Estimate(); }

private:
    std::shared_ptr<KeyedRows> rows_;
    std::chrono::milliseconds delay_;
    std::shared_ptr<WindowSteps> steps_;
};

// The database whose rows of server mode answer each read after delay, and after any step of
// the window that runs when the read starts.
class SlowServer final : public Database {
public:
    SlowServer(std::shared_ptr<Database> database, std::chrono::milliseconds delay)
        : database_(std::move(database)), delay_(delay) {}

    std::shared_ptr<Recordset> OpenRecordset(const std::string& Name, std::int32_t Type) override {
        return database_->OpenRecordset(Name, Type);
    }
    std::string Name() override { return database_->Name(); }
    std::shared_ptr<KeyedRows> OpenKeyedRows(const std::string& Source,
                                             const std::string& keyField) override {
        return std::make_shared<SlowRows>(database_->OpenKeyedRows(Source, keyField), delay_,
                                          steps_);
    }
    // Runs step as a step of the window.
    template <class Step>
    void WindowStep(Step&& step) {
        steps_->Run(step);
    }
    // How many reads a step of the window held up: none unless the window waited for one.
    int ReadsHeldUp() { return steps_->ReadsHeldUp(); }

private:
    std::shared_ptr<Database> database_;
    std::chrono::milliseconds delay_;
    std::shared_ptr<WindowSteps> steps_ = std::make_shared<WindowSteps>();
};

}  // namespace cp::test
