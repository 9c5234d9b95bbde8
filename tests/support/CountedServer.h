// A database whose rows of server mode tell how often they were read and counted, so that a
// test can tell what a step cost the server; its estimate of the rows may be made wrong, or
// given where the engine has none. It runs on either platform.
#pragma once

#include <atomic>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "data/Database.h"
#include "data/KeyedRows.h"
#include "data/rows/RowBlock.h"
#include "runtime/RuntimeError.h"
#include "runtime/Variant.h"

namespace cp::test {

struct ServerCalls {
    std::atomic<int> counts{0};  // counts of rows (all, or those before a key)
    std::atomic<int> reads{0};   // reads of rows
    // The reads of rows made on the thread that made the server, the window's: the rows read
    // ahead of the list's scrolling come on the query thread, as its timing allows.
    std::atomic<int> windowReads{0};
    const std::thread::id window = std::this_thread::get_id();
    void Read() {
        ++reads;
        if (std::this_thread::get_id() == window) ++windowReads;
    }
    // Counts of the rows a text finds that are still to fail, as a server that drops them.
    std::atomic<int> failingMatchCounts{0};
};

class CountedRows final : public KeyedRows {
public:
    CountedRows(std::shared_ptr<KeyedRows> rows, ServerCalls& calls, double estimated,
                std::optional<RowsEstimate> given)
        : rows_(std::move(rows)), calls_(calls), estimated_(estimated), given_(std::move(given)) {}
    std::vector<std::string> FieldNames() override { return rows_->FieldNames(); }
    std::int64_t Count() override { return ++calls_.counts, rows_->Count(); }
    std::vector<KeyedRow> RowsAfter(const std::optional<RowKey>& after, int limit) override {
        return calls_.Read(), rows_->RowsAfter(after, limit);
    }
    std::vector<KeyedRow> RowsBefore(const RowKey& before, int limit) override {
        return calls_.Read(), rows_->RowsBefore(before, limit);
    }
    std::vector<KeyedRow> LastRows(int limit) override {
        return calls_.Read(), rows_->LastRows(limit);
    }
    std::int64_t CountBefore(const RowKey& key) override {
        return ++calls_.counts, rows_->CountBefore(key);
    }
    std::optional<KeyedRow> FirstWithPrefix(std::string_view prefix) override {
        return calls_.Read(), rows_->FirstWithPrefix(prefix);
    }
    std::optional<KeyedRow> FirstWithValue(int field, const Variant& value) override {
        return calls_.Read(), rows_->FirstWithValue(field, value);
    }
    void CheckSearch(const FieldSearch& search) override { rows_->CheckSearch(search); }
    std::vector<KeyedRow> MatchingAfter(const TextMatch& match, const std::optional<RowKey>& after,
                                        int limit) override {
        return calls_.Read(), rows_->MatchingAfter(match, after, limit);
    }
    std::vector<KeyedRow> LastMatching(const TextMatch& match, int limit) override {
        return calls_.Read(), rows_->LastMatching(match, limit);
    }
    std::int64_t CountMatching(const TextMatch& match) override {
        ++calls_.counts;
        if (calls_.failingMatchCounts.fetch_sub(1) > 0)
            Raise(rows::kErrNotSupported, "The count was lost on its way.");
        return rows_->CountMatching(match);
    }
    std::optional<RowsEstimate> Estimate() override {
        auto estimate = rows_->Estimate();
        if (!estimate) estimate = given_;
        if (estimate)
            estimate->rows = std::llround(static_cast<double>(estimate->rows) * estimated_);
        return estimate;
    }

private:
    std::shared_ptr<KeyedRows> rows_;
    ServerCalls& calls_;
    double estimated_;                   // the engine's estimate of the rows is taken times this
    std::optional<RowsEstimate> given_;  // the estimate where the engine has none
};

class CountedServer final : public Database, public ServerCalls {
public:
    // estimated: a factor for the engine's estimate of the rows, to stand for a wrong one;
    // given: the estimate of an engine that estimates, over one that does not (the SQLite ODBC
    // driver), as a server's statistics would tell it.
    explicit CountedServer(std::shared_ptr<Database> database, double estimated = 1,
                           std::optional<RowsEstimate> given = std::nullopt)
        : database_(std::move(database)), estimated_(estimated), given_(std::move(given)) {}
    std::shared_ptr<Recordset> OpenRecordset(const std::string& Name, std::int32_t Type) override {
        return database_->OpenRecordset(Name, Type);
    }
    std::string Name() override { return database_->Name(); }
    std::shared_ptr<KeyedRows> OpenKeyedRows(const std::string& Source,
                                             const std::string& keyField) override {
        return std::make_shared<CountedRows>(database_->OpenKeyedRows(Source, keyField), *this,
                                             estimated_, given_);
    }

private:
    std::shared_ptr<Database> database_;
    double estimated_;
    std::optional<RowsEstimate> given_;
};

}  // namespace cp::test
