#include "data/sqlite/SqliteConnection.h"

#include <sqlite3.h>

#include "data/sqlite/SqliteErrors.h"
#include "runtime/RuntimeError.h"

namespace cp::sqlite {
namespace {

int OpenFlags(OpenMode mode) {
    switch (mode) {
        case OpenMode::ReadOnly:
            return SQLITE_OPEN_READONLY;
        case OpenMode::ReadWrite:
            return SQLITE_OPEN_READWRITE;
        case OpenMode::Create:
            return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    }
    return SQLITE_OPEN_READONLY;
}

}  // namespace

SqliteConnection::SqliteConnection(const std::string& path, OpenMode mode) {
    // A list's query thread reads through the connection while the host goes on using the
    // same database object on its own thread: the engine's own lock serialises them.
    int rc = sqlite3_open_v2(path.c_str(), &db_, OpenFlags(mode) | SQLITE_OPEN_FULLMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        // A double-quoted name that matches no column must be an unknown field, not a text
        // literal, so that a misspelt field name is reported instead of filling the list with
        // it.
        sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, static_cast<int*>(nullptr));
        sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, static_cast<int*>(nullptr));
        rc = SetQueryOnly(QueryOnly::On);
    }
    if (rc != SQLITE_OK) {
        // The handle carries the reason even when opening failed, and must be released.
        std::string text = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw RuntimeError(EngineErrorNumber(rc, text), text + ": " + path);
    }
}

SqliteConnection::~SqliteConnection() {
    sqlite3_close_v2(db_);
}

int SqliteConnection::SetQueryOnly(QueryOnly state) {
    const char* sql = state == QueryOnly::On ? "PRAGMA query_only = ON" : "PRAGMA query_only = OFF";
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

void SqliteConnection::Execute(const std::string& sql) {
    int rc = SetQueryOnly(QueryOnly::Off);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    const std::string failure = rc == SQLITE_OK ? "" : sqlite3_errmsg(db_);
    // Whatever sql did to the switch, and whether or not it failed, the connection only reads
    // again.
    const int reset = SetQueryOnly(QueryOnly::On);
    if (rc != SQLITE_OK) throw RuntimeError(EngineErrorNumber(rc, failure), failure);
    if (reset != SQLITE_OK) RaiseEngineError(db_, reset);
}

}  // namespace cp::sqlite
