// A database reached through ODBC with a connection string ("Driver={PostgreSQL Unicode};
// Servername=...;Database=...", "DSN=...", or a driver's own keys). OpenRecordset takes SQL
// text or the name of a table or view and opens it as a snapshot, a lazily counted dynaset or a
// forward-only recordset; only a single statement that delivers rows is accepted, and it can
// only read (see OdbcConnection).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "data/Database.h"

// The ODBC declarations stay inside the engine: the system's headers that bring them would
// clash with the platform's own names.
namespace cp::odbc {

class OdbcConnection;

class OdbcDatabase final : public Database, public std::enable_shared_from_this<OdbcDatabase> {
public:
    // Connects; error 3151 with the driver's description when that fails.
    static std::shared_ptr<OdbcDatabase> Open(const std::string& connectionString);
    // The same under a name of the caller's (a file's path, say) in place of the connection
    // string.
    static std::shared_ptr<OdbcDatabase> Open(const std::string& connectionString,
                                              std::string name);

    OdbcDatabase(std::shared_ptr<OdbcConnection> connection, std::string name);

    std::shared_ptr<Recordset> OpenRecordset(const std::string& Name, std::int32_t Type) override;
    // The connection string without its password (see WithoutPassword), unless the caller
    // named the database.
    std::string Name() override;
    // PostgreSQL's and SQLite's rows are read a page at a time through queries
    // (data/SqlKeyedRows.h); other servers raise error 3251.
    std::shared_ptr<KeyedRows> OpenKeyedRows(const std::string& Source,
                                             const std::string& keyField) override;
    // Runs SQL statements that deliver no rows; refused while one of its recordsets reads.
    void Execute(const std::string& sql);

private:
    // The SQL that a query name stands for: a table or view read whole, or the text itself.
    std::string QueryText(const std::string& query) const;

    std::shared_ptr<OdbcConnection> connection_;  // shared with the open recordsets
    std::string name_;                            // see Name
};

}  // namespace cp::odbc
