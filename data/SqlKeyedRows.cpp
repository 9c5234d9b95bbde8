#include "data/SqlKeyedRows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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
      keyed_(KeyedSource(*database_, dialect, source, keyField)) {
    // One row joined onto the source counts its fields even when it has no rows.
    const auto rs = database_->OpenRecordset(
        "SELECT * FROM (SELECT 1 AS cp_one) AS cp_probe "
        "LEFT JOIN (" +
            keyed_ + ") AS cp_rows ON 1 = 1 LIMIT 1",
        dbOpenForwardOnly);
    fields_ = rs->GetRows(1).Array()->Extent(0) - 2;
    rs->Close();
    if (fields_ < 1) rows::RaiseNotARowQuery();
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
    return dialect_ == SqlDialect::Sqlite ? "cp_f0 COLLATE NOCASE" : "lower(cp_f0) COLLATE \"C\"";
}

std::string SqlKeyedRows::FoldedLiteral(const Variant& value) const {
    // SQLite folds both sides of a NOCASE comparison itself.
    return dialect_ == SqlDialect::Sqlite ? SqlLiteral(value) : "lower(" + SqlLiteral(value) + ")";
}

std::vector<KeyedRow> SqlKeyedRows::Read(const std::string& where, const char* order, int limit) {
    if (limit <= 0) return {};
    const bool ascending = std::string_view(order) == "ASC";
    std::string sql = Named() + "SELECT * FROM cp_rows";
    if (!where.empty()) sql += " WHERE " + where;
    // Null entries come first, where SQLite puts them by itself.
    const char* nulls = dialect_ == SqlDialect::Sqlite ? ", "
                        : ascending                    ? " NULLS FIRST, "
                                                       : " NULLS LAST, ";
    sql += " ORDER BY " + Folded() + " " + order + nulls + kKey + " " + order + " LIMIT " +
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
// their key alone, in reads of their own.
std::string SqlKeyedRows::Beyond(const RowKey& key, const char* comparison) const {
    const std::string entry = FoldedLiteral(key.completion);
    const std::string unique = SqlLiteral(key.unique);
    if (key.completion.IsNull()) {
        return std::string(kFirst) + " IS NULL AND " + kKey + " " + comparison + " " + unique;
    }
    return Folded() + " " + comparison + "= " + entry + " AND (" + Folded() + " " + comparison +
           " " + entry + " OR " + kKey + " " + comparison + " " + unique + ")";
}

std::vector<KeyedRow> SqlKeyedRows::RowsAfter(const std::optional<RowKey>& after, int limit) {
    if (!after) return Read("", "ASC", limit);
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
            Read(std::string(kFirst) + " IS NULL", "DESC", limit - static_cast<int>(rows.size()));
        std::ranges::reverse(nulls);
        rows.insert(rows.begin(), nulls.begin(), nulls.end());
    }
    return rows;
}

std::int64_t SqlKeyedRows::CountBefore(const RowKey& key) {
    const std::int64_t before = CountWhere(Beyond(key, "<"));
    if (key.completion.IsNull()) return before;
    return before + CountWhere(std::string(kFirst) + " IS NULL");
}

std::optional<KeyedRow> SqlKeyedRows::FirstWithPrefix(std::string_view prefix) {
    const std::string end = FoldedPrefixEnd(prefix);
    std::string where = Folded() + " >= " + SqlLiteral(Variant(FoldedPrefix(prefix)));
    if (!end.empty()) where += " AND " + Folded() + " < " + SqlLiteral(Variant(end));
    auto rows = Read(where, "ASC", 1);
    if (rows.empty()) return std::nullopt;
    return std::move(rows.front());
}

std::optional<KeyedRow> SqlKeyedRows::FirstWithValue(int field, const Variant& value) {
    if (field < 0 || field >= fields_) return std::nullopt;
    auto rows = Read("cp_f" + std::to_string(field) + " = " + SqlLiteral(value), "ASC", 1);
    if (rows.empty()) return std::nullopt;
    return std::move(rows.front());
}

}  // namespace cp
