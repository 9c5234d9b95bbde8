// An SQLite file of the test's own, in the temporary directory, removed when the test ends.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "data/sqlite/SqliteDatabase.h"

namespace cp::test {

class TempDatabase {
public:
    // Creates the file and runs the SQL that builds its tables.
    explicit TempDatabase(const std::string& schema);
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    const std::string& Path() const { return path_; }
    // The database opened read-only, as the host opens it for a fill.
    std::shared_ptr<sqlite::SqliteDatabase> Open() const;
    // The database opened for the test to add to it, without waiting for the disk.
    std::shared_ptr<sqlite::SqliteDatabase> OpenWritable() const;

private:
    std::string path_;
};

}  // namespace cp::test
