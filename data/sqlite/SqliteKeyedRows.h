// The rows of an SQLite table or query, read a page at a time (data/KeyedRows.h). The source
// is wrapped as a subquery that adds the key as one more column; SQLite flattens it, so an index
// on the completion column (COLLATE NOCASE; the rowid rides along in every index of a rowid
// table) serves every read:
//
//     CREATE INDEX places_name ON places (name COLLATE NOCASE);
//
// Each read is one statement, compiled once and run again with new values.
//
// The searches inside the texts read an FTS5 table beside a table (data/TextSearchSql.h):
//
//     CREATE VIRTUAL TABLE places_trigram USING fts5(name, code, content='places',
//         tokenize='trigram');
//     CREATE VIRTUAL TABLE places_words USING fts5(name, code, content='places',
//         tokenize='unicode61 remove_diacritics 0');
//
// A table read by its rowid also gives an estimate without counting: its number of rows is
// taken as the span of its rowids, and its entries are sampled at evenly spaced rowids.
#pragma once

#include <memory>
#include <string>

#include "data/KeyedRows.h"
#include "data/sqlite/SqliteStatement.h"

namespace cp::sqlite {

class SqliteConnection;

class SqliteKeyedRows final : public KeyedRows {
public:
    // source: a table's or view's name, or a SELECT; keyField: the unique key's field, "" for a
    // table's rowid (error 3001 for a query without one).
    SqliteKeyedRows(std::shared_ptr<SqliteConnection> connection, const std::string& source,
                    const std::string& keyField);

    std::vector<std::string> FieldNames() override;
    std::int64_t Count() override;
    std::vector<KeyedRow> RowsAfter(const std::optional<RowKey>& after, int limit) override;
    std::vector<KeyedRow> RowsBefore(const RowKey& before, int limit) override;
    std::vector<KeyedRow> LastRows(int limit) override;
    std::int64_t CountBefore(const RowKey& key) override;
    std::optional<KeyedRow> FirstWithPrefix(std::string_view prefix) override;
    std::optional<KeyedRow> FirstWithValue(int field, const Variant& value) override;
    void CheckSearch(const FieldSearch& search) override;
    std::vector<KeyedRow> MatchingAfter(const TextMatch& match, const std::optional<RowKey>& after,
                                        int limit) override;
    std::vector<KeyedRow> LastMatching(const TextMatch& match, int limit) override;
    std::int64_t CountMatching(const TextMatch& match) override;
    std::optional<RowsEstimate> Estimate() override;

private:
    // What a text matches as a condition whose values are bound from ?4 on.
    struct Matching {
        std::string where;
        std::vector<std::string> values;
    };
    // None when the text can match no row.
    std::optional<Matching> MatchingOf(const TextMatch& match);
    // The CREATE statement of the FTS5 table that serves the match, read again when asked to
    // be fresh (a table created or dropped since); "" for none.
    const std::string& SearchTableSql(FieldMatch match, bool fresh = false);
    // A table's CREATE statement, empty when there is no such table.
    std::string StoredSql(const std::string& table);
    static void BindMatching(SqliteStatement& statement, const Matching& matching);

    // Entries sampled for the estimate: enough to place a row within a fraction of a percent.
    static constexpr int kSampledEntries = 256;

    // The stretches of the order that the keyset reads ask for (see Condition).
    enum class Range { AfterEntry, BeforeEntry, AfterNull, BeforeNull, Entries, Nulls };
    std::string Condition(Range range) const;
    void BindKey(SqliteStatement& statement, const RowKey* key) const;
    // The rows of a range in the order's direction ("ASC" or "DESC"), at most limit of them;
    // key is the row read from (null for the ranges without one).
    std::vector<KeyedRow> Read(Range range, const char* order, const RowKey* key, int limit);
    std::int64_t CountOf(Range range, const RowKey* key);
    // The statement of this text, compiled at its first use.
    SqliteStatement& Statement(const std::string& sql);
    // The statement's rows, its first row, or the count it answers; each ends its read.
    std::vector<KeyedRow> ReadRows(SqliteStatement& statement) const;
    std::optional<KeyedRow> ReadFirst(SqliteStatement& statement) const;
    std::int64_t ReadCount(SqliteStatement& statement) const;
    KeyedRow CurrentRow(const SqliteStatement& statement) const;
    std::string Select(const std::string& where, const std::string& order, bool limited) const;
    // The names of the searched fields; error 9 for a field the rows lack.
    std::vector<std::string> SearchedNames(const FieldSearch& search) const;

    std::shared_ptr<SqliteConnection> connection_;
    std::string table_;                // the table's name; "" for a query
    std::string base_;                 // the source with the key as its last column
    std::vector<std::string> fields_;  // the source's field names
    std::string completion_;           // the completion field, quoted
    std::string rowidTable_;           // the table read by its rowid, quoted; "" for others
    std::string key_;                  // the key field as named, "" for the rowid
    std::string searchSql_[2];         // the FTS5 tables' CREATE statements, by FieldMatch
    std::vector<std::pair<std::string, std::unique_ptr<SqliteStatement>>> statements_;
};

}  // namespace cp::sqlite
