// An ODBC handle (environment, connection or statement), freed when it goes.
#pragma once

#include "data/odbc/OdbcApi.h"
#include "data/odbc/OdbcErrors.h"

namespace cp::odbc {

class Handle {
public:
    // Allocates a handle of type under parent (SQL_NULL_HANDLE for an environment).
    Handle(SQLSMALLINT type, SQLHANDLE parent);
    ~Handle();
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    SQLHANDLE Get() const { return handle_; }
    // Raises the failure that a call on this handle answered with rc, if it failed.
    void Check(SQLRETURN rc, std::int32_t fallback = kErrCallFailed) const {
        if (!SQL_SUCCEEDED(rc)) RaiseDiagnostics(type_, handle_, fallback);
    }

private:
    SQLSMALLINT type_;                    // SQL_HANDLE_ENV, _DBC or _STMT
    SQLHANDLE handle_ = SQL_NULL_HANDLE;  // owned
};

}  // namespace cp::odbc
