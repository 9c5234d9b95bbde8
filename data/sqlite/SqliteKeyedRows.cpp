#include "data/sqlite/SqliteKeyedRows.h"

#include <algorithm>

#include "data/TextSearchSql.h"
#include "data/rows/QueryNames.h"
#include "data/rows/RowBlock.h"
#include "data/sqlite/SqliteConnection.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

namespace cp::sqlite {
namespace {

constexpr const char* kKey = "cp_key";  // the key's column, added after the source's fields

std::string Quoted(const std::string& name) {
    return rows::QuotedName(name, '"');
}

// The source as a query whose last column is the unique key.
std::string KeyedSource(const std::string& source, const std::string& keyField) {
    const std::string key = keyField.empty() ? std::string("rowid") : Quoted(keyField);
    if (const auto name = rows::BareName(source)) {
        return "SELECT *, " + key + " AS " + kKey + " FROM " + Quoted(name->name);
    }
    if (keyField.empty()) {
        Raise(rows::kErrInvalidArgument,
              "A query's rows can be read a page at a time only with a unique key field named.");
    }
    return "SELECT *, " + key + " AS " + kKey + " FROM (" + source + ")";
}

}  // namespace

SqliteKeyedRows::SqliteKeyedRows(std::shared_ptr<SqliteConnection> connection,
                                 const std::string& source, const std::string& keyField)
    : connection_(std::move(connection)), base_(KeyedSource(source, keyField)), key_(keyField) {
    if (const auto name = rows::BareName(source)) table_ = name->name;
    SqliteStatement shape(connection_, "SELECT * FROM (" + base_ + ") LIMIT 0");
    if (!shape.ReadOnly()) rows::RaiseNotARowQuery();
    if (shape.ParameterCount() > 0) rows::RaiseTooFewParameters(shape.ParameterCount());
    for (int f = 0; f + 1 < shape.FieldCount(); ++f)
        fields_.push_back(shape.FieldName(f));
    if (fields_.empty()) rows::RaiseNotARowQuery();
    completion_ = Quoted(fields_.front());
    if (const auto name = rows::BareName(source); name && keyField.empty()) {
        rowidTable_ = Quoted(name->name);
    }
}

std::vector<std::string> SqliteKeyedRows::FieldNames() {
    return fields_;
}

SqliteStatement& SqliteKeyedRows::Statement(const std::string& sql) {
    const auto known = std::ranges::find(statements_, sql, [](const auto& s) { return s.first; });
    if (known != statements_.end()) {
        known->second->Reset();
        return *known->second;
    }
    statements_.emplace_back(sql, std::make_unique<SqliteStatement>(connection_, sql));
    return *statements_.back().second;
}

std::string SqliteKeyedRows::Select(const std::string& where, const std::string& order,
                                    bool limited) const {
    std::string sql = "SELECT * FROM (" + base_ + ")";
    if (!where.empty()) sql += " WHERE " + where;
    sql += " ORDER BY " + completion_ + " COLLATE NOCASE " + order + ", " + kKey + " " + order;
    if (limited) sql += " LIMIT ?3";
    return sql;
}

KeyedRow SqliteKeyedRows::CurrentRow(const SqliteStatement& statement) const {
    KeyedRow row;
    const int fields = static_cast<int>(fields_.size());
    row.fields.reserve(fields_.size());
    for (int f = 0; f < fields; ++f)
        row.fields.push_back(statement.FieldValue(f));
    row.key = {row.fields.front(), statement.FieldValue(fields)};
    return row;
}

std::vector<KeyedRow> SqliteKeyedRows::ReadRows(SqliteStatement& statement) const {
    std::vector<KeyedRow> result;
    while (statement.Step())
        result.push_back(CurrentRow(statement));
    return result;
}

std::optional<KeyedRow> SqliteKeyedRows::ReadFirst(SqliteStatement& statement) const {
    std::optional<KeyedRow> row;
    if (statement.Step()) row = CurrentRow(statement);
    // A statement left on a row keeps its read open, and that would lock out every writer.
    statement.Reset();
    return row;
}

std::int64_t SqliteKeyedRows::ReadCount(SqliteStatement& statement) const {
    statement.Step();
    const auto count = static_cast<std::int64_t>(statement.FieldValue(0).Number());
    statement.Reset();
    return count;
}

std::int64_t SqliteKeyedRows::Count() {
    SqliteStatement& count = Statement("SELECT count(*) FROM (" + base_ + ")");
    return ReadCount(count);
}

// The conditions of the keyset reads, each an index range on the completion field (SQLite does
// not take a comparison of row values under a collation as one), with ?1 the entry and ?2 the
// key of the row read from. Null entries come first and compare with nothing: the rows around
// them are read by their key alone, in reads of their own.
std::string SqliteKeyedRows::Condition(Range range) const {
    const std::string folded = completion_ + " COLLATE NOCASE";
    switch (range) {
        case Range::AfterEntry:
            return folded + " >= ?1 AND (" + folded + " > ?1 OR " + kKey + " > ?2)";
        case Range::BeforeEntry:
            return folded + " <= ?1 AND (" + folded + " < ?1 OR " + kKey + " < ?2)";
        case Range::AfterNull:
            return completion_ + " IS NULL AND " + kKey + " > ?2";
        case Range::BeforeNull:
            return completion_ + " IS NULL AND " + kKey + " < ?2";
        case Range::Entries:
            return completion_ + " IS NOT NULL";
        case Range::Nulls:
            return completion_ + " IS NULL";
    }
    return {};
}

void SqliteKeyedRows::BindKey(SqliteStatement& statement, const RowKey* key) const {
    if (!key) return;
    const int parameters = statement.ParameterCount();
    if (parameters >= 1) statement.BindValue(1, key->completion);
    if (parameters >= 2) statement.BindValue(2, key->unique);
}

std::vector<KeyedRow> SqliteKeyedRows::Read(Range range, const char* order, const RowKey* key,
                                            int limit) {
    if (limit <= 0) return {};
    SqliteStatement& read = Statement(Select(Condition(range), order, true));
    BindKey(read, key);
    read.BindValue(3, Variant(std::int32_t{limit}));
    return ReadRows(read);
}

std::int64_t SqliteKeyedRows::CountOf(Range range, const RowKey* key) {
    SqliteStatement& count =
        Statement("SELECT count(*) FROM (" + base_ + ") WHERE " + Condition(range));
    BindKey(count, key);
    return ReadCount(count);
}

std::vector<KeyedRow> SqliteKeyedRows::RowsAfter(const std::optional<RowKey>& after, int limit) {
    if (!after) {
        SqliteStatement& read = Statement(Select("", "ASC", true));
        read.BindValue(3, Variant(std::int32_t{limit}));
        return ReadRows(read);
    }
    if (!after->completion.IsNull()) return Read(Range::AfterEntry, "ASC", &*after, limit);
    std::vector<KeyedRow> rows = Read(Range::AfterNull, "ASC", &*after, limit);
    const auto entries =
        Read(Range::Entries, "ASC", nullptr, limit - static_cast<int>(rows.size()));
    rows.insert(rows.end(), entries.begin(), entries.end());
    return rows;
}

std::vector<KeyedRow> SqliteKeyedRows::RowsBefore(const RowKey& before, int limit) {
    std::vector<KeyedRow> rows;
    if (before.completion.IsNull()) {
        rows = Read(Range::BeforeNull, "DESC", &before, limit);
    } else {
        rows = Read(Range::BeforeEntry, "DESC", &before, limit);
        const auto nulls =
            Read(Range::Nulls, "DESC", nullptr, limit - static_cast<int>(rows.size()));
        rows.insert(rows.end(), nulls.begin(), nulls.end());
    }
    std::ranges::reverse(rows);
    return rows;
}

std::vector<KeyedRow> SqliteKeyedRows::LastRows(int limit) {
    if (limit <= 0) return {};
    // Read backwards from the end (Null entries, first in the order, come last), turned round.
    SqliteStatement& read = Statement(Select("", "DESC", true));
    read.BindValue(3, Variant(std::int32_t{limit}));
    std::vector<KeyedRow> rows = ReadRows(read);
    std::ranges::reverse(rows);
    return rows;
}

std::int64_t SqliteKeyedRows::CountBefore(const RowKey& key) {
    if (key.completion.IsNull()) return CountOf(Range::BeforeNull, &key);
    return CountOf(Range::BeforeEntry, &key) + CountOf(Range::Nulls, nullptr);
}

std::optional<KeyedRow> SqliteKeyedRows::FirstWithPrefix(std::string_view prefix) {
    const std::string end = FoldedPrefixEnd(prefix);
    std::string where = completion_ + " >= ?1 COLLATE NOCASE";
    if (!end.empty()) where += " AND " + completion_ + " < ?2 COLLATE NOCASE";
    SqliteStatement& read = Statement(Select(where, "ASC", true));
    read.BindText(1, FoldedPrefix(prefix));
    if (!end.empty()) read.BindText(2, end);
    read.BindValue(3, Variant(std::int32_t{1}));
    return ReadFirst(read);
}

std::optional<KeyedRow> SqliteKeyedRows::FirstWithValue(int field, const Variant& value) {
    if (field < 0 || static_cast<std::size_t>(field) >= fields_.size()) return std::nullopt;
    std::string where = Quoted(fields_[static_cast<std::size_t>(field)]) + " = ?1";
    // An equal entry is equal without regard to case too: the completion field's index finds it.
    if (field == 0) where += " AND " + completion_ + " COLLATE NOCASE = ?1";
    SqliteStatement& read = Statement(Select(where, "ASC", true));
    read.BindValue(1, value);
    read.BindValue(3, Variant(std::int32_t{1}));
    return ReadFirst(read);
}

std::vector<std::string> SqliteKeyedRows::SearchedNames(const FieldSearch& search) const {
    std::vector<std::string> names;
    for (const int field : search.fields) {
        if (field < 0 || static_cast<std::size_t>(field) >= fields_.size()) {
            Raise(vberr::SubscriptOutOfRange);
        }
        names.push_back(fields_[static_cast<std::size_t>(field)]);
    }
    return names;
}

void SqliteKeyedRows::CheckSearch(const FieldSearch& search) {
    if (table_.empty()) RaiseSearchOfQuery();
    const std::vector<std::string> names = SearchedNames(search);
    const std::string fts = SqliteSearchTable(table_, search.match);
    const std::string& sql = SearchTableSql(search.match, true);
    if (!SqliteSearchTableFits(sql, search.match)) {
        RaiseNoSqliteSearchTable(table_, search.match, names);
    }
    if (!key_.empty()) {
        SqliteStatement& declared =
            Statement("SELECT type FROM pragma_table_info(?1) WHERE name = ?2 COLLATE NOCASE");
        declared.BindText(1, table_);
        declared.BindText(2, key_);
        const std::string type = declared.Step() ? CStr(declared.FieldValue(0)) : std::string();
        declared.Reset();
        CheckSqliteSearchKey(sql, table_, key_, type, search.match);
    }
    CheckSqliteSearchRowid(sql, table_, StoredSql(table_), search.match);
    const SqliteStatement shape(connection_, "SELECT * FROM " + Quoted(fts) + " LIMIT 0");
    for (const std::string& name : names) {
        bool indexed = false;
        for (int f = 0; f < shape.FieldCount(); ++f)
            indexed = indexed || shape.FieldName(f) == name;
        if (!indexed) RaiseNoSqliteSearchTable(table_, search.match, names);
    }
}

const std::string& SqliteKeyedRows::SearchTableSql(FieldMatch match, bool fresh) {
    std::string& sql = searchSql_[match == FieldMatch::Contains ? 0 : 1];
    if (!sql.empty() && !fresh) return sql;
    sql = StoredSql(SqliteSearchTable(table_, match));
    return sql;
}

std::string SqliteKeyedRows::StoredSql(const std::string& table) {
    SqliteStatement& stored = Statement(
        "SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
    stored.BindText(1, table);
    std::string sql = stored.Step() ? CStr(stored.FieldValue(0)) : std::string();
    stored.Reset();
    return sql;
}

std::optional<SqliteKeyedRows::Matching> SqliteKeyedRows::MatchingOf(const TextMatch& match) {
    const auto prefix = [&]() -> Matching {
        Matching range{completion_ + " >= ?4 COLLATE NOCASE", {FoldedPrefix(match.text)}};
        if (const std::string end = FoldedPrefixEnd(match.text); !end.empty()) {
            range.where += " AND " + completion_ + " < ?5 COLLATE NOCASE";
            range.values.push_back(end);
        }
        return range;
    };
    if (!match.search) return prefix();
    const FieldSearch& search = *match.search;
    if (search.fields.empty()) return std::nullopt;
    if (table_.empty()) RaiseSearchOfQuery();
    if (search.match == FieldMatch::Contains && !TrigramsServe(match.text)) {
        if (!SearchesCompletion(search)) return std::nullopt;
        return prefix();
    }
    const std::string fts = Quoted(SqliteSearchTable(table_, search.match));
    const std::string keys =
        SqliteMatchedKeys(SearchTableSql(search.match), table_, key_, fts, "?4", '"');
    return Matching{std::string(kKey) + " IN (" + keys + ")",
                    {Fts5Query(SearchedNames(search), match.text, search.match)}};
}

void SqliteKeyedRows::BindMatching(SqliteStatement& statement, const Matching& matching) {
    for (std::size_t i = 0; i < matching.values.size(); ++i)
        statement.BindText(4 + static_cast<int>(i), matching.values[i]);
}

std::vector<KeyedRow> SqliteKeyedRows::MatchingAfter(const TextMatch& match,
                                                     const std::optional<RowKey>& after,
                                                     int limit) {
    const std::optional<Matching> matching = MatchingOf(match);
    if (!matching || limit <= 0) return {};
    std::string where = "(" + matching->where + ")";
    if (after) {
        // A Null entry compares with nothing: after it come the Null entries of greater keys,
        // then every entry.
        where += after->completion.IsNull() ? " AND (" + Condition(Range::AfterNull) + " OR " +
                                                  Condition(Range::Entries) + ")"
                                            : " AND " + Condition(Range::AfterEntry);
    }
    SqliteStatement& read = Statement(Select(where, "ASC", true));
    BindKey(read, after ? &*after : nullptr);
    BindMatching(read, *matching);
    read.BindValue(3, Variant(std::int32_t{limit}));
    return ReadRows(read);
}

std::vector<KeyedRow> SqliteKeyedRows::LastMatching(const TextMatch& match, int limit) {
    const std::optional<Matching> matching = MatchingOf(match);
    if (!matching || limit <= 0) return {};
    // Read backwards from the end (Null entries, first in the order, come last), turned round.
    SqliteStatement& read = Statement(Select(matching->where, "DESC", true));
    BindMatching(read, *matching);
    read.BindValue(3, Variant(std::int32_t{limit}));
    std::vector<KeyedRow> rows = ReadRows(read);
    std::ranges::reverse(rows);
    return rows;
}

std::int64_t SqliteKeyedRows::CountMatching(const TextMatch& match) {
    const std::optional<Matching> matching = MatchingOf(match);
    if (!matching) return 0;
    SqliteStatement& count =
        Statement("SELECT count(*) FROM (" + base_ + ") WHERE " + matching->where);
    BindMatching(count, *matching);
    return ReadCount(count);
}

std::optional<RowsEstimate> SqliteKeyedRows::Estimate() {
    if (rowidTable_.empty()) return std::nullopt;
    // Two statements, so that each takes the rowid's end straight from the table's tree.
    const auto end = [&](const char* which) {
        SqliteStatement& read =
            Statement(std::string("SELECT ") + which + "(rowid) FROM " + rowidTable_);
        read.Step();
        const Variant value = read.FieldValue(0);
        read.Reset();
        return value.IsNull() ? std::int64_t{0} : static_cast<std::int64_t>(value.Number());
    };
    const std::int64_t first = end("min");
    const std::int64_t last = end("max");
    if (last < first) return RowsEstimate{};
    const std::int64_t rows = last - first + 1;
    SqliteStatement& sample = Statement("SELECT " + completion_ + " FROM " + rowidTable_ +
                                        " WHERE rowid >= ?1 ORDER BY rowid LIMIT 1");
    const int samples = static_cast<int>(std::min<std::int64_t>(kSampledEntries, rows));
    std::vector<std::string> entries;
    for (int i = 0; i < samples; ++i) {
        sample.Reset();
        sample.BindValue(1, Variant(static_cast<double>(first + rows * i / samples)));
        if (!sample.Step()) continue;
        const Variant entry = sample.FieldValue(0);
        entries.push_back(entry.IsNull() ? std::string() : FoldedPrefix(CStr(entry)));
    }
    sample.Reset();
    return SampledEstimate(rows, std::move(entries));
}

}  // namespace cp::sqlite
