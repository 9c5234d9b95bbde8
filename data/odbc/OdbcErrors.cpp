#include "data/odbc/OdbcErrors.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "data/rows/RowBlock.h"
#include "runtime/RuntimeError.h"

namespace cp::odbc {
namespace {

// Enough records to say what went wrong; a driver may queue one per row.
constexpr SQLSMALLINT kMostRecords = 8;
constexpr SQLSMALLINT kMessageUnits = 1024;
constexpr std::size_t kStateUnits = 6;

constexpr std::array<std::string_view, 4> kUnknownFieldStates = {"07001", "07002", "42S22",
                                                                 "42703"};
constexpr std::array<std::string_view, 2> kUnknownTableStates = {"42S02", "42P01"};
// SQLite's driver reports every engine failure as HY000 with SQLite's text.
constexpr std::string_view kNoSuchColumn = "no such column";
constexpr std::string_view kNoSuchTable = "no such table";
// A change of data refused by a read-only transaction, or by SQLite's query_only.
constexpr std::string_view kReadOnlyTransaction = "25006";
constexpr std::string_view kSqliteReadOnly = "attempt to write a readonly database";

template <std::size_t N>
bool OneOf(const std::string& state, const std::array<std::string_view, N>& states) {
    for (std::string_view s : states)
        if (state == s) return true;
    return false;
}

bool Mentions(const std::string& message, std::string_view words) {
    return message.find(words) != std::string::npos;
}

}  // namespace

std::vector<Diagnostic> Diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
    std::vector<Diagnostic> records;
    for (SQLSMALLINT i = 1; i <= kMostRecords; ++i) {
        SQLWCHAR state[kStateUnits] = {};
        SQLINTEGER native = 0;
        SQLWCHAR message[kMessageUnits] = {};
        SQLSMALLINT length = 0;
        const SQLRETURN rc =
            SQLGetDiagRecW(type, handle, i, state, &native, message, kMessageUnits, &length);
        if (!SQL_SUCCEEDED(rc)) break;
        const auto units = std::min<std::size_t>(length > 0 ? length : 0, kMessageUnits - 1);
        records.push_back({Narrow(WideView(state)), Narrow(WideView(message, units))});
    }
    return records;
}

std::int32_t ErrorNumber(const std::vector<Diagnostic>& records, std::int32_t fallback) {
    for (const Diagnostic& d : records) {
        if (OneOf(d.state, kUnknownFieldStates) || Mentions(d.message, kNoSuchColumn)) {
            return kErrTooFewParameters;
        }
        if (OneOf(d.state, kUnknownTableStates) || Mentions(d.message, kNoSuchTable)) {
            return kErrInputTableNotFound;
        }
    }
    return fallback;
}

std::string ErrorDescription(const std::vector<Diagnostic>& records) {
    if (records.empty()) return "ODBC--call failed.";
    std::string text;
    for (const Diagnostic& d : records) {
        if (!text.empty()) text += "\r\n";
        text += d.message + " (" + d.state + ")";
    }
    return text;
}

void RaiseDiagnostics(SQLSMALLINT type, SQLHANDLE handle, std::int32_t fallback) {
    RaiseDiagnostics(Diagnostics(type, handle), fallback);
}

void RaiseDiagnostics(const std::vector<Diagnostic>& records, std::int32_t fallback) {
    Raise(ErrorNumber(records, fallback), ErrorDescription(records));
}

void RaiseReadDiagnostics(SQLHSTMT stmt) {
    const std::vector<Diagnostic> records = Diagnostics(SQL_HANDLE_STMT, stmt);
    for (const Diagnostic& d : records) {
        if (d.state == kReadOnlyTransaction || Mentions(d.message, kSqliteReadOnly)) {
            rows::RaiseNotARowQuery(ErrorDescription(records));
        }
    }
    RaiseDiagnostics(records);
}

}  // namespace cp::odbc
