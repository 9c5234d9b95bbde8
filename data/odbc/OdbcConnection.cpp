#include "data/odbc/OdbcConnection.h"

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
}

void OdbcConnection::Execute(const std::string& sql) {
    const odbc::Handle stmt(SQL_HANDLE_STMT, dbc_.Get());
    WideString text = Wide(sql);
    const SQLRETURN rc =
        SQLExecDirectW(stmt.Get(), text.data(), static_cast<SQLINTEGER>(text.size()));
    if (rc != SQL_NO_DATA) stmt.Check(rc);
}

}  // namespace cp::odbc
