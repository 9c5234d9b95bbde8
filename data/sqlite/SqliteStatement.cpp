#include "data/sqlite/SqliteStatement.h"

#include <sqlite3.h>

#include <string>

#include "data/rows/FieldValues.h"
#include "data/rows/RowBlock.h"
#include "data/rows/RowStore.h"
#include "data/sqlite/SqliteConnection.h"
#include "data/sqlite/SqliteErrors.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

namespace cp::sqlite {
namespace {

// True when text holds nothing but blanks, semicolons and comments.
bool HoldsNoStatement(sqlite3* db, const char* text) {
    sqlite3_stmt* next = nullptr;
    const char* tail = nullptr;
    while (*text) {
        const int rc = sqlite3_prepare_v2(db, text, -1, &next, &tail);
        if (rc != SQLITE_OK || next) {
            sqlite3_finalize(next);
            return false;
        }
        if (tail == text) return false;
        text = tail;
    }
    return true;
}

}  // namespace

SqliteStatement::SqliteStatement(std::shared_ptr<SqliteConnection> connection, std::string_view sql)
    : connection_(std::move(connection)) {
    sqlite3* db = connection_->Handle();
    const std::string text(sql);
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, text.c_str(), -1, &stmt_, &tail);
    if (rc != SQLITE_OK) RaiseEngineError(db, rc);
    if (!stmt_) Raise(kErrInvalidArgument, "The query holds no SQL statement.");
    if (!HoldsNoStatement(db, tail)) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        rows::RaiseTextAfterStatement();
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(stmt_);
}

std::int32_t SqliteStatement::FieldCount() const {
    return sqlite3_column_count(stmt_);
}

std::string SqliteStatement::FieldName(std::int32_t field) const {
    // The name is the alias of the query's column when it has one, else its text as written.
    const char* name = sqlite3_column_name(stmt_, field);
    return name ? name : std::string();
}

std::int32_t SqliteStatement::ParameterCount() const {
    return sqlite3_bind_parameter_count(stmt_);
}

bool SqliteStatement::ReadOnly() const {
    return sqlite3_stmt_readonly(stmt_) != 0;
}

void SqliteStatement::BindText(int index, std::string_view text) {
    const int rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                                     SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) RaiseEngineError(connection_->Handle(), rc);
}

void SqliteStatement::BindValue(int index, const Variant& value) {
    int rc = SQLITE_OK;
    switch (value.Type()) {
        case VarType::Null:
        case VarType::Empty:
            rc = sqlite3_bind_null(stmt_, index);
            break;
        case VarType::Boolean:
        case VarType::Byte:
        case VarType::Integer:
        case VarType::Long:
            rc = sqlite3_bind_int64(stmt_, index, static_cast<sqlite3_int64>(value.Number()));
            break;
        case VarType::Single:
        case VarType::Double:
        case VarType::Currency:
        case VarType::Date:
            rc = sqlite3_bind_double(stmt_, index, value.Number());
            break;
        default:
            BindText(index, CStr(value));
            return;
    }
    if (rc != SQLITE_OK) RaiseEngineError(connection_->Handle(), rc);
}

void SqliteStatement::Reset() {
    // The result code repeats the last step's failure, which that step has raised already.
    sqlite3_reset(stmt_);
}

bool SqliteStatement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    RaiseEngineError(connection_->Handle(), rc);
}

void SqliteStatement::WriteRow(rows::RowWriter& row) const {
    const int fields = sqlite3_column_count(stmt_);
    for (int f = 0; f < fields; ++f) {
        // One column call per field: each takes the connection's lock, the value calls do not.
        sqlite3_value* value = sqlite3_column_value(stmt_, f);
        switch (sqlite3_value_type(value)) {
            case SQLITE_INTEGER:
                row.Integer(sqlite3_value_int64(value));
                break;
            case SQLITE_FLOAT:
                row.Double(sqlite3_value_double(value));
                break;
            case SQLITE_TEXT: {
                const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
                const auto bytes = static_cast<std::size_t>(sqlite3_value_bytes(value));
                row.Text(text ? std::string_view(text, bytes) : std::string_view());
                break;
            }
            case SQLITE_NULL:
                row.Null();
                break;
            default:
                RaiseBinaryField(f);
        }
    }
}

void SqliteStatement::RaiseBinaryField(int field) const {
    const char* name = sqlite3_column_name(stmt_, field);
    rows::RaiseBinaryField(name ? name : "?");
}

Variant SqliteStatement::FieldValue(int field) const {
    switch (sqlite3_column_type(stmt_, field)) {
        case SQLITE_INTEGER:
            return rows::IntegerVariant(sqlite3_column_int64(stmt_, field));
        case SQLITE_FLOAT:
            return Variant(sqlite3_column_double(stmt_, field));
        case SQLITE_TEXT: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, field));
            const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes(stmt_, field));
            return Variant(text ? std::string_view(text, bytes) : std::string_view());
        }
        case SQLITE_NULL:
            return Variant::Null();
        default:
            RaiseBinaryField(field);
    }
}

}  // namespace cp::sqlite
