// A row that the driver flags as in error, reached after the whole value of a row before it was
// read, reports the diagnostics of the fetch that flagged it, not those of the calls since.
#include <gtest/gtest.h>

#include <string>

#include "data/odbc/OdbcDatabase.h"
#include "data/odbc/OdbcErrors.h"
#include "tests/support/RecordsetChecks.h"

namespace cp::test {
namespace {

TEST(RowErrorTest, ARowInErrorReportsItsFetchsDiagnostics) {
    auto db = odbc::OdbcDatabase::Open(std::string("Driver=") + CP_TEST_ROW_ERROR_DRIVER);
    const RuntimeError e =
        FailureOf([&] { db->OpenRecordset("SELECT word FROM words", dbOpenSnapshot); });
    EXPECT_EQ(e.Number(), odbc::kErrCallFailed);
    EXPECT_EQ(e.Description(), "[RowErrors]the value of row 2 cannot be read (22018)");
}

}  // namespace
}  // namespace cp::test
