#include "data/odbc/OdbcResult.h"

#include <algorithm>

#include "data/odbc/OdbcStatementText.h"
#include "data/rows/RowBlock.h"
#include "runtime/RuntimeError.h"

namespace cp::odbc {
namespace {

// The bound buffers of one block take about this much memory, and a block holds at most
// kMostBlockRows rows: beyond, fetching gets no faster.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
constexpr std::size_t kMostBlockRows = 1024;
// A long text is read in pieces of this many UTF-16 units.
constexpr std::size_t kPieceUnits = std::size_t{32} << 10;

SQLPOINTER AsPointer(SQLULEN value) {
    return reinterpret_cast<SQLPOINTER>(value);
}

}  // namespace

OdbcResult::OdbcResult(std::shared_ptr<OdbcConnection> connection, const std::string& sql,
                       Execution execution)
    : connection_(std::move(connection)), stmt_(SQL_HANDLE_STMT, connection_->Handle()) {
    if (!HoldsOneStatement(sql)) rows::RaiseTextAfterStatement();
    // Some drivers run the statement to describe its result, so it reads from here on.
    reading_.emplace(*connection_);
    if (execution == Execution::Direct) {
        WideString text = Wide(sql);
        CheckRun(SQLExecDirectW(stmt_.Get(), text.data(), static_cast<SQLINTEGER>(text.size())));
        Describe();
        BindBlock();
        return;
    }
    Prepare(sql);
    BindBlock();
    CheckRun(SQLExecute(stmt_.Get()));
}

void OdbcResult::CheckRun(SQLRETURN rc) const {
    if (!SQL_SUCCEEDED(rc)) RaiseReadDiagnostics(stmt_.Get());
}

void OdbcResult::Prepare(const std::string& sql) {
    WideString text = Wide(sql);
    CheckRun(SQLPrepareW(stmt_.Get(), text.data(), static_cast<SQLINTEGER>(text.size())));
    // A recordset reads: a statement without rows is refused before it runs, and so are
    // parameters, which a recordset has no values for.
    Describe();
    SQLSMALLINT parameters = 0;
    if (SQL_SUCCEEDED(SQLNumParams(stmt_.Get(), &parameters)) && parameters > 0) {
        rows::RaiseTooFewParameters(parameters);
    }
}

void OdbcResult::Describe() {
    SQLSMALLINT fields = 0;
    CheckRun(SQLNumResultCols(stmt_.Get(), &fields));
    if (fields <= 0) rows::RaiseNotARowQuery();
    columns_.reserve(static_cast<std::size_t>(fields));
    for (SQLSMALLINT f = 1; f <= fields; ++f)
        columns_.emplace_back(stmt_.Get(), static_cast<SQLUSMALLINT>(f));
}

void OdbcResult::BindBlock() {
    std::size_t rowBytes = sizeof(SQLUSMALLINT);
    bool overflows = false;
    for (const OdbcColumn& column : columns_) {
        rowBytes += column.RowBytes();
        overflows = overflows || column.MayOverflow();
    }
    blockRows_ = std::clamp<std::size_t>(kBlockBytes / rowBytes, 1, kMostBlockRows);
    if (overflows && !connection_->ReadsLongValuesInBlocks()) blockRows_ = 1;
    status_.assign(blockRows_, SQL_ROW_NOROW);
    SQLHSTMT stmt = stmt_.Get();
    stmt_.Check(SQLSetStmtAttr(stmt, SQL_ATTR_ROW_BIND_TYPE, AsPointer(SQL_BIND_BY_COLUMN), 0));
    stmt_.Check(SQLSetStmtAttr(stmt, SQL_ATTR_ROW_ARRAY_SIZE, AsPointer(blockRows_), 0));
    stmt_.Check(SQLSetStmtAttr(stmt, SQL_ATTR_ROWS_FETCHED_PTR, &fetched_, 0));
    stmt_.Check(SQLSetStmtAttr(stmt, SQL_ATTR_ROW_STATUS_PTR, status_.data(), 0));
    for (OdbcColumn& column : columns_)
        column.Bind(stmt, blockRows_);
}

std::int32_t OdbcResult::FieldCount() const {
    return static_cast<std::int32_t>(columns_.size());
}

std::string OdbcResult::FieldName(std::int32_t field) const {
    if (field < 0 || static_cast<std::size_t>(field) >= columns_.size()) return {};
    return columns_[static_cast<std::size_t>(field)].Name();
}

bool OdbcResult::FetchBlock() {
    if (ended_) return false;
    fetched_ = 0;
    const SQLRETURN rc = SQLFetch(stmt_.Get());
    if (rc == SQL_NO_DATA || (SQL_SUCCEEDED(rc) && fetched_ == 0)) {
        ended_ = true;
        // The driver may let the rows go now, and the connection may write again.
        SQLCloseCursor(stmt_.Get());
        reading_.reset();
        return false;
    }
    CheckRun(rc);
    // A row in error is reached after calls for the rows before it, which replace the
    // statement's diagnostics: the fetch's own are kept for it.
    fetchDiagnostics_.clear();
    const auto last = status_.begin() + static_cast<std::ptrdiff_t>(fetched_);
    if (std::find(status_.begin(), last, SQL_ROW_ERROR) != last) {
        fetchDiagnostics_ = Diagnostics(SQL_HANDLE_STMT, stmt_.Get());
    }
    row_ = 0;
    return true;
}

bool OdbcResult::Next() {
    if (!started_) {
        started_ = true;
        if (!FetchBlock()) return false;
    } else if (++row_ >= fetched_ && !FetchBlock()) {
        return false;
    }
    if (status_[row_] == SQL_ROW_ERROR) RaiseDiagnostics(fetchDiagnostics_);
    return true;
}

void OdbcResult::WriteRow(rows::RowWriter& row) const {
    for (const OdbcColumn& column : columns_) {
        if (!column.Write(row_, row)) column.WriteText(ReadWhole(column), row);
    }
}

WideString OdbcResult::ReadWhole(const OdbcColumn& column) const {
    if (!connection_->ReadsLongValuesOfBoundColumns()) {
        Raise(kErrCallFailed,
              "The ODBC driver cannot read the whole value of the field " + column.Name() + ".");
    }
    SQLHSTMT stmt = stmt_.Get();
    if (blockRows_ > 1) {
        stmt_.Check(SQLSetPos(stmt, static_cast<SQLSETPOSIROW>(row_ + 1), SQL_POSITION,
                              SQL_LOCK_NO_CHANGE));
    }
    WideString whole;
    std::vector<SQLWCHAR> piece(kPieceUnits + 1);
    const auto room = static_cast<SQLLEN>(kPieceUnits * sizeof(SQLWCHAR));
    for (;;) {
        SQLLEN length = 0;
        const SQLRETURN rc = SQLGetData(stmt, column.Number(), SQL_C_WCHAR, piece.data(),
                                        room + static_cast<SQLLEN>(sizeof(SQLWCHAR)), &length);
        if (rc == SQL_NO_DATA || length == SQL_NULL_DATA) break;
        stmt_.Check(rc);
        const SQLLEN bytes = (length == SQL_NO_TOTAL || length > room) ? room : length;
        whole.append(piece.data(), static_cast<std::size_t>(bytes) / sizeof(SQLWCHAR));
        if (rc == SQL_SUCCESS) break;
    }
    return whole;
}

}  // namespace cp::odbc
