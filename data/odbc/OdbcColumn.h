// One field of a result and the buffer bound to it: a block of cells, one per row of a fetch,
// written by the driver in the C type that keeps the field's value (numbers as numbers, dates
// as dates, text as UTF-16), with the length or Null indicator of each cell beside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "data/odbc/OdbcApi.h"
#include "data/rows/RowStore.h"

namespace cp::odbc {

class OdbcColumn {
public:
    // How a field is fetched and what it becomes.
    enum class Cell {
        Boolean,    // SQL_BIT
        Short,      // TINYINT, SMALLINT: an Integer where it fits, else as BigInt
        BigInt,     // INTEGER, BIGINT: a Long where it fits, see IntegerVariant
        Single,     // REAL
        Double,     // FLOAT, DOUBLE
        Decimal,    // NUMERIC, DECIMAL: read as text, see DecimalVariant
        Date,       // DATE
        Time,       // TIME: a Date on day 0
        Timestamp,  // TIMESTAMP
        Text,       // characters, and anything else the driver can write as text
    };

    // Describes field number (from 1) of the statement's result. Binary data is refused.
    OdbcColumn(SQLHSTMT stmt, SQLUSMALLINT number);

    Cell Kind() const { return cell_; }
    SQLUSMALLINT Number() const { return number_; }
    const std::string& Name() const { return name_; }
    // Bytes of one cell and its indicator.
    std::size_t RowBytes() const { return cellBytes_ + sizeof(SQLLEN); }
    // A value of the field may be longer than its cell holds.
    bool MayOverflow() const { return overflows_; }
    // Binds a block of rows cells to the statement.
    void Bind(SQLHSTMT stmt, std::size_t rows);

    // Writes the value in the cell of row; false when it is a text longer than the cell, whose
    // whole value the caller reads on its own and hands to WriteText.
    bool Write(std::size_t row, rows::RowWriter& out) const;
    void WriteText(WideView text, rows::RowWriter& out) const;

private:
    template <class T>
    T CellAt(std::size_t row) const {
        T value;
        std::memcpy(&value, cells_.get() + row * cellBytes_, sizeof value);
        return value;
    }
    bool WriteCharacters(std::size_t row, rows::RowWriter& out) const;

    SQLUSMALLINT number_;              // from 1
    std::string name_;                 // as the result names it
    Cell cell_ = Cell::Text;           // how the field is fetched
    SQLSMALLINT cType_ = SQL_C_WCHAR;  // the C type bound
    std::size_t cellBytes_ = 0;        // bytes of one cell, a terminator included
    bool overflows_ = false;           // see MayOverflow
    // The block of cells, aligned for any C type. Left unwritten: the driver writes the cells
    // of the rows it fetches, and a block is sized for many more rows than most reads bring,
    // so that clearing it would cost a read of a few rows more than the rows themselves.
    std::unique_ptr<std::byte[]> cells_;
    std::vector<SQLLEN> indicators_;  // per row: bytes, SQL_NULL_DATA or SQL_NO_TOTAL
};

}  // namespace cp::odbc
