#include "tests/data/TempDatabase.h"

#include <atomic>
#include <system_error>

#include <unistd.h>

namespace cp::test {
namespace {

std::string UniquePath() {
    static std::atomic<int> serial{0};
    const auto name =
        "cp_data_" + std::to_string(::getpid()) + "_" + std::to_string(serial++) + ".sqlite";
    return (std::filesystem::temp_directory_path() / name).string();
}

}  // namespace

TempDatabase::TempDatabase(const std::string& schema) : path_(UniquePath()) {
    std::filesystem::remove(path_);
    sqlite::SqliteDatabase::Open(path_, sqlite::OpenMode::Create);
    OpenWritable()->Execute(schema);
}

TempDatabase::~TempDatabase() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

std::shared_ptr<sqlite::SqliteDatabase> TempDatabase::Open() const {
    return sqlite::SqliteDatabase::Open(path_, sqlite::OpenMode::ReadOnly);
}

std::shared_ptr<sqlite::SqliteDatabase> TempDatabase::OpenWritable() const {
    auto db = sqlite::SqliteDatabase::Open(path_, sqlite::OpenMode::ReadWrite);
    // A file that lives for one test needs no protection against a crash of the machine.
    db->Execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;");
    // A write waits for a read that the control's query thread has running, as another
    // program's write would.
    db->Execute("PRAGMA busy_timeout = 5000;");
    return db;
}

}  // namespace cp::test
