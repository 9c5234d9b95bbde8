#include "data/sqlite/SqliteDatabase.h"

#include <optional>
#include <string_view>

#include "data/rows/QueryNames.h"
#include "data/rows/Recordsets.h"
#include "data/sqlite/SqliteErrors.h"
#include "data/sqlite/SqliteKeyedRows.h"
#include "data/sqlite/SqliteStatement.h"
#include "runtime/RuntimeError.h"

namespace cp::sqlite {
namespace {

// A recordset reads: a statement without a result, or one that would change the database,
// is refused before it runs. So are parameters, which a recordset has no values for.
void CheckRowQuery(const SqliteStatement& statement) {
    if (statement.FieldCount() == 0 || !statement.ReadOnly()) {
        rows::RaiseNotARowQuery();
    }
    if (const std::int32_t n = statement.ParameterCount(); n > 0) rows::RaiseTooFewParameters(n);
}

}  // namespace

std::shared_ptr<SqliteDatabase> SqliteDatabase::Open(const std::string& path, OpenMode mode) {
    return std::make_shared<SqliteDatabase>(std::make_shared<SqliteConnection>(path, mode), path);
}

SqliteDatabase::SqliteDatabase(std::shared_ptr<SqliteConnection> connection, std::string path)
    : connection_(std::move(connection)), path_(std::move(path)) {}

std::shared_ptr<Recordset> SqliteDatabase::OpenRecordset(const std::string& Name,
                                                         std::int32_t Type) {
    rows::CheckRecordsetType(Type);
    auto statement = std::make_unique<SqliteStatement>(connection_, QueryText(Name));
    CheckRowQuery(*statement);
    return rows::MakeRecordset(std::move(statement), Type);
}

std::shared_ptr<KeyedRows> SqliteDatabase::OpenKeyedRows(const std::string& Source,
                                                         const std::string& keyField) {
    return std::make_shared<SqliteKeyedRows>(connection_, Source, keyField);
}

std::string SqliteDatabase::Name() {
    return path_;
}

void SqliteDatabase::Execute(const std::string& sql) {
    connection_->Execute(sql);
}

std::string SqliteDatabase::QueryText(const std::string& query) {
    const std::optional<rows::QueryName> name = rows::BareName(query);
    if (!name) return query;
    const std::string stored = StoredName(name->name);
    if (stored.empty()) Raise(kErrInputTableNotFound, "no such table or query: " + name->name);
    return "SELECT * FROM " + rows::QuotedName(stored, '"');
}

std::string SqliteDatabase::StoredName(const std::string& name) {
    SqliteStatement lookup(connection_,
                           "SELECT name FROM sqlite_master WHERE type IN ('table', 'view') "
                           "AND name = ?1 COLLATE NOCASE");
    lookup.BindText(1, name);
    if (!lookup.Step()) return {};
    return CStr(lookup.FieldValue(0));
}

}  // namespace cp::sqlite
