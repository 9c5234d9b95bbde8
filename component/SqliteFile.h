// An SQLite database file opened on Windows. Debian builds no SQLite library for the component,
// so the file is reached through the SQLite ODBC driver with the ODBC engine of the C++ API.
// Under Wine, odbc32 hands the connection string on to the host's unixODBC, whose driver reads
// host paths: there the file's path is turned into the host's path first.
#pragma once

#include <memory>
#include <string>

#include "data/Database.h"

namespace ocx {

// Opens the file at `path` (absolute, or relative to the current folder). A path that names no
// file is error 3024 and creates nothing; the database's Name is the path as given.
std::shared_ptr<cp::Database> OpenSqliteFile(const std::string& path);

}  // namespace ocx
