// Server mode on the private PostgreSQL server: a query's rows are read a page at a time only
// with their key named. What the list on the server shows is held against the same rows in
// memory on PostgreSQL by the far script of PostgresEstimatedServerModeTest.cpp, and the
// keyed reads that PostgreSQL shares with SQLite's ODBC driver by the scripts of
// SqliteOdbcServerModeTest.cpp and of the server scenarios.
#include <gtest/gtest.h>

#include <memory>

#include "data/odbc/OdbcDatabase.h"
#include "data/rows/RowBlock.h"
#include "tests/odbc/OdbcTestSupport.h"

namespace cp::test {
namespace {

class PostgresServerModeTest : public ::testing::Test {
protected:
    std::shared_ptr<odbc::OdbcDatabase> db_ = odbc::OdbcDatabase::Open(PostgresConnection());
};

TEST_F(PostgresServerModeTest, AQueryNeedsItsKey) {
    EXPECT_EQ(FailureOf([&] { db_->OpenKeyedRows("SELECT name FROM server_places", ""); }).Number(),
              rows::kErrInvalidArgument);
}

}  // namespace
}  // namespace cp::test
