// A table of places in an SQLite database in memory, built from a fuzzer's input for a list in
// server mode: a few hundred to a few thousand rows whose names come from a small alphabet, so
// that many repeat, differ only in case, are empty or Null; unique codes "C00001" on in the
// second column. With it, the database a list connects to, whose estimate of the rows is exact,
// too high, too low or missing (the rows counted), as a server's statistics may have it.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/Database.h"
#include "data/sqlite/SqliteDatabase.h"

namespace cp::fuzz {

// The letters that names are made of and that the user types.
inline constexpr char kNameLetters[] = {'a', 'A', 'b', 'B', 'c', ' '};

// How the server knows the table's rows.
enum class RowsKnown {
    Exact,        // the span of the rowids, with no gaps in them
    Gapped,       // the span of the rowids, a third of them gone: too many rows
    TooFew,       // the engine's estimate halved, as statistics taken before rows came
    TooMany,      // the engine's estimate grown by half
    Counted,      // a named key: no estimate, every place is counted
    Statistics,   // a named key with sampled entries given, as a server's statistics are
    StaleSamples  // the same with the rows the samples speak of a third too few
};

struct ServerTable {
    std::shared_ptr<sqlite::SqliteDatabase> db;  // the table, read by the list in memory
    std::shared_ptr<Database> server;            // what the list in server mode connects to
    std::string keyField;                        // its key: "" for the rowid, or "code"
    RowsKnown known = RowsKnown::Exact;
    std::vector<std::string> codes;  // every code, for a host's Value
    std::vector<std::string> names;  // every name that is neither Null nor empty

    bool Estimated() const { return known != RowsKnown::Counted; }
};

// Reads the table's shape from the input and builds it.
ServerTable MakeServerTable(FuzzedDataProvider& in);

// The query that fills the list in memory with every row in the list's order on the server.
inline constexpr const char* kRowsInListOrder =
    "SELECT name, code FROM places ORDER BY name COLLATE NOCASE, rowid";

}  // namespace cp::fuzz
