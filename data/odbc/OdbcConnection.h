// One open ODBC connection with its own environment. The database object and every recordset
// opened from it share the connection, so a recordset stays usable after the database object
// has gone.
#pragma once

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
    // Runs SQL statements that deliver no rows.
    void Execute(const std::string& sql);

private:
    void ReadCapabilities();

    odbc::Handle env_;           // the environment, ODBC 3 behaviour
    odbc::Handle dbc_;           // the connection
    bool connected_ = false;     // SQLDisconnect is due
    bool blockGetData_ = false;  // SQL_GD_BLOCK
    bool boundGetData_ = false;  // SQL_GD_BOUND
    char quote_ = '"';           // SQL_IDENTIFIER_QUOTE_CHAR
};

}  // namespace cp::odbc
