#include "data/sqlite/SqliteErrors.h"

#include <sqlite3.h>

#include <string_view>

#include "runtime/RuntimeError.h"

namespace cp::sqlite {
namespace {

// SQLite names a missing column or table in these words; a name it cannot resolve in a query
// is what the fills call a parameter, a missing table their unknown input table or query.
constexpr std::string_view kNoSuchColumn = "no such column";
constexpr std::string_view kNoSuchTable = "no such table";

constexpr int kPrimaryCodeMask = 0xFF;

}  // namespace

std::int32_t EngineErrorNumber(int rc, const std::string& text) {
    if (text.starts_with(kNoSuchColumn)) return kErrTooFewParameters;
    if (text.starts_with(kNoSuchTable)) return kErrInputTableNotFound;
    return kEngineBase + (rc & kPrimaryCodeMask);
}

void RaiseEngineError(sqlite3* db, int rc) {
    std::string text = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    const std::int32_t number = EngineErrorNumber(rc, text);
    Raise(number, std::move(text));
}

}  // namespace cp::sqlite
