// The run-time errors of the SQLite database layer. SQLite reports a result code and a text;
// the fills single out two situations by number (a name taken for a parameter, an unknown table
// or query), so those get the numbers the fills know. The layer's own refusals carry numbers of
// the same family; every other engine failure is kEngineBase plus SQLite's primary result code
// (3101 a general SQL error such as a syntax error, 3105 busy, 3111 a corrupt file, 3114 a file
// that cannot be opened, 3126 a file that is not a database), with SQLite's own text.
#pragma once

#include <cstdint>
#include <string>

#include "data/Database.h"
#include "data/rows/RowBlock.h"

struct sqlite3;

namespace cp::sqlite {

using rows::kErrClosed;                                                             // 3420
using rows::kErrInvalidArgument;                                                    // 3001
using rows::kErrNoCurrentRecord;                                                    // 3021
using rows::kErrNotARowQuery;                                                       // 3219
using rows::kErrNotSupported;                                                       // 3251
using rows::kErrTextAfterStatement;                                                 // 3142
inline constexpr std::int32_t kErrTooFewParameters = cp::kErrTooFewParameters;      // 3061
inline constexpr std::int32_t kErrInputTableNotFound = cp::kErrInputTableNotFound;  // 3078
inline constexpr std::int32_t kEngineBase = 3100;

// Raises the failure that SQLite reported with result code rc on the connection db (which may
// be null when there is no connection yet), with its number mapped as described above.
[[noreturn]] void RaiseEngineError(sqlite3* db, int rc);

// The number under which a failure with this result code and text is reported.
std::int32_t EngineErrorNumber(int rc, const std::string& text);

}  // namespace cp::sqlite
