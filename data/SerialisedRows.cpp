#include "data/SerialisedRows.h"

namespace cp {

std::vector<std::string> SerialisedRows::FieldNames() {
    const std::lock_guard lock(mutex_);
    return rows_->FieldNames();
}

std::int64_t SerialisedRows::Count() {
    const std::lock_guard lock(mutex_);
    return rows_->Count();
}

std::vector<KeyedRow> SerialisedRows::RowsAfter(const std::optional<RowKey>& after, int limit) {
    const std::lock_guard lock(mutex_);
    return rows_->RowsAfter(after, limit);
}

std::vector<KeyedRow> SerialisedRows::RowsBefore(const RowKey& before, int limit) {
    const std::lock_guard lock(mutex_);
    return rows_->RowsBefore(before, limit);
}

std::vector<KeyedRow> SerialisedRows::LastRows(int limit) {
    const std::lock_guard lock(mutex_);
    return rows_->LastRows(limit);
}

std::int64_t SerialisedRows::CountBefore(const RowKey& key) {
    const std::lock_guard lock(mutex_);
    return rows_->CountBefore(key);
}

std::optional<KeyedRow> SerialisedRows::FirstWithPrefix(std::string_view prefix) {
    const std::lock_guard lock(mutex_);
    return rows_->FirstWithPrefix(prefix);
}

std::optional<KeyedRow> SerialisedRows::FirstWithValue(int field, const Variant& value) {
    const std::lock_guard lock(mutex_);
    return rows_->FirstWithValue(field, value);
}

void SerialisedRows::CheckSearch(const FieldSearch& search) {
    const std::lock_guard lock(mutex_);
    rows_->CheckSearch(search);
}

std::optional<KeyedRow> SerialisedRows::FirstMatching(const FieldSearch& search,
                                                      std::string_view text) {
    const std::lock_guard lock(mutex_);
    return rows_->FirstMatching(search, text);
}

std::vector<KeyedRow> SerialisedRows::MatchingAfter(const TextMatch& match,
                                                    const std::optional<RowKey>& after, int limit) {
    const std::lock_guard lock(mutex_);
    return rows_->MatchingAfter(match, after, limit);
}

std::vector<KeyedRow> SerialisedRows::LastMatching(const TextMatch& match, int limit) {
    const std::lock_guard lock(mutex_);
    return rows_->LastMatching(match, limit);
}

std::int64_t SerialisedRows::CountMatching(const TextMatch& match) {
    const std::lock_guard lock(mutex_);
    return rows_->CountMatching(match);
}

std::optional<RowsEstimate> SerialisedRows::Estimate() {
    const std::lock_guard lock(mutex_);
    return rows_->Estimate();
}

}  // namespace cp
