// What GetRows hands out: the rows as a two-dimensional array (field, row) inside a Variant,
// the field index varying fastest, which is the order in which the rows are read. Beside it,
// the refusals that the recordsets of every engine share, with the numbers of the database
// engine's family that the fills know.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "data/Database.h"
#include "runtime/Variant.h"

namespace cp::rows {

inline constexpr std::int32_t kErrInvalidArgument = 3001;
inline constexpr std::int32_t kErrNoCurrentRecord = 3021;
inline constexpr std::int32_t kErrTextAfterStatement = 3142;
inline constexpr std::int32_t kErrNotARowQuery = 3219;
inline constexpr std::int32_t kErrNotSupported = 3251;
inline constexpr std::int32_t kErrClosed = 3420;

Variant RowBlock(std::int32_t fields, std::int32_t rows, BlockVector<Variant> values);

[[noreturn]] void RaiseClosed();
[[noreturn]] void RaiseNoCurrentRecord();
[[noreturn]] void RaiseNotSupported();
[[noreturn]] void RaiseInvalidArgument();
// A statement that delivers no rows (or might change the database) cannot be a recordset; the
// engine's own words on the refusal, when it gave some, follow on a line of their own.
[[noreturn]] void RaiseNotARowQuery(std::string_view engineWords = {});
// A query carries one statement: text after its end is refused before anything runs.
[[noreturn]] void RaiseTextAfterStatement();
// A recordset has no values for parameters: n markers are n names too few.
[[noreturn]] void RaiseTooFewParameters(std::int32_t n);
// Binary data has no value that a list can show: a type mismatch naming the field.
[[noreturn]] void RaiseBinaryField(std::string_view name);
// GetRows needs a positive number of rows.
void CheckRowRequest(std::int32_t NumRows);
// The recordset types that OpenRecordset knows.
void CheckRecordsetType(std::int32_t Type);

}  // namespace cp::rows
