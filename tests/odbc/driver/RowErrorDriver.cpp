// An ODBC driver of the tests' own for what the real ones never do: every query delivers one
// text field in one block of three rows, the first longer than any cell, the second in error
// (SQL_ROW_ERROR, with a diagnostic record of the fetch that names it), the third plain. Reading
// the first row's whole value takes calls of its own, which replace the statement's diagnostics
// as every call does. Only what the ODBC layer and unixODBC's driver manager call is answered.
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct Record {
    std::string state;
    std::string message;
};

struct Handle {
    std::vector<Record> diagnostics;  // of the last call
};

struct Statement : Handle {
    SQLPOINTER cells = nullptr;
    SQLLEN cellBytes = 0;
    SQLLEN* indicators = nullptr;
    SQLULEN* fetched = nullptr;
    SQLUSMALLINT* status = nullptr;
    bool done = false;          // the block was fetched
    std::size_t readUnits = 0;  // of the long value, by SQLGetData
};

const std::u16string kLong(300, u'x');
const std::u16string kRows[] = {kLong, u"bad", u"c"};
constexpr SQLULEN kRowCount = 3;
constexpr SQLULEN kErrorRow = 1;

Handle* Of(SQLHANDLE h) {
    auto* handle = static_cast<Handle*>(h);
    handle->diagnostics.clear();
    return handle;
}

// A call that changes nothing: it only clears the handle's diagnostics, as every call does.
SQLRETURN Done(SQLHANDLE h) {
    Of(h);
    return SQL_SUCCESS;
}

void CopyText(const std::string& text, SQLCHAR* out, SQLSMALLINT room, SQLSMALLINT* length) {
    if (length) *length = static_cast<SQLSMALLINT>(text.size());
    if (out && room > 0) {
        const auto n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(room - 1));
        std::memcpy(out, text.data(), n);
        out[n] = 0;
    }
}

}  // namespace

extern "C" {

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT type, SQLHANDLE, SQLHANDLE* out) {
    *out = type == SQL_HANDLE_STMT ? new Statement : new Handle;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT type, SQLHANDLE h) {
    if (type == SQL_HANDLE_STMT) {
        delete static_cast<Statement*>(h);
    } else {
        delete static_cast<Handle*>(h);
    }
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV, SQLINTEGER, SQLPOINTER, SQLINTEGER) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC dbc, SQLHWND, SQLCHAR*, SQLSMALLINT, SQLCHAR* out,
                                   SQLSMALLINT room, SQLSMALLINT* length, SQLUSMALLINT) {
    Of(dbc);
    CopyText("DRIVER=RowErrorDriver", out, room, length);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC dbc) {
    return Done(dbc);
}

SQLRETURN SQL_API SQLGetInfo(SQLHDBC dbc, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT room,
                             SQLSMALLINT* length) {
    Of(dbc);
    const std::map<SQLUSMALLINT, std::string> texts = {{SQL_DRIVER_ODBC_VER, "03.80"},
                                                       {SQL_DBMS_NAME, "RowErrors"},
                                                       {SQL_IDENTIFIER_QUOTE_CHAR, "\""}};
    if (const auto text = texts.find(type); text != texts.end()) {
        CopyText(text->second, static_cast<SQLCHAR*>(value), room, length);
    } else if (type == SQL_GETDATA_EXTENSIONS) {
        *static_cast<SQLUINTEGER*>(value) =
            SQL_GD_ANY_COLUMN | SQL_GD_ANY_ORDER | SQL_GD_BLOCK | SQL_GD_BOUND;
    } else if (type == SQL_TXN_CAPABLE) {
        *static_cast<SQLUSMALLINT*>(value) = SQL_TC_NONE;
    } else {
        if (value && room > 0) std::memset(value, 0, std::min<std::size_t>(room, 4));
        if (length) *length = 0;
    }
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC dbc, SQLINTEGER, SQLPOINTER, SQLINTEGER) {
    return Done(dbc);
}

