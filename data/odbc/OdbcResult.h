// The result of one query on a shared connection: the row source of the ODBC recordsets. Rows
// arrive a block at a time into buffers bound column by column, so the driver is called once
// per block, not once per value; a text longer than its cell is read on its own, in pieces of
// bounded size, so that neither a value is cut short nor a buffer grows with the data.
//
// The result holds its connection in the reading state (see OdbcConnection) from before the
// statement is prepared until its last row has been read.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/odbc/OdbcColumn.h"
#include "data/odbc/OdbcConnection.h"
#include "data/rows/RowSource.h"

namespace cp::odbc {

// How a query reaches the server. Prepared: described first, so that a statement without rows
// or with parameters is refused before it runs (a host's SQL). Direct: sent and run in one
// call, for the queries that the system writes itself, which are known to read rows; some
// drivers (PostgreSQL's) then spare the round trips of a prepared statement (its parse, and its
// release after the read).
enum class Execution { Prepared, Direct };

class OdbcResult final : public rows::RowSource {
public:
    // Runs sql, which must be a single query that delivers rows and takes no parameters; text
    // after its first statement is refused before anything reaches the driver.
    OdbcResult(std::shared_ptr<OdbcConnection> connection, const std::string& sql,
               Execution execution = Execution::Prepared);
    OdbcResult(const OdbcResult&) = delete;
    OdbcResult& operator=(const OdbcResult&) = delete;

    std::int32_t FieldCount() const override;
    std::string FieldName(std::int32_t field) const override;
    bool Next() override;
    void WriteRow(rows::RowWriter& row) const override;

    // Rows per fetch (1 when the driver could not read a long value out of a block).
    std::size_t BlockRows() const { return blockRows_; }

private:
    void Prepare(const std::string& sql);
    // The result's fields, once prepared or run; a statement without fields is refused.
    void Describe();
    void BindBlock();
    // Fetches the next block; false at the end of the result.
    bool FetchBlock();
    // Raises the failure of a call that runs the query, if it failed.
    void CheckRun(SQLRETURN rc) const;
    // The whole text of a column in the current row, read in pieces.
    WideString ReadWhole(const OdbcColumn& column) const;

    std::shared_ptr<OdbcConnection> connection_;  // kept open while the result lives
    std::optional<Reading> reading_;              // until the last row is read; outlives stmt_
    Handle stmt_;                                 // the statement
    std::vector<OdbcColumn> columns_;             // the fields, bound
    std::size_t blockRows_ = 1;                   // rows per fetch
    SQLULEN fetched_ = 0;                         // rows of the current block
    std::vector<SQLUSMALLINT> status_;            // per row of the block
    std::vector<Diagnostic> fetchDiagnostics_;    // of the block's fetch, for its rows in error
    std::size_t row_ = 0;                         // the current row in the block
    bool started_ = false;                        // the first block was fetched
    bool ended_ = false;                          // the result has no more rows
};

}  // namespace cp::odbc
