#include "platform/sim/IdleSteps.h"

#include <algorithm>

namespace cp::sim {

struct IdleSteps::Entry {
    std::function<void()> step;
    bool scheduled = false;
    bool open = true;  // false once the step's object has gone
};

namespace {

using Entries = std::vector<std::shared_ptr<IdleSteps::Entry>>;

class Step final : public IdleStep {
public:
    Step(std::shared_ptr<Entries> entries, std::shared_ptr<IdleSteps::Entry> entry)
        : entries_(std::move(entries)), entry_(std::move(entry)) {}
    ~Step() override {
        entry_->open = false;
        entry_->scheduled = false;
        std::erase(*entries_, entry_);
    }
    void Schedule() override { entry_->scheduled = entry_->open; }
    void Cancel() override { entry_->scheduled = false; }
    bool Scheduled() const override { return entry_->scheduled; }

private:
    std::shared_ptr<Entries> entries_;
    std::shared_ptr<IdleSteps::Entry> entry_;
};

}  // namespace

IdleSteps::IdleSteps() : entries_(std::make_shared<Entries>()) {}

IdleSteps::~IdleSteps() {
    for (const auto& entry : *entries_) {
        entry->open = false;
        entry->scheduled = false;
    }
    entries_->clear();
}

std::unique_ptr<IdleStep> IdleSteps::Make(std::function<void()> step) {
    auto entry = std::make_shared<Entry>();
    entry->step = std::move(step);
    entries_->push_back(entry);
    return std::make_unique<Step>(entries_, std::move(entry));
}

int IdleSteps::RunRound() {
    Entries due;
    for (const auto& entry : *entries_) {
        if (entry->scheduled) due.push_back(entry);
    }
    int ran = 0;
    for (const auto& entry : due) {
        // A step may end another step's owner, or cancel it: only a step still asked for runs.
        if (!entry->open || !entry->scheduled) continue;
        entry->scheduled = false;
        // The step runs from a copy: it may end its own owner, and the entry's step with it.
        const std::function<void()> step = entry->step;
        step();
        ++ran;
    }
    return ran;
}

int IdleSteps::Drain(int maxRounds) {
    int rounds = 0;
    while (rounds < maxRounds && Scheduled() > 0) {
        RunRound();
        ++rounds;
    }
    return rounds;
}

int IdleSteps::Scheduled() const {
    return static_cast<int>(
        std::ranges::count_if(*entries_, [](const auto& e) { return e->scheduled; }));
}

}  // namespace cp::sim
