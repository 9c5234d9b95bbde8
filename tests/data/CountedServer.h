// A database whose rows of server mode tell how often they were read and counted, so that a
// test can tell what a step cost the server.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "data/Database.h"
#include "data/KeyedRows.h"

namespace cp::test {

struct ServerCalls {
    std::atomic<int> counts{0};  // counts of rows (all, or those before a key)
    std::atomic<int> reads{0};   // reads of rows
};

class CountedRows final : public KeyedRows {
public:
    CountedRows(std::shared_ptr<KeyedRows> rows, ServerCalls& calls)
        : rows_(std::move(rows)), calls_(calls) {}
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
    std::optional<RowsEstimate> Estimate() override { return rows_->Estimate(); }

private:
    std::shared_ptr<KeyedRows> rows_;
    ServerCalls& calls_;
};

class CountedServer final : public Database, public ServerCalls {
public:
    explicit CountedServer(std::shared_ptr<Database> database) : database_(std::move(database)) {}
    std::shared_ptr<Recordset> OpenRecordset(const std::string& Name, std::int32_t Type) override {
        return database_->OpenRecordset(Name, Type);
    }
    std::string Name() override { return database_->Name(); }
    std::shared_ptr<KeyedRows> OpenKeyedRows(const std::string& Source,
                                             const std::string& keyField) override {
        return std::make_shared<CountedRows>(database_->OpenKeyedRows(Source, keyField), *this);
    }

private:
    std::shared_ptr<Database> database_;
};

}  // namespace cp::test
