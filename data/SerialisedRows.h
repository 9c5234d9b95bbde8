// Keyed rows (data/KeyedRows.h) that more than one thread reads: every read runs under one
// lock, so that the window's thread and a thread of queries share one connection and its
// statements, one read at a time.
#pragma once

#include <memory>
#include <mutex>

#include "data/KeyedRows.h"

namespace cp {

class SerialisedRows final : public KeyedRows {
public:
    explicit SerialisedRows(std::shared_ptr<KeyedRows> rows) : rows_(std::move(rows)) {}

    std::vector<std::string> FieldNames() override;
    std::int64_t Count() override;
    std::vector<KeyedRow> RowsAfter(const std::optional<RowKey>& after, int limit) override;
    std::vector<KeyedRow> RowsBefore(const RowKey& before, int limit) override;
    std::vector<KeyedRow> LastRows(int limit) override;
    std::int64_t CountBefore(const RowKey& key) override;
    std::optional<KeyedRow> FirstWithPrefix(std::string_view prefix) override;
    std::optional<KeyedRow> FirstWithValue(int field, const Variant& value) override;
    void CheckSearch(const FieldSearch& search) override;
    std::optional<KeyedRow> FirstMatching(const FieldSearch& search,
                                          std::string_view text) override;
    std::vector<KeyedRow> MatchingAfter(const TextMatch& match, const std::optional<RowKey>& after,
                                        int limit) override;
    std::vector<KeyedRow> LastMatching(const TextMatch& match, int limit) override;
    std::int64_t CountMatching(const TextMatch& match) override;
    std::optional<RowsEstimate> Estimate() override;

private:
    std::mutex mutex_;
    std::shared_ptr<KeyedRows> rows_;
};

}  // namespace cp
