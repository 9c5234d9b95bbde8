// What the ODBC tests share: the private server's connection string and scratch files for the
// SQLite driver.
#pragma once

#include <string>

#include "tests/support/RecordsetChecks.h"

namespace cp::test {

// The private PostgreSQL server of the build tree, with extra connection attributes appended.
std::string PostgresConnection(const std::string& extra = "");

// A connection string that reaches no server: the socket folder has none.
std::string UnreachableConnection();

// Every row of a PostgreSQL table of places (name, code) in the order of server mode's list.
std::string PostgresInOrder(const std::string& table);

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
