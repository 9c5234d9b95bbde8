// The run-time errors of the ODBC database layer. A driver reports a failure as diagnostic
// records, each a five-character SQLSTATE and a message. Two situations the fills single out
// get the numbers that they know: a name in the query that the server does not know as a field
// (07001/07002 for parameter markers, 42S22, PostgreSQL's 42703, or SQLite's "no such column")
// is 3061, an unknown table (42S02, PostgreSQL's 42P01, or SQLite's "no such table") is 3078.
// A failed connection is 3151, every other failure 3146; the description is always the
// driver's own messages, each followed by its SQLSTATE. A recordset's statement that tried to
// change data in its read-only transaction (25006, or SQLite's "attempt to write a readonly
// database") is refused as no query that reads rows, 3219, with the driver's words.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/Database.h"
#include "data/odbc/OdbcApi.h"

namespace cp::odbc {

inline constexpr std::int32_t kErrCallFailed = 3146;
inline constexpr std::int32_t kErrConnectionFailed = 3151;

struct Diagnostic {
    std::string state;    // the SQLSTATE
    std::string message;  // the driver's text
};

// The diagnostic records of the last call on a handle.
std::vector<Diagnostic> Diagnostics(SQLSMALLINT type, SQLHANDLE handle);

// The number under which a failure with these records is reported; fallback when none of them
// is singled out.
std::int32_t ErrorNumber(const std::vector<Diagnostic>& records, std::int32_t fallback);

// The description of a failure with these records.
std::string ErrorDescription(const std::vector<Diagnostic>& records);

// Raises the failure that the last call on the handle reported.
[[noreturn]] void RaiseDiagnostics(SQLSMALLINT type, SQLHANDLE handle,
                                   std::int32_t fallback = kErrCallFailed);
// The same for a failure with these records.
[[noreturn]] void RaiseDiagnostics(const std::vector<Diagnostic>& records,
                                   std::int32_t fallback = kErrCallFailed);
// Raises the failure that the last call on a recordset's statement reported, a refused change
// of data as such.
[[noreturn]] void RaiseReadDiagnostics(SQLHSTMT stmt);

}  // namespace cp::odbc
