// What the tests of a server's list placed by estimate share: a database that tells how often
// its rows were counted, and one script of steps that places the list far from its start over
// a table of places "Ab 01234" with codes "C00001" on (bound, the second column).
#pragma once

#include <atomic>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/ColumnPick.h"
#include "data/Database.h"
#include "data/KeyedRows.h"
#include "data/rows/RowBlock.h"
#include "runtime/RuntimeError.h"
#include "tests/support/sim/ServerModeScript.h"

namespace cp::test {

// A database whose rows of server mode tell how often they were read and counted, so that a
// test can tell what a step cost the server, and whose estimate of the rows may be made wrong.
struct ServerCalls {
    std::atomic<int> counts{0};  // counts of rows (all, or those before a key)
    std::atomic<int> reads{0};   // reads of rows
    // Counts of the rows a text finds that are still to fail, as a server that drops them.
    std::atomic<int> failingMatchCounts{0};
};

class CountedRows final : public KeyedRows {
public:
    CountedRows(std::shared_ptr<KeyedRows> rows, ServerCalls& calls, double estimated)
        : rows_(std::move(rows)), calls_(calls), estimated_(estimated) {}
    std::vector<std::string> FieldNames() override { return rows_->FieldNames(); }
    std::int64_t Count() override { return ++calls_.counts, rows_->Count(); }
    std::vector<KeyedRow> RowsAfter(const std::optional<RowKey>& after, int limit) override {
        return ++calls_.reads, rows_->RowsAfter(after, limit);
    }
    std::vector<KeyedRow> RowsBefore(const RowKey& before, int limit) override {
        return ++calls_.reads, rows_->RowsBefore(before, limit);
    }
    std::vector<KeyedRow> LastRows(int limit) override {
        return ++calls_.reads, rows_->LastRows(limit);
    }
    std::int64_t CountBefore(const RowKey& key) override {
        return ++calls_.counts, rows_->CountBefore(key);
    }
    std::optional<KeyedRow> FirstWithPrefix(std::string_view prefix) override {
        return ++calls_.reads, rows_->FirstWithPrefix(prefix);
    }
    std::optional<KeyedRow> FirstWithValue(int field, const Variant& value) override {
        return ++calls_.reads, rows_->FirstWithValue(field, value);
    }
    void CheckSearch(const FieldSearch& search) override { rows_->CheckSearch(search); }
    std::vector<KeyedRow> MatchingAfter(const TextMatch& match, const std::optional<RowKey>& after,
                                        int limit) override {
        return ++calls_.reads, rows_->MatchingAfter(match, after, limit);
    }
    std::vector<KeyedRow> LastMatching(const TextMatch& match, int limit) override {
        return ++calls_.reads, rows_->LastMatching(match, limit);
    }
    std::int64_t CountMatching(const TextMatch& match) override {
        ++calls_.counts;
        if (calls_.failingMatchCounts.fetch_sub(1) > 0) {
            Raise(rows::kErrNotSupported, "The count was lost on its way.");
        }
        return rows_->CountMatching(match);
    }
    std::optional<RowsEstimate> Estimate() override {
        auto estimate = rows_->Estimate();
        if (estimate)
            estimate->rows = std::llround(static_cast<double>(estimate->rows) * estimated_);
        return estimate;
    }

private:
    std::shared_ptr<KeyedRows> rows_;
    ServerCalls& calls_;
    double estimated_;  // the engine's estimate of the rows is taken times this
};

class CountedServer final : public Database, public ServerCalls {
public:
    // estimated: a factor for the engine's estimate of the rows, to stand for a wrong one.
    explicit CountedServer(std::shared_ptr<Database> database, double estimated = 1)
        : database_(std::move(database)), estimated_(estimated) {}
    std::shared_ptr<Recordset> OpenRecordset(const std::string& Name, std::int32_t Type) override {
        return database_->OpenRecordset(Name, Type);
    }
    std::string Name() override { return database_->Name(); }
    std::shared_ptr<KeyedRows> OpenKeyedRows(const std::string& Source,
                                             const std::string& keyField) override {
        return std::make_shared<CountedRows>(database_->OpenKeyedRows(Source, keyField), *this,
                                             estimated_);
    }

private:
    std::shared_ptr<Database> database_;
    double estimated_;
};

inline void Prepare(ColumnPick& c) {
    c.ColumnCount(std::int16_t{2});
    c.ColumnWidths("1500;800");
    c.BoundColumn(std::int16_t{1});
}

// A user's steps that find rows far from the list's start, by a value and by typing, and move
// and draw the list there, with no host reading a place.
inline void FindFarRows(Session& s) {
    s.control().Value(Variant("C22222"));
    s.Focus();
    s.user().SelectText(0, 100);
    s.user().TypeText("Qa");
    EXPECT_TRUE(AwaitServerAnswers(s.control()));
    s.control().ShowDropDown();
    s.user().PressKey(vbKeyPageDown);
    s.user().PressKey(vbKeyDown);
    for (int r = 0; r < 20; ++r)
        s.control().RowName(s.ListState().top + r);
}

// Steps that place the list far from its start, by a value and by typing, go back to the
// committed row, and walk up to the table's first row without a host reading a place.
inline std::vector<Seen> RunFarScript(const std::function<void(ColumnPick&)>& connect) {
    Session s;
    Prepare(s.control());
    connect(s.control());
    std::vector<Seen> seen{s.Look("connected")};
    s.control().Value(Variant("C22222"));
    seen.push_back(s.Look("deep value"));
    s.Focus();
    s.control().ShowDropDown();
    s.user().SelectText(0, 100);
    s.user().TypeText("d");
    seen.push_back(s.Look("typed elsewhere"));
    s.user().PressKey(vbKeyEscape);
    seen.push_back(s.Look("escaped to the committed row"));
    s.control().Value(Variant("C17777"));
    s.user().SelectText(0, 100);
    s.user().TypeText("c");
    s.user().PressKey(vbKeyReturn);
    seen.push_back(s.Look("typed and committed"));
    s.control().ShowDropDown();
    for (int i = 0; i < 300; ++i)
        s.user().PressKey(vbKeyPageUp);
    seen.push_back(s.Look("paged up to the top"));
    s.control().Value(Variant("C00005"));
    seen.push_back(s.Look("a value near the start"));
    s.control().ListIndex(s.control().ListCount() - 1);
    seen.push_back(s.Look("the last row"));
    return seen;
}

}  // namespace cp::test
