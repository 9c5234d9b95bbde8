// One compiled SQL statement on a shared connection, stepped row by row; it reads the current
// row's fields as Variants.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"

struct sqlite3_stmt;
struct sqlite3_value;

namespace cp::sqlite {

class SqliteConnection;

// An SQL integer as a Variant: a Long when it fits 32 bits, a Double beyond.
Variant IntegerVariant(std::int64_t value);

class SqliteStatement {
public:
    // Compiles the single statement of sql. Anything after it but blanks, semicolons and
    // comments is refused, so that a query can never carry a second statement along.
    SqliteStatement(std::shared_ptr<SqliteConnection> connection, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    std::int32_t FieldCount() const;
    std::int32_t ParameterCount() const;
    // True when running the statement cannot change the database.
    bool ReadOnly() const;

    // Gives parameter index (from 1) a text value.
    void BindText(int index, std::string_view text);

    // Moves to the next row of the result; false when there is none left.
    bool Step();
    // One field of the current row, read as it is stored; valid until the next Step. (Read
    // without locking: a statement is only used on the thread that opened its connection.)
    enum class FieldKind { Null, Integer, Real, Text, Blob };
    class Field {
    public:
        explicit Field(sqlite3_value* value) : value_(value) {}
        FieldKind Kind() const;
        std::int64_t Integer() const;
        double Real() const;
        std::string_view Text() const;

    private:
        sqlite3_value* value_;  // owned by the statement
    };
    Field FieldAt(int field) const;
    // Binary data has no value that a list can show: a type mismatch naming the field.
    [[noreturn]] void RaiseBinaryField(int field) const;

    // Appends the current row's values, field by field: INTEGER as Long (Double beyond 32
    // bits), REAL as Double, TEXT as String, NULL as Null; BLOB is refused.
    void AppendRow(std::vector<Variant>& values) const;
    // The value of one field of the current row, converted as AppendRow does.
    Variant FieldValue(int field) const;

private:
    std::shared_ptr<SqliteConnection> connection_;  // kept open while the statement lives
    sqlite3_stmt* stmt_ = nullptr;                  // the compiled statement; owned
};

}  // namespace cp::sqlite
