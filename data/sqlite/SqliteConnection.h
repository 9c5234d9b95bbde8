// One open SQLite database file. The database object and every recordset opened from it share
// the connection, so a recordset stays usable after the database object has gone. Only Execute
// may change the file: the connection is query-only at every other time, so that a statement
// that slipped past the recordsets' own check (PRAGMA optimize, which reports itself as
// reading) still cannot write.
#pragma once

#include <string>

struct sqlite3;

namespace cp::sqlite {

enum class OpenMode {
    ReadOnly,   // the file must exist; nothing can change it through this connection
    ReadWrite,  // the file must exist
    Create,     // opened for writing, created when it does not exist
};

class SqliteConnection {
public:
    SqliteConnection(const std::string& path, OpenMode mode);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    sqlite3* Handle() const { return db_; }
    // Runs SQL statements that deliver no rows (building a database, for instance).
    void Execute(const std::string& sql);

private:
    enum class QueryOnly { On, Off };
    // An SQLite result code.
    int SetQueryOnly(QueryOnly state);

    sqlite3* db_ = nullptr;  // the open database; owned
};

}  // namespace cp::sqlite
