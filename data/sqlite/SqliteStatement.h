// One compiled SQL statement on a shared connection, stepped row by row: the row source of the
// SQLite recordsets.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "data/rows/RowSource.h"
#include "runtime/Variant.h"

struct sqlite3_stmt;

namespace cp::sqlite {

class SqliteConnection;

class SqliteStatement final : public rows::RowSource {
public:
    // Compiles the single statement of sql. Anything after it but blanks, semicolons and
    // comments is refused, so that a query can never carry a second statement along.
    SqliteStatement(std::shared_ptr<SqliteConnection> connection, std::string_view sql);
    ~SqliteStatement() override;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    std::int32_t FieldCount() const override;
    std::string FieldName(std::int32_t field) const override;
    std::int32_t ParameterCount() const;
    // True when running the statement cannot change the database.
    bool ReadOnly() const;

    // Gives parameter index (from 1) a text value.
    void BindText(int index, std::string_view text);
    // Gives parameter index (from 1) a value: Null, a number or a text (anything else as text).
    void BindValue(int index, const Variant& value);
    // Runs the statement again from its first row, with the values bound last.
    void Reset();

    // Moves to the next row of the result; false when there is none left.
    bool Step();
    bool Next() override { return Step(); }
    // The current row's fields as they are stored: INTEGER as an integer (a Long where it
    // fits), REAL as Double, TEXT as String, NULL as Null; BLOB is a type mismatch. (Read
    // without locking: a statement is only used on the thread that opened its connection.)
    void WriteRow(rows::RowWriter& row) const override;
    // The value of one field of the current row, converted as WriteRow does.
    Variant FieldValue(int field) const;

private:
    [[noreturn]] void RaiseBinaryField(int field) const;

    std::shared_ptr<SqliteConnection> connection_;  // kept open while the statement lives
    sqlite3_stmt* stmt_ = nullptr;                  // the compiled statement; owned
};

}  // namespace cp::sqlite
