#include "data/odbc/OdbcColumn.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "data/odbc/OdbcErrors.h"
#include "data/rows/FieldValues.h"
#include "data/rows/RowBlock.h"

namespace cp::odbc {
namespace {

// A text cell holds this many UTF-16 units at most; a longer value is read on its own.
constexpr std::size_t kMostCellUnits = 256;
// Room for the sign, the point and the exponent of a number written as text.
constexpr std::size_t kNumberDecorations = 8;
constexpr SQLSMALLINT kNameUnits = 256;

// The Date serial of a calendar day: days since 30 December 1899.
double DaySerial(int year, unsigned month, unsigned day) {
    // Days since 1 March of year 0 of the proleptic Gregorian calendar.
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(y - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    constexpr long kDaysTo18991230 = 693899;
    return static_cast<double>(era * 146097L + static_cast<long>(dayOfEra) - kDaysTo18991230);
}

double TimeFraction(unsigned hour, unsigned minute, double second) {
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

// A day before the base date carries its time as a fraction away from zero.
double DateSerial(double day, double time) {
    return day < 0 ? day - time : day + time;
}

// The dates that a Date holds: the years 100 to 9999.
bool InDateRange(int year) {
    return year >= 100 && year <= 9999;
}

std::string DateText(const SQL_TIMESTAMP_STRUCT& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02u:%02u:%02u", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

struct Binding {
    OdbcColumn::Cell cell;
    SQLSMALLINT cType;
    std::size_t bytes;  // of one cell
};

Binding BindingFor(SQLSMALLINT type, SQLULEN size) {
    using Cell = OdbcColumn::Cell;
    switch (type) {
        case SQL_BIT:
            return {Cell::Boolean, SQL_C_BIT, sizeof(SQLCHAR)};
        // A driver may declare a type narrower than the values it holds (SQLite's keeps 64 bits
        // in every integer column): the cell takes 64 bits, so that no value comes out wrapped.
        case SQL_TINYINT:
        case SQL_SMALLINT:
            return {Cell::Short, SQL_C_SBIGINT, sizeof(SQLBIGINT)};
        case SQL_INTEGER:
        case SQL_BIGINT:
            return {Cell::BigInt, SQL_C_SBIGINT, sizeof(SQLBIGINT)};
        case SQL_REAL:
            return {Cell::Single, SQL_C_FLOAT, sizeof(SQLREAL)};
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return {Cell::Double, SQL_C_DOUBLE, sizeof(SQLDOUBLE)};
        case SQL_TYPE_DATE:
            return {Cell::Date, SQL_C_TYPE_DATE, sizeof(SQL_DATE_STRUCT)};
        case SQL_TYPE_TIME:
            return {Cell::Time, SQL_C_TYPE_TIME, sizeof(SQL_TIME_STRUCT)};
        case SQL_TYPE_TIMESTAMP:
            return {Cell::Timestamp, SQL_C_TYPE_TIMESTAMP, sizeof(SQL_TIMESTAMP_STRUCT)};
        default:
            break;
    }
    // Text, and whatever has no C type of its own: the driver writes it as characters. A
    // declared size is only a hint (a driver may not know it), so any text may overflow its
    // cell; a character beyond the first plane takes two units.
    const bool decimal = type == SQL_NUMERIC || type == SQL_DECIMAL;
    const std::size_t chars = decimal ? size + kNumberDecorations : size * 2;
    const std::size_t units = std::clamp<std::size_t>(chars, 1, kMostCellUnits) + 1;
    return {decimal ? Cell::Decimal : Cell::Text, SQL_C_WCHAR, units * sizeof(SQLWCHAR)};
}

}  // namespace

OdbcColumn::OdbcColumn(SQLHSTMT stmt, SQLUSMALLINT number) : number_(number) {
    SQLWCHAR name[kNameUnits] = {};
    SQLSMALLINT nameLength = 0, type = 0, decimals = 0, nullable = 0;
    SQLULEN size = 0;
    const SQLRETURN rc = SQLDescribeColW(stmt, number, name, kNameUnits, &nameLength, &type, &size,
                                         &decimals, &nullable);
    if (!SQL_SUCCEEDED(rc)) RaiseDiagnostics(SQL_HANDLE_STMT, stmt);
    name_ = Narrow(WideView(name, std::clamp<SQLSMALLINT>(nameLength, 0, kNameUnits - 1)));
    if (type == SQL_BINARY || type == SQL_VARBINARY || type == SQL_LONGVARBINARY) {
        rows::RaiseBinaryField(name_);
    }
    const Binding binding = BindingFor(type, size);
    cell_ = binding.cell;
    cType_ = binding.cType;
    cellBytes_ = binding.bytes;
    overflows_ = cType_ == SQL_C_WCHAR;
}

void OdbcColumn::Bind(SQLHSTMT stmt, std::size_t rows) {
    cells_ = std::make_unique_for_overwrite<std::byte[]>(rows * cellBytes_);
    indicators_.assign(rows, 0);
    const SQLRETURN rc = SQLBindCol(stmt, number_, cType_, cells_.get(),
                                    static_cast<SQLLEN>(cellBytes_), indicators_.data());
    if (!SQL_SUCCEEDED(rc)) RaiseDiagnostics(SQL_HANDLE_STMT, stmt);
}

bool OdbcColumn::Write(std::size_t row, rows::RowWriter& out) const {
    if (indicators_[row] == SQL_NULL_DATA) {
        out.Null();
        return true;
    }
    switch (cell_) {
        case Cell::Boolean:
            out.Boolean(CellAt<SQLCHAR>(row) != 0);
            return true;
        case Cell::Short: {
            const auto value = CellAt<SQLBIGINT>(row);
            if (value < INT16_MIN || value > INT16_MAX) {
                out.Integer(value);
            } else {
                out.Short(static_cast<std::int16_t>(value));
            }
            return true;
        }
        case Cell::BigInt:
            out.Integer(CellAt<SQLBIGINT>(row));
            return true;
        case Cell::Single:
            out.Single(CellAt<SQLREAL>(row));
            return true;
        case Cell::Double:
            out.Double(CellAt<SQLDOUBLE>(row));
            return true;
        case Cell::Date: {
            const auto d = CellAt<SQL_DATE_STRUCT>(row);
            if (!InDateRange(d.year)) {
                out.Text(DateText({d.year, d.month, d.day, 0, 0, 0, 0}).substr(0, 10));
            } else {
                out.Date(DaySerial(d.year, d.month, d.day));
            }
            return true;
        }
        case Cell::Time: {
            const auto t = CellAt<SQL_TIME_STRUCT>(row);
            out.Date(TimeFraction(t.hour, t.minute, t.second));
            return true;
        }
        case Cell::Timestamp: {
            const auto t = CellAt<SQL_TIMESTAMP_STRUCT>(row);
            if (!InDateRange(t.year)) {
                out.Text(DateText(t));
                return true;
            }
            constexpr double kNanosecondsPerSecond = 1e9;
            const double time =
                TimeFraction(t.hour, t.minute, t.second + t.fraction / kNanosecondsPerSecond);
            out.Date(DateSerial(DaySerial(t.year, t.month, t.day), time));
            return true;
        }
        case Cell::Decimal:
        case Cell::Text:
            return WriteCharacters(row, out);
    }
    return true;
}

bool OdbcColumn::WriteCharacters(std::size_t row, rows::RowWriter& out) const {
    const SQLLEN bytes = indicators_[row];
    const std::size_t room = cellBytes_ - sizeof(SQLWCHAR);
    if (bytes == SQL_NO_TOTAL || bytes < 0 || static_cast<std::size_t>(bytes) > room) return false;
    const auto* units = reinterpret_cast<const SQLWCHAR*>(cells_.get() + row * cellBytes_);
    WriteText(WideView(units, static_cast<std::size_t>(bytes) / sizeof(SQLWCHAR)), out);
    return true;
}

void OdbcColumn::WriteText(WideView text, rows::RowWriter& out) const {
    const std::string utf8 = Narrow(text);
    if (cell_ == Cell::Decimal) {
        const Variant number = rows::DecimalVariant(utf8);
        if (const auto* i = number.Get<std::int32_t>()) {
            out.Integer(*i);
        } else if (const auto* d = number.Get<double>()) {
            out.Double(*d);
        } else {
            out.Text(utf8);
        }
        return;
    }
    out.Text(utf8);
}

}  // namespace cp::odbc
