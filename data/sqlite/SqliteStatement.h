// One compiled SQL statement on a shared connection, stepped row by row; it reads the current
// row's fields as Variants.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/Variant.h"

struct sqlite3_stmt;

namespace cp::sqlite {

class SqliteConnection;

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
    // Appends the current row's values, field by field: INTEGER as Long (Double beyond 32
    // bits), REAL as Double, TEXT as String, NULL as Null. BLOB fields have no value that a
    // list can show and are a type mismatch.
    void AppendRow(std::vector<Variant>& values) const;
    // The value of one field of the current row, converted as AppendRow does.
    Variant FieldValue(int field) const;

private:
    std::shared_ptr<SqliteConnection> connection_;  // kept open while the statement lives
    sqlite3_stmt* stmt_ = nullptr;                  // the compiled statement; owned
};

}  // namespace cp::sqlite
