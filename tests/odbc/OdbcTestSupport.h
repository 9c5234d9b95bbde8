// What the ODBC tests share: the private server's connection string, the reading of keyed rows
// page by page, and scratch files for the SQLite driver.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tests/support/RecordsetChecks.h"

namespace cp::test {

// The private PostgreSQL server of the build tree, with extra connection attributes appended.
std::string PostgresConnection(const std::string& extra = "");

// A connection string that reaches no server: the socket folder has none.
std::string UnreachableConnection();

// The second field of every row, read a row at a time by key from the row before, as the list
// pages down (at most 10 reads, so that a read that does not move on still ends).
inline std::string PagedByKey(KeyedRows& rows) {
    std::string codes;
    std::optional<RowKey> after;
    for (int page = 0; page < 10; ++page) {
        const std::vector<KeyedRow> read = rows.RowsAfter(after, 1);
        if (read.empty()) break;
        codes += CStr(read[0].fields[1]) + " ";
        after = read[0].key;
    }
    return codes;
}

// An SQLite file of the test's own in the build tree's scratch folder, removed when it goes.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    // The SQLite ODBC driver's connection string for the file.
    std::string Connection() const;

private:
    std::string path_;
};

}  // namespace cp::test
