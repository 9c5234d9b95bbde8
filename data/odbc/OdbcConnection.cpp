#include "data/odbc/OdbcConnection.h"

#include "runtime/RuntimeError.h"

namespace cp::odbc {
namespace {

SQLHENV NewEnvironment(const odbc::Handle& env) {
    env.Check(SQLSetEnvAttr(env.Get(), SQL_ATTR_ODBC_VERSION,
                            reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_OV_ODBC3)), 0));
    return env.Get();
}

}  // namespace

OdbcConnection::OdbcConnection(const std::string& connectionString)
    : env_(SQL_HANDLE_ENV, SQL_NULL_HANDLE), dbc_(SQL_HANDLE_DBC, NewEnvironment(env_)) {
    WideString text = Wide(connectionString);
    const SQLRETURN rc =
        SQLDriverConnectW(dbc_.Get(), nullptr, text.data(), static_cast<SQLSMALLINT>(text.size()),
                          nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    dbc_.Check(rc, kErrConnectionFailed);
    connected_ = true;
    ReadCapabilities();
}

OdbcConnection::~OdbcConnection() {
    if (connected_) SQLDisconnect(dbc_.Get());
}

void OdbcConnection::ReadCapabilities() {
    SQLUINTEGER getData = 0;
    if (SQL_SUCCEEDED(
            SQLGetInfoW(dbc_.Get(), SQL_GETDATA_EXTENSIONS, &getData, sizeof getData, nullptr))) {
        boundGetData_ = (getData & SQL_GD_BOUND) != 0;
        blockGetData_ = boundGetData_ && (getData & SQL_GD_BLOCK) != 0;
    }
    SQLWCHAR quote[4] = {};
    if (SQL_SUCCEEDED(
            SQLGetInfoW(dbc_.Get(), SQL_IDENTIFIER_QUOTE_CHAR, quote, sizeof quote, nullptr)) &&
        quote[0] > 0 && quote[0] < 0x80) {
        quote_ = static_cast<char>(quote[0]);
    }
    SQLUSMALLINT transactions = SQL_TC_ALL;
    if (SQL_SUCCEEDED(SQLGetInfoW(dbc_.Get(), SQL_TXN_CAPABLE, &transactions, sizeof transactions,
                                  nullptr))) {
        transactions_ = transactions != SQL_TC_NONE;
    }
    SQLWCHAR name[64] = {};
    SQLSMALLINT bytes = 0;
    if (SQL_SUCCEEDED(SQLGetInfoW(dbc_.Get(), SQL_DBMS_NAME, name, sizeof name, &bytes))) {
        const std::string dbms = Narrow(WideView(name));
        if (dbms.starts_with("PostgreSQL")) server_ = Server::PostgreSql;
        if (dbms.starts_with("SQLite")) server_ = Server::Sqlite;
    }
}

SQLRETURN OdbcConnection::SetAttribute(SQLINTEGER attribute, SQLULEN value) const {
    return SQLSetConnectAttrW(dbc_.Get(), attribute, reinterpret_cast<SQLPOINTER>(value), 0);
}

void OdbcConnection::Run(const std::string& sql) const {
    const odbc::Handle stmt(SQL_HANDLE_STMT, dbc_.Get());
    WideString text = Wide(sql);
    const SQLRETURN rc =
        SQLExecDirectW(stmt.Get(), text.data(), static_cast<SQLINTEGER>(text.size()));
    if (rc != SQL_NO_DATA) stmt.Check(rc);
}

void OdbcConnection::Execute(const std::string& sql) {
    const std::lock_guard lock(readersLock_);
    if (readers_ > 0) {
        Raise(kErrCallFailed,
              "The database cannot be changed while one of its recordsets is reading.");
    }
    Run(sql);
}

void OdbcConnection::BeginReading() {
    const std::lock_guard lock(readersLock_);
    if (readers_++ > 0) return;
    try {
        // The transaction first: the server's own switch then holds for it alone.
        if (transactions_) dbc_.Check(SetAttribute(SQL_ATTR_AUTOCOMMIT, SQL_AUTOCOMMIT_OFF));
        SetAttribute(SQL_ATTR_ACCESS_MODE, SQL_MODE_READ_ONLY);
        if (server_ == Server::PostgreSql) Run("SET TRANSACTION READ ONLY");
        if (server_ == Server::Sqlite) Run("PRAGMA query_only = ON");
    } catch (...) {
        readers_ = 0;
        LeaveReadingState();
        throw;
    }
}

void OdbcConnection::EndReading() noexcept {
    const std::lock_guard lock(readersLock_);
    if (--readers_ > 0) return;
    LeaveReadingState();
}

void OdbcConnection::LeaveReadingState() noexcept {
    // Nothing that the readers did is kept. A step that fails here leaves the connection
    // read-only, which the next Execute reports.
    if (transactions_) {
        SQLEndTran(SQL_HANDLE_DBC, dbc_.Get(), SQL_ROLLBACK);
        SetAttribute(SQL_ATTR_AUTOCOMMIT, SQL_AUTOCOMMIT_ON);
    }
    SetAttribute(SQL_ATTR_ACCESS_MODE, SQL_MODE_READ_WRITE);
    if (server_ == Server::Sqlite) {
        try {
            Run("PRAGMA query_only = OFF");
        } catch (...) {
        }
    }
}

}  // namespace cp::odbc
