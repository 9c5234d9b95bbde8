#include "data/odbc/OdbcHandle.h"

#include "runtime/RuntimeError.h"

namespace cp::odbc {

Handle::Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
    const SQLRETURN rc = SQLAllocHandle(type, parent, &handle_);
    if (SQL_SUCCEEDED(rc)) return;
    // A failed allocation reports on the parent, when there is one.
    handle_ = SQL_NULL_HANDLE;
    if (parent == SQL_NULL_HANDLE) Raise(kErrCallFailed, "The ODBC driver manager cannot start.");
    RaiseDiagnostics(type == SQL_HANDLE_STMT ? SQL_HANDLE_DBC : SQL_HANDLE_ENV, parent);
}

Handle::~Handle() {
    if (handle_ == SQL_NULL_HANDLE) return;
    // A statement is closed first: PostgreSQL's driver keeps what a failed query left behind
    // until its cursor is closed, and freeing the handle alone loses it.
    if (type_ == SQL_HANDLE_STMT) SQLFreeStmt(handle_, SQL_CLOSE);
    SQLFreeHandle(type_, handle_);
}

}  // namespace cp::odbc
