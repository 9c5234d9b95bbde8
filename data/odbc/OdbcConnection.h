// One open ODBC connection with its own environment. The database object and every recordset
// opened from it share the connection, so a recordset stays usable after the database object
// has gone.
//
// A recordset only reads, whatever its SQL says: while any recordset reads, the connection
// is in a transaction of its own that ends by rolling back, told to the driver as read-only
// (SQL_ATTR_ACCESS_MODE, which some drivers honour), on PostgreSQL declared READ ONLY to the
// server, and on SQLite with the database's query_only switch on. A statement that would
// change data fails, or its change is undone.
#pragma once

#include <mutex>
#include <string>

#include "data/odbc/OdbcHandle.h"

namespace cp::odbc {

class OdbcConnection {
public:
    // Connects without ever prompting: error 3151 with the driver's messages when the data
    // source cannot be reached or refuses the login.
    explicit OdbcConnection(const std::string& connectionString);
    ~OdbcConnection();
    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;

    SQLHDBC Handle() const { return dbc_.Get(); }
    // The driver can read the rest of a long value from any row of a fetched block.
    bool ReadsLongValuesInBlocks() const { return blockGetData_; }
    // The driver can read the rest of a long value from a column that is bound.
    bool ReadsLongValuesOfBoundColumns() const { return boundGetData_; }
    // The character that quotes a name, or ' ' when the data source quotes none.
    char IdentifierQuote() const { return quote_; }
    // Runs SQL statements that deliver no rows. Refused while a recordset reads: its
    // transaction would undo them.
    void Execute(const std::string& sql);

    // Which server the connection reaches (SQL_DBMS_NAME).
    bool IsPostgreSql() const { return server_ == Server::PostgreSql; }
    bool IsSqlite() const { return server_ == Server::Sqlite; }

    // The first reader puts the connection in its reading state, the last one takes it out.
    // A list's query thread reads beside the host's own recordsets, so the count and the
    // changes of state are taken under one lock.
    void BeginReading();
    void EndReading() noexcept;

private:
    // The servers whose own read-only switch the connection knows.
    enum class Server {
        PostgreSql,
        Sqlite,
        Other,
    };

    void ReadCapabilities();
    // Runs SQL that delivers no rows on a statement of its own.
    void Run(const std::string& sql) const;
    SQLRETURN SetAttribute(SQLINTEGER attribute, SQLULEN value) const;
    // Takes the connection out of its reading state; the caller holds readersLock_.
    void LeaveReadingState() noexcept;

    odbc::Handle env_;               // the environment, ODBC 3 behaviour
    odbc::Handle dbc_;               // the connection
    bool connected_ = false;         // SQLDisconnect is due
    bool blockGetData_ = false;      // SQL_GD_BLOCK
    bool boundGetData_ = false;      // SQL_GD_BOUND
    char quote_ = '"';               // SQL_IDENTIFIER_QUOTE_CHAR
    Server server_ = Server::Other;  // SQL_DBMS_NAME
    bool transactions_ = true;       // SQL_TXN_CAPABLE is not SQL_TC_NONE
    std::mutex readersLock_;         // over readers_ and the reading state
    int readers_ = 0;                // results reading now
};

// Holds a connection in its reading state for its life.
class Reading {
public:
    explicit Reading(OdbcConnection& connection) : connection_(connection) {
        connection_.BeginReading();
    }
    ~Reading() { connection_.EndReading(); }
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

private:
    OdbcConnection& connection_;
};

}  // namespace cp::odbc
