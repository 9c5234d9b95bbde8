#include "data/sqlite/SqliteDatabase.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "data/sqlite/CachedRecordset.h"
#include "data/sqlite/ForwardOnlyRecordset.h"
#include "data/sqlite/SqliteErrors.h"
#include "data/sqlite/SqliteStatement.h"
#include "runtime/RuntimeError.h"

namespace cp::sqlite {
namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsNameChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || c == '_' ||
           c == '$' || u >= 0x80;
}

// The name that a query text stands for when it is not SQL: a plain identifier, or any text in
// square brackets, double quotes or back quotes.
std::optional<std::string> BareName(std::string_view text) {
    text = Trim(text);
    if (text.size() >= 2) {
        const char open = text.front();
        const char close = open == '[' ? ']' : open;
        const std::string_view inner = text.substr(1, text.size() - 2);
        if ((open == '[' || open == '"' || open == '`') && text.back() == close &&
            inner.find(close) == std::string_view::npos) {
            return std::string(inner);
        }
    }
    if (!text.empty() && std::all_of(text.begin(), text.end(), IsNameChar)) {
        return std::string(text);
    }
    return std::nullopt;
}

std::string QuotedName(const std::string& name) {
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"') quoted += c;
    }
    return quoted + "\"";
}

void CheckRecordsetType(std::int32_t Type) {
    if (Type != dbOpenSnapshot && Type != dbOpenDynaset && Type != dbOpenForwardOnly) {
        Raise(kErrInvalidArgument, "Invalid argument.");
    }
}

// A recordset reads: a statement without a result, or one that would change the database,
// is refused before it runs. So are parameters, which a recordset has no values for.
void CheckRowQuery(const SqliteStatement& statement) {
    if (statement.FieldCount() == 0 || !statement.ReadOnly()) {
        Raise(kErrNotARowQuery, "Invalid operation: only a query that reads rows can be opened.");
    }
    if (const std::int32_t n = statement.ParameterCount(); n > 0) {
        Raise(kErrTooFewParameters, "Too few parameters. Expected " + std::to_string(n) + ".");
    }
}

}  // namespace

std::shared_ptr<SqliteDatabase> SqliteDatabase::Open(const std::string& path, OpenMode mode) {
    return std::make_shared<SqliteDatabase>(std::make_shared<SqliteConnection>(path, mode), path);
}

SqliteDatabase::SqliteDatabase(std::shared_ptr<SqliteConnection> connection, std::string path)
    : connection_(std::move(connection)), path_(std::move(path)) {}

std::shared_ptr<Recordset> SqliteDatabase::OpenRecordset(const std::string& Name,
                                                         std::int32_t Type) {
    CheckRecordsetType(Type);
    auto statement = std::make_unique<SqliteStatement>(connection_, QueryText(Name));
    CheckRowQuery(*statement);
    if (Type == dbOpenForwardOnly) {
        return std::make_shared<ForwardOnlyRecordset>(std::move(statement));
    }
    const auto loading = Type == dbOpenSnapshot ? CachedRecordset::Loading::WholeResultAtOpen
                                                : CachedRecordset::Loading::RowByRow;
    return std::make_shared<CachedRecordset>(std::move(statement), loading);
}

std::string SqliteDatabase::Name() {
    return path_;
}

void SqliteDatabase::Execute(const std::string& sql) {
    connection_->Execute(sql);
}

std::string SqliteDatabase::QueryText(const std::string& query) {
    const std::optional<std::string> name = BareName(query);
    if (!name) return query;
    const std::string stored = StoredName(*name);
    if (stored.empty()) Raise(kErrInputTableNotFound, "no such table or query: " + *name);
    return "SELECT * FROM " + QuotedName(stored);
}

std::string SqliteDatabase::StoredName(const std::string& name) {
    SqliteStatement lookup(connection_,
                           "SELECT name FROM sqlite_master WHERE type IN ('table', 'view') "
                           "AND name = ?1 COLLATE NOCASE");
    lookup.BindText(1, name);
    if (!lookup.Step()) return {};
    return CStr(lookup.FieldValue(0));
}

}  // namespace cp::sqlite
