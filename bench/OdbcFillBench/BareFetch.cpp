#include "bench/OdbcFillBench/BareFetch.h"

#include <benchmark/benchmark.h>
#include <sql.h>
#include <sqlext.h>

#include <vector>

namespace {

constexpr SQLULEN kBlockRows = 1024;
constexpr SQLLEN kTextBytes = 257 * sizeof(SQLWCHAR);

}  // namespace

struct BareHandles {
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
};

BareConnection::BareConnection(const std::string& connectionString) : handles_(new BareHandles) {
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handles_->env);
    SQLSetEnvAttr(handles_->env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3),
                  0);
    SQLAllocHandle(SQL_HANDLE_DBC, handles_->env, &handles_->dbc);
    std::string text = connectionString;
    SQLDriverConnect(handles_->dbc, nullptr, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS,
                     nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
}

BareConnection::~BareConnection() {
    SQLDisconnect(handles_->dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, handles_->dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, handles_->env);
    delete handles_;
}

std::int64_t BareConnection::FetchAll(const char* query) {
    std::vector<SQLINTEGER> ids(kBlockRows);
    std::vector<SQLWCHAR> codes(kBlockRows * kTextBytes / sizeof(SQLWCHAR));
    std::vector<SQLWCHAR> names(codes.size());
    std::vector<SQLLEN> lengths(3 * kBlockRows);
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    SQLAllocHandle(SQL_HANDLE_STMT, handles_->dbc, &stmt);
    SQLULEN fetched = 0;
    SQLSetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(kBlockRows), 0);
    SQLSetStmtAttr(stmt, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
    SQLBindCol(stmt, 1, SQL_C_SLONG, ids.data(), 0, lengths.data());
    SQLBindCol(stmt, 2, SQL_C_WCHAR, codes.data(), kTextBytes, lengths.data() + kBlockRows);
    SQLBindCol(stmt, 3, SQL_C_WCHAR, names.data(), kTextBytes, lengths.data() + 2 * kBlockRows);
    std::string text = query;
    SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS);
    std::int64_t sum = 0;
    std::int64_t rows = 0;
    while (SQL_SUCCEEDED(SQLFetch(stmt))) {
        for (SQLULEN r = 0; r < fetched; ++r) {
            const std::size_t at = r * kTextBytes / sizeof(SQLWCHAR);
            sum += ids[r] + lengths[kBlockRows + r] + lengths[2 * kBlockRows + r] + codes[at] +
                   names[at];
        }
        rows += static_cast<std::int64_t>(fetched);
    }
    benchmark::DoNotOptimize(sum);
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    return rows;
}
