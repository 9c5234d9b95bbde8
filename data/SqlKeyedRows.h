// Rows read a page at a time (data/KeyedRows.h) through a database's own recordsets, for
// engines reached by SQL text alone: each read is one forward-only query whose values are
// written into it as literals (text quoted with its quotes doubled, numbers in full), so no
// engine needs parameters. PostgreSQL and SQLite are served this way through ODBC; the fields
// are named by place (a WITH list), so the reads can name them whatever the source calls them.
//
// SQLite orders and searches as its native reads do (data/sqlite/SqliteKeyedRows.h), and a
// table named without a key is read by its rowid.
//
// PostgreSQL orders the rows by lower(first field) in the "C" collation, Null entries first,
// then by the key, and a prefix is the range of lower(field) that begins with it. A text that a
// read starts from or a typed prefix is folded by the same lower() as the field, in the field's
// own collation, so that a column collated otherwise than the database loses no rows, and a
// first field of numbers or dates is folded as its text. An index that serves every read:
//
//     CREATE INDEX places_name ON places ((lower(name)) COLLATE "C", id);
//
// (text_pattern_ops in place of COLLATE "C" serves the prefix ranges but not the order.) A
// table named without a key is read by its single-column primary key.
//
// A table named as the source is placed by PostgreSQL's statistics where ANALYZE (or autovacuum)
// has gathered them: its rows from pg_class.reltuples, scaled to the pages it has now as the
// planner scales them, and the place of an entry from the first column's histogram and most
// common values in pg_stats. Without them, and for a query or a view, the rows are counted.
//
// The searches inside the texts are served by the indexes that data/TextSearchSql.h names: on
// PostgreSQL a trigram index of pg_trgm on each searched column,
//
//     CREATE EXTENSION pg_trgm;
//     CREATE INDEX places_name_trgm ON places USING gin (name gin_trgm_ops);
//
// on SQLite the FTS5 tables beside the table, as its native reads use them.
#pragma once

#include <memory>
#include <string>

#include "data/Database.h"
#include "data/KeyedRows.h"

namespace cp {

// The engines whose SQL the reads are written in.
enum class SqlDialect { PostgreSql, Sqlite };

class SqlKeyedRows final : public KeyedRows {
public:
    SqlKeyedRows(std::shared_ptr<Database> database, SqlDialect dialect, const std::string& source,
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
    // PostgreSQL's statistics of a table named as the source (data/HistogramEstimate.h); none
    // for a query, a view, a table never analysed, and every other engine.
    std::optional<RowsEstimate> Estimate() override;

private:
    // Whether the rows a read asks for may hold a Null first field.
    enum class Nulls { Excluded, Included };
    // The rows where the condition holds, in the order's direction ("ASC" or "DESC"), at most
    // limit of them, in the order read.
    std::vector<KeyedRow> Read(const std::string& where, const char* order, int limit,
                               Nulls nulls = Nulls::Excluded);
    std::int64_t CountWhere(const std::string& where);
    // The source with its fields named cp_f0, cp_f1... and the key cp_key, as a WITH clause.
    std::string Named() const;
    // The first field as the order compares it, and a literal the same way.
    std::string Folded() const;
    std::string FoldedLiteral(const Variant& value) const;
    // The rows beyond key in the direction of comparison ("<" or ">"), as a condition.
    std::string Beyond(const RowKey& key, const char* comparison) const;
    // The entries that begin with prefix, as an index range of the first field.
    std::string PrefixCondition(std::string_view prefix) const;
    // PostgreSQL's fold of an SQL text expression, as the first field is folded.
    std::string FoldedOnServer(const std::string& text) const;
    // What PostgreSQL's type of a field holds, as a host's value compares with it.
    enum class FieldKind { Text, Number, Boolean, Date, Other };
    static FieldKind KindOf(std::string_view type);
    // Reads PostgreSQL's collation of the first field and the kinds of the fields.
    void ReadFieldTypes();
    // The condition under which field equals value as the host compares them; none where no
    // entry of the field's type can equal it.
    std::optional<std::string> ValueCondition(int field, const Variant& value) const;
    // The condition under which the text matches; none when it can match no row.
    std::optional<std::string> TextCondition(const TextMatch& match);
    // The table's names of the searched fields; error 9 for a field the rows lack.
    std::vector<std::string> SearchedNames(const FieldSearch& search);
    // The condition under which text stands in a searched field.
    std::string MatchCondition(const FieldSearch& search, std::string_view text);
    // Raises 3251 unless a trigram index of the table's serves the column.
    void CheckTrigramIndex(const std::string& column);
    void CheckSearchTable(const FieldSearch& search);
    // The CREATE statement of the SQLite FTS5 table that serves the match, read again when
    // asked to be fresh; "" for none.
    const std::string& SearchTableSql(FieldMatch match, bool fresh = false);
    // An SQLite table's CREATE statement, empty when there is no such table.
    std::string StoredSql(const std::string& table);
    // The declared type of the key column of an SQLite table.
    std::string KeyType();

    std::shared_ptr<Database> database_;
    SqlDialect dialect_;
    std::string table_;               // the table's name; "" for a query
    std::string keyed_;               // the source with the key added as its last column
    std::string key_;                 // the key field as named, "" for the table's own
    std::string searchSql_[2];        // SQLite's FTS5 tables' CREATE statements, by FieldMatch
    std::vector<std::string> names_;  // the table's column names, once a search asked for them
    std::int32_t fields_ = 0;         // the source's fields
    std::string collation_;           // PostgreSQL's collation of the first field, quoted
    std::vector<FieldKind> kinds_;    // PostgreSQL's kind of each field
};

// A value as an SQL literal; error 3001 for a text with a zero byte or a number that is none.
std::string SqlLiteral(const Variant& value);

}  // namespace cp
