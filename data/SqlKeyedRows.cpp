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

std::string Quoted(const std::string& name) {
    return rows::QuotedName(name, '"');
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
    std::string key = keyField.empty() ? std::string() : Quoted(keyField);
    if (const auto name = rows::BareName(source)) {
        from = Quoted(name->name);
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
    if (limit > 0 && !CBool(rs->Eof())) {
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
    if (!ascending) std::ranges::reverse(rows);
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

std::vector<KeyedRow> SqlKeyedRows::RowsAfter(const std::optional<RowKey>& after, int limit) {
    if (!after) return Read("", "ASC", limit);
    const std::string key = SqlLiteral(after->unique);
    // Null entries come first, and compare with nothing: they are read by their key alone.
    if (after->completion.IsNull()) {
        return Read(std::string(kFirst) + " IS NOT NULL OR " + kKey + " > " + key, "ASC", limit);
    }
    return Read("(" + Folded() + ", " + kKey + ") > (" + FoldedLiteral(after->completion) + ", " +
                    key + ")",
                "ASC", limit);
}

std::string SqlKeyedRows::Before(const RowKey& key) const {
    const std::string unique = SqlLiteral(key.unique);
    if (key.completion.IsNull())
        return std::string(kFirst) + " IS NULL AND " + kKey + " < " + unique;
    return "(" + Folded() + ", " + kKey + ") < (" + FoldedLiteral(key.completion) + ", " + unique +
           ") OR " + kFirst + " IS NULL";
}

std::vector<KeyedRow> SqlKeyedRows::RowsBefore(const RowKey& before, int limit) {
    return Read(Before(before), "DESC", limit);
}

std::int64_t SqlKeyedRows::CountBefore(const RowKey& key) {
    return CountWhere(Before(key));
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
