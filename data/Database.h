// The database layer that the fills use: a database that opens queries as recordsets, and a
// recordset that counts, moves and hands out its rows as a (field, row) block of values.
// Failures are run-time errors (RuntimeError) carrying the engine's number and description;
// 3061 means a name in the query was taken for a parameter, 3078 that the input table or query
// was not found.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/FieldSink.h"
#include "data/KeyedRows.h"
#include "runtime/Variant.h"

namespace cp {

// The kinds of recordset that OpenRecordset can be asked for.
inline constexpr std::int32_t dbOpenDynaset = 2;      // counted lazily, moves both ways
inline constexpr std::int32_t dbOpenSnapshot = 4;     // a read-only, static copy of the result
inline constexpr std::int32_t dbOpenForwardOnly = 8;  // reads once, front to back

inline constexpr std::int32_t kErrTooFewParameters = 3061;
inline constexpr std::int32_t kErrInputTableNotFound = 3078;

class Recordset : public Object {
public:
    // The number of rows, or a value below 1 while the count is not known yet (a number).
    virtual Variant RecordCount() = 0;
    // True when the recordset has no current row (a Boolean; Null counts as True).
    virtual Variant Eof() = 0;
    virtual void MoveLast() = 0;
    virtual void MoveFirst() = 0;
    // Up to NumRows rows from the current one on, as a two-dimensional array (field, row) of
    // the fields' own values; moves past them.
    virtual Variant GetRows(std::int32_t NumRows) = 0;
    // The rows that GetRows(NumRows) would hand out, written to sink instead (sink.Start with
    // their shape first, when there is a row); moves past them and answers how many there were.
    // Anything from GetRows but a two-dimensional array is error 13, and so are rows without
    // fields; sink has been given nothing then. Recordsets that keep their rows themselves
    // write them without making a Variant of each field.
    virtual std::int32_t ReadRows(std::int32_t NumRows, FieldSink& sink);
    virtual void Close() = 0;
    // The names of the fields, in order, as the query or table calls them; a recordset that
    // cannot name them gives none. Naming never fails: the names only label the columns.
    virtual std::vector<std::string> FieldNames() { return {}; }
};

class Database : public Object {
public:
    // Opens a query (SQL text, or the name of a table or stored query) as a recordset
    // positioned on its first row.
    virtual std::shared_ptr<Recordset> OpenRecordset(const std::string& Name,
                                                     std::int32_t Type) = 0;
    // The database's name: its file path.
    virtual std::string Name() = 0;
    // The rows of a table (its name) or of a SELECT, left on the server and read a page at a
    // time (data/KeyedRows.h); keyField names the unique key, "" for the table's own row
    // identity. An engine that cannot serve rows this way raises error 3251.
    virtual std::shared_ptr<KeyedRows> OpenKeyedRows(const std::string& Source,
                                                     const std::string& keyField);
};

}  // namespace cp