SQLRETURN SQL_API SQLEndTran(SQLSMALLINT, SQLHANDLE, SQLSMALLINT) {
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetStmtAttr(SQLHSTMT stmt, SQLINTEGER attribute, SQLPOINTER value,
                                 SQLINTEGER) {
    auto* s = static_cast<Statement*>(Of(stmt));
    if (attribute == SQL_ATTR_ROWS_FETCHED_PTR) s->fetched = static_cast<SQLULEN*>(value);
    if (attribute == SQL_ATTR_ROW_STATUS_PTR) s->status = static_cast<SQLUSMALLINT*>(value);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLPrepare(SQLHSTMT stmt, SQLCHAR*, SQLINTEGER) {
    return Done(stmt);
}

SQLRETURN SQL_API SQLExecDirect(SQLHSTMT stmt, SQLCHAR*, SQLINTEGER) {
    return Done(stmt);
}

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT stmt, SQLSMALLINT* count) {
    Of(stmt);
    *count = 1;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLNumParams(SQLHSTMT stmt, SQLSMALLINT* count) {
    Of(stmt);
    *count = 0;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT stmt, SQLUSMALLINT, SQLCHAR* name, SQLSMALLINT room,
                                 SQLSMALLINT* length, SQLSMALLINT* type, SQLULEN* size,
                                 SQLSMALLINT* digits, SQLSMALLINT* nullable) {
    Of(stmt);
    CopyText("word", name, room, length);
    *type = SQL_VARCHAR;
    *size = 10;
    *digits = 0;
    *nullable = SQL_NULLABLE;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLBindCol(SQLHSTMT stmt, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER cells,
                             SQLLEN cellBytes, SQLLEN* indicators) {
    auto* s = static_cast<Statement*>(Of(stmt));
    s->cells = cells;
    s->cellBytes = cellBytes;
    s->indicators = indicators;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLExecute(SQLHSTMT stmt) {
    return Done(stmt);
}

// The block: each text cut to its cell, its whole length in bytes as its indicator.
SQLRETURN SQL_API SQLFetch(SQLHSTMT stmt) {
    auto* s = static_cast<Statement*>(Of(stmt));
    if (s->done) return SQL_NO_DATA;
    s->done = true;
    const std::size_t room = static_cast<std::size_t>(s->cellBytes) / sizeof(SQLWCHAR) - 1;
    for (SQLULEN row = 0; row < kRowCount; ++row) {
        auto* cell = reinterpret_cast<SQLWCHAR*>(static_cast<char*>(s->cells) + row * s->cellBytes);
        const std::size_t n = std::min(room, kRows[row].size());
        std::copy_n(kRows[row].begin(), n, cell);
        cell[n] = 0;
        s->indicators[row] = static_cast<SQLLEN>(kRows[row].size() * sizeof(SQLWCHAR));
        s->status[row] = row == kErrorRow ? SQL_ROW_ERROR : SQL_ROW_SUCCESS;
    }
    *s->fetched = kRowCount;
    s->diagnostics.push_back({"22018", "[RowErrors]the value of row 2 cannot be read"});
    return SQL_SUCCESS_WITH_INFO;
}

SQLRETURN SQL_API SQLSetPos(SQLHSTMT stmt, SQLSETPOSIROW, SQLUSMALLINT, SQLUSMALLINT) {
    return Done(stmt);
}

// The first row's whole value, in pieces.
SQLRETURN SQL_API SQLGetData(SQLHSTMT stmt, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER out, SQLLEN room,
                             SQLLEN* length) {
    auto* s = static_cast<Statement*>(Of(stmt));
    if (s->readUnits == kLong.size()) return SQL_NO_DATA;
    const std::size_t left = kLong.size() - s->readUnits;
    const std::size_t n = std::min(left, static_cast<std::size_t>(room) / sizeof(SQLWCHAR) - 1);
    auto* units = static_cast<SQLWCHAR*>(out);
    std::copy_n(kLong.begin() + static_cast<std::ptrdiff_t>(s->readUnits), n, units);
    units[n] = 0;
    *length = static_cast<SQLLEN>(left * sizeof(SQLWCHAR));
    s->readUnits += n;
    if (n == left) return SQL_SUCCESS;
    s->diagnostics.push_back({"01004", "[RowErrors]string data, right truncated"});
    return SQL_SUCCESS_WITH_INFO;
}

SQLRETURN SQL_API SQLCloseCursor(SQLHSTMT stmt) {
    return Done(stmt);
}

SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT stmt, SQLUSMALLINT) {
    return Done(stmt);
}

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT, SQLHANDLE h, SQLSMALLINT number, SQLCHAR* state,
                                SQLINTEGER* native, SQLCHAR* message, SQLSMALLINT room,
                                SQLSMALLINT* length) {
    const auto& records = static_cast<Handle*>(h)->diagnostics;
    if (number < 1 || static_cast<std::size_t>(number) > records.size()) return SQL_NO_DATA;
    const Record& r = records[static_cast<std::size_t>(number - 1)];
    CopyText(r.state, state, 6, nullptr);
    if (native) *native = 0;
    CopyText(r.message, message, room, length);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetDiagField(SQLSMALLINT, SQLHANDLE h, SQLSMALLINT number, SQLSMALLINT field,
                                  SQLPOINTER value, SQLSMALLINT, SQLSMALLINT*) {
    const auto& records = static_cast<Handle*>(h)->diagnostics;
    if (number == 0 && field == SQL_DIAG_NUMBER) {
        *static_cast<SQLINTEGER*>(value) = static_cast<SQLINTEGER>(records.size());
        return SQL_SUCCESS;
    }
    return SQL_NO_DATA;
}

}  // extern "C"
