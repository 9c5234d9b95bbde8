#include "data/sqlite/SqliteStatement.h"

#include <sqlite3.h>

#include <limits>
#include <string>

#include "data/sqlite/SqliteConnection.h"
#include "data/sqlite/SqliteErrors.h"
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

Variant IntegerVariant(std::int64_t value) {
    if (value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max()) {
        return Variant(static_cast<std::int32_t>(value));
    }
    return Variant(static_cast<double>(value));
}

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
        Raise(kErrTextAfterStatement, "Characters found after end of SQL statement.");
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(stmt_);
}

std::int32_t SqliteStatement::FieldCount() const {
    return sqlite3_column_count(stmt_);
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

bool SqliteStatement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    RaiseEngineError(connection_->Handle(), rc);
}

void SqliteStatement::AppendRow(std::vector<Variant>& values) const {
    const int fields = sqlite3_column_count(stmt_);
    for (int f = 0; f < fields; ++f)
        values.push_back(FieldValue(f));
}

SqliteStatement::Field SqliteStatement::FieldAt(int field) const {
    return Field(sqlite3_column_value(stmt_, field));
}

SqliteStatement::FieldKind SqliteStatement::Field::Kind() const {
    switch (sqlite3_value_type(value_)) {
        case SQLITE_INTEGER:
            return FieldKind::Integer;
        case SQLITE_FLOAT:
            return FieldKind::Real;
        case SQLITE_TEXT:
            return FieldKind::Text;
        case SQLITE_NULL:
            return FieldKind::Null;
        default:
            return FieldKind::Blob;
    }
}

std::int64_t SqliteStatement::Field::Integer() const {
    return sqlite3_value_int64(value_);
}

double SqliteStatement::Field::Real() const {
    return sqlite3_value_double(value_);
}

std::string_view SqliteStatement::Field::Text() const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value_));
    const auto bytes = static_cast<std::size_t>(sqlite3_value_bytes(value_));
    return text ? std::string_view(text, bytes) : std::string_view();
}

void SqliteStatement::RaiseBinaryField(int field) const {
    const char* name = sqlite3_column_name(stmt_, field);
    Raise(vberr::TypeMismatch, std::string("Type mismatch: the field ") + (name ? name : "?") +
                                   " holds binary data, which the list cannot show.");
}

Variant SqliteStatement::FieldValue(int field) const {
    const Field value = FieldAt(field);
    switch (value.Kind()) {
        case FieldKind::Integer:
            return IntegerVariant(value.Integer());
        case FieldKind::Real:
            return Variant(value.Real());
        case FieldKind::Text:
            return Variant(value.Text());
        case FieldKind::Null:
            return Variant::Null();
        case FieldKind::Blob:
            break;
    }
    RaiseBinaryField(field);
}

}  // namespace cp::sqlite
