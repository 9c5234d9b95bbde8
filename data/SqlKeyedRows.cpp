#include "data/SqlKeyedRows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "data/HistogramEstimate.h"
#include "data/TextSearchSql.h"
#include "data/rows/QueryNames.h"
#include "data/rows/RowBlock.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

namespace cp {
namespace {

// The fields are named by place; the key column comes after them.
constexpr const char* kFirst = "cp_f0";
constexpr const char* kKey = "cp_key";

// SQLite takes a double-quoted name that names no column for a string: a key field the source
// lacks would then be one constant for every row. A name in backticks is only ever a name.
std::string Quoted(const std::string& name, SqlDialect dialect = SqlDialect::PostgreSql) {
    return rows::QuotedName(name, dialect == SqlDialect::Sqlite ? '`' : '"');
}

// The single-column primary key of a PostgreSQL table, read from the catalogue.
std::string PrimaryKey(Database& database, const std::string& table) {
    const std::string sql =
        "SELECT a.attname FROM pg_index i JOIN pg_attribute a ON a.attrelid = i.indrelid AND "
        "a.attnum = ANY(i.indkey) WHERE i.indisprimary AND i.indrelid = to_regclass(" +
        SqlLiteral(Variant(Quoted(table))) + ")";
    const auto rs = database.OpenRecordset(sql, dbOpenSnapshot);
    if (CLng(rs->RecordCount()) != 1) {
        Raise(rows::kErrInvalidArgument,
              "The table " + table + " has no primary key of one column: name its key field.");
    }
    return CStr(rs->GetRows(1).Array()->At(0, 0));
}

std::string KeyedSource(Database& database, SqlDialect dialect, const std::string& source,
                        const std::string& keyField) {
    std::string from;
    std::string key = keyField.empty() ? std::string() : Quoted(keyField, dialect);
    if (const auto name = rows::BareName(source)) {
        from = Quoted(name->name, dialect);
        if (key.empty()) {
            key = dialect == SqlDialect::Sqlite ? std::string("rowid")
                                                : Quoted(PrimaryKey(database, name->name));
        }
    } else {
        if (key.empty()) {
            Raise(rows::kErrInvalidArgument,
                  "A query's rows can be read a page at a time only with a unique key field "
                  "named.");
        }
        from = "(" + source + ") AS cp_source";
    }
    return "SELECT *, " + key + " AS " + kKey + " FROM " + from;
}

}  // namespace

std::string SqlLiteral(const Variant& value) {
    switch (value.Type()) {
        case VarType::Null:
        case VarType::Empty:
            return "NULL";
        case VarType::Boolean:
        case VarType::Byte:
        case VarType::Integer:
        case VarType::Long:
            return std::to_string(static_cast<std::int64_t>(value.Number()));
        case VarType::Single:
        case VarType::Double:
        case VarType::Currency:
        case VarType::Date: {
            const double number = value.Number();
            if (!std::isfinite(number)) rows::RaiseInvalidArgument();
            char text[32];
            std::snprintf(text, sizeof text, "%.17g", number);
            return text;
        }
        default:
            break;
    }
    const std::string text = CStr(value);
    if (text.find('\0') != std::string::npos) rows::RaiseInvalidArgument();
    std::string literal = "'";
    for (const char c : text)
        literal += c == '\'' ? std::string("''") : std::string(1, c);
    return literal + "'";
}

SqlKeyedRows::SqlKeyedRows(std::shared_ptr<Database> database, SqlDialect dialect,
                           const std::string& source, const std::string& keyField)
    : database_(std::move(database)),
      dialect_(dialect),
      keyed_(KeyedSource(*database_, dialect, source, keyField)),
      key_(keyField) {
    if (const auto name = rows::BareName(source)) table_ = name->name;
    // One row joined onto the source counts its fields even when it has no rows.
    const auto rs = database_->OpenRecordset(
        "SELECT * FROM (SELECT 1 AS cp_one) AS cp_probe "
        "LEFT JOIN (" +
            keyed_ + ") AS cp_rows ON 1 = 1 LIMIT 1",
        dbOpenForwardOnly);
    fields_ = rs->GetRows(1).Array()->Extent(0) - 2;
    rs->Close();
    if (fields_ < 1) rows::RaiseNotARowQuery();
    if (dialect_ == SqlDialect::PostgreSql) ReadFieldTypes();
}

void SqlKeyedRows::ReadFieldTypes() {
    std::string sql = Named() + "SELECT pg_collation_for(cp_f0::text)";
    for (int f = 0; f < fields_; ++f)
        sql += ", pg_typeof(cp_f" + std::to_string(f) + ")::text";
    const auto rs = database_->OpenRecordset(
        sql + " FROM (SELECT 1) AS cp_probe LEFT JOIN cp_rows ON true LIMIT 1", dbOpenForwardOnly);
    const Variant block = rs->GetRows(1);
    rs->Close();
    const VariantArray& cells = *block.Array();
    collation_ = cells.At(0, 0).IsNull() ? std::string("\"default\"") : CStr(cells.At(0, 0));
    for (int f = 0; f < fields_; ++f)
        kinds_.push_back(KindOf(CStr(cells.At(f + 1, 0))));
}

SqlKeyedRows::FieldKind SqlKeyedRows::KindOf(std::string_view type) {
    if (type == "text" || type == "character varying" || type == "character" || type == "name" ||
        type == "citext") {
        return FieldKind::Text;
    }
    if (type == "smallint" || type == "integer" || type == "bigint" || type == "numeric" ||
        type == "real" || type == "double precision") {
        return FieldKind::Number;
    }
    if (type == "boolean") return FieldKind::Boolean;
    if (type == "date" || type.starts_with("timestamp")) return FieldKind::Date;
    return FieldKind::Other;
}

namespace {

// The statistics of a table's first column, one row per item: the table itself (kind 0: the
// tuples and pages when last analysed, the pages now, the share of Null entries), the
// histogram's bounds (1) and the most common entries with their shares (2). No rows for a
// table that was never analysed, or a relation other than a table.
std::string StatisticsQuery(const std::string& table) {
    return "WITH cp_stats AS (SELECT c.reltuples, c.relpages, pg_relation_size(c.oid) / "
           "current_setting('block_size')::int8 AS pages, s.null_frac, "
           "s.histogram_bounds::text::text[] AS bounds, s.most_common_vals::text::text[] AS "
           "vals, s.most_common_freqs AS freqs FROM pg_class c JOIN pg_namespace n ON n.oid = "
           "c.relnamespace JOIN LATERAL (SELECT attname FROM pg_attribute WHERE attrelid = c.oid "
           "AND attnum > 0 AND NOT attisdropped ORDER BY attnum LIMIT 1) a ON true JOIN pg_stats "
           "s ON s.schemaname = n.nspname AND s.tablename = c.relname AND s.attname = a.attname "
           "AND NOT s.inherited WHERE c.oid = to_regclass(" +
           SqlLiteral(Variant(Quoted(table))) +
           ") AND c.relkind IN ('r', 'm') AND c.reltuples >= 0) "
           "SELECT 0, NULL, reltuples::float8, relpages::float8, pages::float8, "
           "null_frac::float8 FROM cp_stats UNION ALL SELECT 1, b, NULL, NULL, NULL, NULL FROM "
           "cp_stats, unnest(cp_stats.bounds) AS b UNION ALL SELECT 2, m.v, m.f::float8, NULL, "
           "NULL, NULL FROM cp_stats, unnest(cp_stats.vals, cp_stats.freqs) AS m(v, f)";
}

// At most the statistics target's limit of bounds and of common entries, with the table's row.
constexpr std::int32_t kStatisticsRows = 2 * 10'001 + 1;

}  // namespace

std::optional<RowsEstimate> SqlKeyedRows::Estimate() {
    if (dialect_ != SqlDialect::PostgreSql || table_.empty()) return std::nullopt;
    const auto rs = database_->OpenRecordset(StatisticsQuery(table_), dbOpenForwardOnly);
    const bool none = CBool(rs->Eof());
    const Variant block = none ? Variant() : rs->GetRows(kStatisticsRows);
    rs->Close();
    if (none) return std::nullopt;
    const VariantArray& cells = *block.Array();
    std::optional<double> rows;
    ColumnStatistics statistics;
    for (std::int32_t r = 0; r < cells.Extent(1); ++r) {
        const Variant& entry = cells.At(1, r);
        switch (CLng(cells.At(0, r))) {
            case 0: {
                const double tuples = CDbl(cells.At(2, r));
                const double pages = CDbl(cells.At(3, r));
                const double now = CDbl(cells.At(4, r));
                // Rows written since into pages never analysed have no density to go by.
                if (pages > 0) rows = tuples / pages * now;
                if (pages == 0 && now == 0) rows = tuples;
                statistics.nullShare = CDbl(cells.At(5, r));
                break;
            }
            case 1:
                statistics.bounds.push_back(entry.IsNull() ? std::string() : CStr(entry));
                break;
            default:
                statistics.common.push_back(
                    {entry.IsNull() ? std::string() : CStr(entry), CDbl(cells.At(2, r))});
                break;
        }
    }
    if (!rows) return std::nullopt;
    return HistogramEstimate(std::llround(*rows), statistics);
}

std::vector<std::string> SqlKeyedRows::FieldNames() {
    return std::vector<std::string>(static_cast<std::size_t>(fields_));
}

std::string SqlKeyedRows::Named() const {
    std::string names;
    for (int f = 0; f < fields_; ++f)
        names += "cp_f" + std::to_string(f) + ", ";
    return "WITH cp_rows(" + names + kKey + ") AS (" + keyed_ + ") ";
}

std::string SqlKeyedRows::Folded() const {
    return dialect_ == SqlDialect::Sqlite ? "cp_f0 COLLATE NOCASE"
                                          : "lower(cp_f0::text) COLLATE \"C\"";
}

std::string SqlKeyedRows::FoldedOnServer(const std::string& text) const {
    // Folded in the field's collation, compared in "C" as the field is.
    return "lower(CAST(" + text + " AS text) COLLATE " + collation_ + ") COLLATE \"C\"";
}

std::string SqlKeyedRows::FoldedLiteral(const Variant& value) const {
    // SQLite folds both sides of a NOCASE comparison itself.
    return dialect_ == SqlDialect::Sqlite ? SqlLiteral(value) : FoldedOnServer(SqlLiteral(value));
}

std::vector<KeyedRow> SqlKeyedRows::Read(const std::string& where, const char* order, int limit,
                                         Nulls nulls) {
    if (limit <= 0) return {};
    const bool ascending = std::string_view(order) == "ASC";
    std::string sql = Named() + "SELECT * FROM cp_rows";
    if (!where.empty()) sql += " WHERE " + where;
    // Null entries come first, where SQLite puts them by itself. PostgreSQL's index puts them
    // last: a read that holds none is ordered as the index is, so that it is read in the
    // index's order and not sorted.
    const bool ordered = dialect_ == SqlDialect::Sqlite || nulls == Nulls::Excluded;
    const char* after = ordered ? ", " : ascending ? " NULLS FIRST, " : " NULLS LAST, ";
    sql += " ORDER BY " + Folded() + " " + order + after + kKey + " " + order + " LIMIT " +
           std::to_string(std::max(limit, 0));
    const auto rs = database_->OpenRecordset(sql, dbOpenForwardOnly);
    std::vector<KeyedRow> rows;
    if (!CBool(rs->Eof())) {
        const Variant block = rs->GetRows(limit);
        const VariantArray& cells = *block.Array();
        for (std::int32_t r = 0; r < cells.Extent(1); ++r) {
            KeyedRow row;
            for (std::int32_t f = 0; f < fields_; ++f)
                row.fields.push_back(cells.At(f, r));
            row.key = {cells.At(0, r), cells.At(fields_, r)};
            rows.push_back(std::move(row));
        }
    }
    rs->Close();
    return rows;
}

std::int64_t SqlKeyedRows::CountWhere(const std::string& where) {
    std::string sql = Named() + "SELECT count(*) FROM cp_rows";
    if (!where.empty()) sql += " WHERE " + where;
    const auto rs = database_->OpenRecordset(sql, dbOpenForwardOnly);
    const auto count = static_cast<std::int64_t>(CDbl(rs->GetRows(1).Array()->At(0, 0)));
    rs->Close();
    return count;
}

std::int64_t SqlKeyedRows::Count() {
    return CountWhere("");
}

// The keyset reads are ranges on the folded first field with the key as a filter, which every
// engine takes as an index range (SQLite takes no comparison of row values under a collation as
// one). Null entries come first and compare with nothing: the rows around them are read by
// their key alone, in reads of their own, which ask for the folded field's Null so that the
// same index finds them.
std::string SqlKeyedRows::Beyond(const RowKey& key, const char* comparison) const {
    const std::string entry = FoldedLiteral(key.completion);
    const std::string unique = SqlLiteral(key.unique);
    if (key.completion.IsNull()) {
        return "(" + Folded() + ") IS NULL AND " + kKey + " " + comparison + " " + unique;
    }
    return Folded() + " " + comparison + "= " + entry + " AND (" + Folded() + " " + comparison +
           " " + entry + " OR " + kKey + " " + comparison + " " + unique + ")";
}

std::vector<KeyedRow> SqlKeyedRows::RowsAfter(const std::optional<RowKey>& after, int limit) {
    if (!after) {
        // From the table's start: the Null entries by their key, then the others.
        std::vector<KeyedRow> rows = Read("(" + Folded() + ") IS NULL", "ASC", limit);
        const auto entries = Read(std::string(kFirst) + " IS NOT NULL", "ASC",
                                  limit - static_cast<int>(rows.size()));
        rows.insert(rows.end(), entries.begin(), entries.end());
        return rows;
    }
    std::vector<KeyedRow> rows = Read(Beyond(*after, ">"), "ASC", limit);
    if (after->completion.IsNull()) {
        const auto entries = Read(std::string(kFirst) + " IS NOT NULL", "ASC",
                                  limit - static_cast<int>(rows.size()));
        rows.insert(rows.end(), entries.begin(), entries.end());
    }
    return rows;
}

std::vector<KeyedRow> SqlKeyedRows::RowsBefore(const RowKey& before, int limit) {
    // Read backwards, the nearest row first, then turned round.
    std::vector<KeyedRow> rows = Read(Beyond(before, "<"), "DESC", limit);
    std::ranges::reverse(rows);
    if (!before.completion.IsNull()) {
        std::vector<KeyedRow> nulls =
            Read("(" + Folded() + ") IS NULL", "DESC", limit - static_cast<int>(rows.size()));
        std::ranges::reverse(nulls);
        rows.insert(rows.begin(), nulls.begin(), nulls.end());
    }
    return rows;
}

std::vector<KeyedRow> SqlKeyedRows::LastRows(int limit) {
    // Backwards from the end; the Null entries, which come first, only when the others run out.
    // Then turned round.
    std::vector<KeyedRow> rows = Read(std::string(kFirst) + " IS NOT NULL", "DESC", limit);
    const auto nulls =
        Read("(" + Folded() + ") IS NULL", "DESC", limit - static_cast<int>(rows.size()));
    rows.insert(rows.end(), nulls.begin(), nulls.end());
    std::ranges::reverse(rows);
    return rows;
}

std::int64_t SqlKeyedRows::CountBefore(const RowKey& key) {
    const std::int64_t before = CountWhere(Beyond(key, "<"));
    if (key.completion.IsNull()) return before;
    return before + CountWhere("(" + Folded() + ") IS NULL");
}

std::string SqlKeyedRows::PrefixCondition(std::string_view prefix) const {
    if (dialect_ == SqlDialect::PostgreSql) {
        // A pattern whose prefix is a constant, which the planner reads as the index range.
        return Folded() + " LIKE (" + FoldedOnServer(SqlLiteral(Variant(LikeEscaped(prefix)))) +
               " || '%') COLLATE \"C\"";
    }
    const std::string end = FoldedPrefixEnd(prefix);
    std::string where = Folded() + " >= " + SqlLiteral(Variant(FoldedPrefix(prefix)));
    if (!end.empty()) where += " AND " + Folded() + " < " + SqlLiteral(Variant(end));
    return where;
}

std::optional<KeyedRow> SqlKeyedRows::FirstWithPrefix(std::string_view prefix) {
    auto rows = Read(PrefixCondition(prefix), "ASC", 1);
    if (rows.empty()) return std::nullopt;
    return std::move(rows.front());
}

std::optional<std::string> SqlKeyedRows::ValueCondition(int field, const Variant& value) const {
    const std::string name = "cp_f" + std::to_string(field);
    const std::string equals = name + " = " + SqlLiteral(value);
    if (dialect_ != SqlDialect::PostgreSql || value.IsNull() || value.IsEmpty()) return equals;
    // PostgreSQL refuses to compare values of other types. The host's "=" finds a number
    // never equal to a text, and compares numbers, Booleans and dates by their value.
    const bool text = value.IsString();
    switch (kinds_[static_cast<std::size_t>(field)]) {
        case FieldKind::Text:
            if (text) return equals;
            break;
        case FieldKind::Number:
            if (!text) return equals;
            break;
        case FieldKind::Boolean:
            if (!text && (value.Number() == -1 || value.Number() == 0)) {
                return name + (value.Number() == 0 ? " = false" : " = true");
            }
            break;
        case FieldKind::Date:
            if (!text) {
                return name + " = TIMESTAMP '1899-12-30' + " + SqlLiteral(Variant(value.Number())) +
                       " * INTERVAL '1 day'";
            }
            break;
        case FieldKind::Other:
            if (text) return name + "::text = " + SqlLiteral(value);
            break;
    }
    return std::nullopt;
}

std::optional<KeyedRow> SqlKeyedRows::FirstWithValue(int field, const Variant& value) {
    if (field < 0 || field >= fields_) return std::nullopt;
    const std::optional<std::string> condition = ValueCondition(field, value);
    if (!condition) return std::nullopt;
    auto rows = Read(*condition, "ASC", 1, field == 0 ? Nulls::Excluded : Nulls::Included);
    if (rows.empty()) return std::nullopt;
    return std::move(rows.front());
}

std::vector<std::string> SqlKeyedRows::SearchedNames(const FieldSearch& search) {
    if (table_.empty()) RaiseSearchOfQuery();
    if (names_.empty()) {
        const auto rs = database_->OpenRecordset(
            "SELECT * FROM " + Quoted(table_, dialect_) + " WHERE 1 = 0", dbOpenForwardOnly);
        names_ = rs->FieldNames();
        rs->Close();
    }
    std::vector<std::string> names;
    for (const int field : search.fields) {
        if (field < 0 || field >= fields_ || static_cast<std::size_t>(field) >= names_.size()) {
            Raise(vberr::SubscriptOutOfRange);
        }
        names.push_back(names_[static_cast<std::size_t>(field)]);
    }
    return names;
}

void SqlKeyedRows::CheckTrigramIndex(const std::string& column) {
    // Each column of each index of the table, with its operator class, in its place.
    const std::string sql =
        "SELECT count(*) FROM pg_index i CROSS JOIN LATERAL unnest(i.indkey::int2[], "
        "i.indclass::oid[]) AS k(attnum, opclass) JOIN pg_attribute a ON a.attrelid = i.indrelid "
        "AND a.attnum = k.attnum JOIN pg_opclass o ON o.oid = k.opclass WHERE i.indrelid = "
        "to_regclass(" +
        SqlLiteral(Variant(Quoted(table_))) + ") AND a.attname = " + SqlLiteral(Variant(column)) +
        " AND o.opcname IN ('gin_trgm_ops', 'gist_trgm_ops')";
    const auto rs = database_->OpenRecordset(sql, dbOpenForwardOnly);
    const double indexes = CDbl(rs->GetRows(1).Array()->At(0, 0));
    rs->Close();
    if (indexes < 1) RaiseNoTrigramIndex(table_, column);
}

void SqlKeyedRows::CheckSearchTable(const FieldSearch& search) {
    const std::vector<std::string> names = SearchedNames(search);
    const std::string fts = SqliteSearchTable(table_, search.match);
    const std::string& sql = SearchTableSql(search.match, true);
    if (!SqliteSearchTableFits(sql, search.match)) {
        RaiseNoSqliteSearchTable(table_, search.match, names);
    }
    if (!key_.empty()) CheckSqliteSearchKey(sql, table_, key_, KeyType(), search.match);
    CheckSqliteSearchRowid(sql, table_, StoredSql(table_), search.match);
    const auto rs = database_->OpenRecordset(
        "SELECT * FROM " + Quoted(fts, dialect_) + " WHERE 1 = 0", dbOpenForwardOnly);
    const std::vector<std::string> indexed = rs->FieldNames();
    rs->Close();
    for (const std::string& name : names) {
        if (std::ranges::find(indexed, name) == indexed.end()) {
            RaiseNoSqliteSearchTable(table_, search.match, names);
        }
    }
}

const std::string& SqlKeyedRows::SearchTableSql(FieldMatch match, bool fresh) {
    std::string& sql = searchSql_[match == FieldMatch::Contains ? 0 : 1];
    if (!sql.empty() && !fresh) return sql;
    sql = StoredSql(SqliteSearchTable(table_, match));
    return sql;
}

std::string SqlKeyedRows::StoredSql(const std::string& table) {
    const auto rs =
        database_->OpenRecordset("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = " +
                                     SqlLiteral(Variant(table)) + " COLLATE NOCASE",
                                 dbOpenForwardOnly);
    const std::string sql =
        CBool(rs->Eof()) ? std::string() : CStr(rs->GetRows(1).Array()->At(0, 0));
    rs->Close();
    return sql;
}

std::string SqlKeyedRows::KeyType() {
    const auto rs = database_->OpenRecordset(
        "SELECT type FROM pragma_table_info(" + SqlLiteral(Variant(table_)) +
            ") WHERE name = " + SqlLiteral(Variant(key_)) + " COLLATE NOCASE",
        dbOpenForwardOnly);
    const std::string type =
        CBool(rs->Eof()) ? std::string() : CStr(rs->GetRows(1).Array()->At(0, 0));
    rs->Close();
    return type;
}

void SqlKeyedRows::CheckSearch(const FieldSearch& search) {
    if (dialect_ == SqlDialect::Sqlite) {
        CheckSearchTable(search);
        return;
    }
    for (const std::string& column : SearchedNames(search))
        CheckTrigramIndex(column);
}

std::string SqlKeyedRows::MatchCondition(const FieldSearch& search, std::string_view text) {
    if (dialect_ == SqlDialect::Sqlite) {
        const std::string fts = Quoted(SqliteSearchTable(table_, search.match), dialect_);
        const std::string query =
            SqlLiteral(Variant(Fts5Query(SearchedNames(search), text, search.match)));
        return std::string(kKey) + " IN (" +
               SqliteMatchedKeys(SearchTableSql(search.match), table_, key_, fts, query, '`') + ")";
    }
    SearchedNames(search);
    const bool anywhere = search.match == FieldMatch::Contains;
    const std::string pattern =
        SqlLiteral(Variant(anywhere ? LikeAnywhere(text) : WordStartExpression(text)));
    std::string condition;
    for (const int field : search.fields) {
        condition += (condition.empty() ? "(" : " OR ") + std::string("cp_f") +
                     std::to_string(field) + (anywhere ? " ILIKE " : " ~* ") + pattern;
    }
    return condition + ")";
}

std::optional<std::string> SqlKeyedRows::TextCondition(const TextMatch& match) {
    if (!match.search) return PrefixCondition(match.text);
    const FieldSearch& search = *match.search;
    if (search.fields.empty()) return std::nullopt;
    // Trigrams serve both searches on PostgreSQL, and any part of a text on SQLite.
    const bool trigrams =
        dialect_ == SqlDialect::PostgreSql || search.match == FieldMatch::Contains;
    if (trigrams && !TrigramsServe(match.text)) {
        if (table_.empty()) RaiseSearchOfQuery();
        if (!SearchesCompletion(search)) return std::nullopt;
        return PrefixCondition(match.text);
    }
    return MatchCondition(search, match.text);
}

std::vector<KeyedRow> SqlKeyedRows::MatchingAfter(const TextMatch& match,
                                                  const std::optional<RowKey>& after, int limit) {
    const std::optional<std::string> condition = TextCondition(match);
    if (!condition) return {};
    // A search of other fields finds rows whose first field is Null; a prefix finds none.
    const Nulls nulls = match.search ? Nulls::Included : Nulls::Excluded;
    if (!after) return Read(*condition, "ASC", limit, nulls);
    // A Null entry compares with nothing: the rows after it are the other Null entries with a
    // greater key, then every entry.
    std::string beyond = Beyond(*after, ">");
    if (after->completion.IsNull()) beyond = "(" + beyond + " OR " + kFirst + " IS NOT NULL)";
    return Read("(" + *condition + ") AND " + beyond, "ASC", limit, nulls);
}

std::vector<KeyedRow> SqlKeyedRows::LastMatching(const TextMatch& match, int limit) {
    const std::optional<std::string> condition = TextCondition(match);
    if (!condition) return {};
    // Backwards from the end, Null entries last, then turned round.
    std::vector<KeyedRow> rows =
        Read(*condition, "DESC", limit, match.search ? Nulls::Included : Nulls::Excluded);
    std::ranges::reverse(rows);
    return rows;
}

std::int64_t SqlKeyedRows::CountMatching(const TextMatch& match) {
    const std::optional<std::string> condition = TextCondition(match);
    return condition ? CountWhere(*condition) : 0;
}

}  // namespace cp
