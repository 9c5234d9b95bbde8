#include "data/odbc/OdbcDatabase.h"

#include <optional>

#include "data/SqlKeyedRows.h"
#include "data/odbc/OdbcConnection.h"
#include "data/odbc/OdbcConnectionString.h"
#include "data/odbc/OdbcResult.h"
#include "data/rows/QueryNames.h"
#include "data/rows/Recordsets.h"
#include "data/rows/RowBlock.h"

namespace cp::odbc {
namespace {

// The database as the rows of server mode read it: every query is one that those rows write
// themselves (a keyset read, a count, a catalogue look-up), so it is sent and run in one call
// rather than prepared and described first. A source's SQL stands inside those queries, so it
// too can only read; and every read stays in the connection's read-only state.
class KeyedReads final : public Database {
public:
    KeyedReads(std::shared_ptr<OdbcDatabase> database, std::shared_ptr<OdbcConnection> connection)
        : database_(std::move(database)), connection_(std::move(connection)) {}

    std::shared_ptr<Recordset> OpenRecordset(const std::string& Name, std::int32_t Type) override {
        rows::CheckRecordsetType(Type);
        return rows::MakeRecordset(
            std::make_unique<OdbcResult>(connection_, Name, Execution::Direct), Type);
    }
    std::string Name() override { return database_->Name(); }

private:
    std::shared_ptr<OdbcDatabase> database_;      // kept open while the rows are read
    std::shared_ptr<OdbcConnection> connection_;  // the database's
};

}  // namespace

std::shared_ptr<OdbcDatabase> OdbcDatabase::Open(const std::string& connectionString) {
    return Open(connectionString, WithoutPassword(connectionString));
}

std::shared_ptr<OdbcDatabase> OdbcDatabase::Open(const std::string& connectionString,
                                                 std::string name) {
    return std::make_shared<OdbcDatabase>(std::make_shared<OdbcConnection>(connectionString),
                                          std::move(name));
}

OdbcDatabase::OdbcDatabase(std::shared_ptr<OdbcConnection> connection, std::string name)
    : connection_(std::move(connection)), name_(std::move(name)) {}

std::shared_ptr<Recordset> OdbcDatabase::OpenRecordset(const std::string& Name, std::int32_t Type) {
    rows::CheckRecordsetType(Type);
    return rows::MakeRecordset(std::make_unique<OdbcResult>(connection_, QueryText(Name)), Type);
}

std::shared_ptr<KeyedRows> OdbcDatabase::OpenKeyedRows(const std::string& Source,
                                                       const std::string& keyField) {
    std::optional<SqlDialect> dialect;
    if (connection_->IsPostgreSql()) dialect = SqlDialect::PostgreSql;
    if (connection_->IsSqlite()) dialect = SqlDialect::Sqlite;
    if (!dialect) return Database::OpenKeyedRows(Source, keyField);
    // The rows keep the database open: one that nobody shares cannot lend itself to them.
    std::shared_ptr<OdbcDatabase> self = weak_from_this().lock();
    if (!self) rows::RaiseNotSupported();
    return std::make_shared<SqlKeyedRows>(
        std::make_shared<KeyedReads>(std::move(self), connection_), *dialect, Source, keyField);
}

std::string OdbcDatabase::Name() {
    return name_;
}

void OdbcDatabase::Execute(const std::string& sql) {
    connection_->Execute(sql);
}

std::string OdbcDatabase::QueryText(const std::string& query) const {
    const std::optional<rows::QueryName> name = rows::BareName(query);
    if (!name) return query;
    // A plain name is spelt as the server spells names; a quoted one exactly as given.
    const char quote = connection_->IdentifierQuote();
    const bool quoted = name->quoted && quote != ' ';
    return "SELECT * FROM " + (quoted ? rows::QuotedName(name->name, quote) : name->name);
}

}  // namespace cp::odbc
