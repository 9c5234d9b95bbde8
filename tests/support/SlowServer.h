// A database server that takes its time: every read of the rows of server mode answers only
// after a delay, as a slow view or a far server does. The rows are those of the database it
// wraps.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "data/Database.h"
#include "data/KeyedRows.h"

namespace cp::test {

class SlowRows final : public KeyedRows {
    // The rows to read, once the delay has passed.
    KeyedRows& Slowly() {
        std::this_thread::sleep_for(delay_);
        return *rows_;
    }

public:
    SlowRows(std::shared_ptr<KeyedRows> rows, std::chrono::milliseconds delay)
        : rows_(std::move(rows)), delay_(delay) {}

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
};

// The database whose rows of server mode answer each read after delay.
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
        return std::make_shared<SlowRows>(database_->OpenKeyedRows(Source, keyField), delay_);
    }

private:
    std::shared_ptr<Database> database_;
    std::chrono::milliseconds delay_;
};

}  // namespace cp::test
