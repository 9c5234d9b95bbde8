// Server mode on the private PostgreSQL server: the same user and host steps on the rows filled
// into memory and in server mode (which page the keyed reads both ways and find by prefix and
// value), and a query's key.
#include <gtest/gtest.h>

#include <vector>

#include "data/odbc/OdbcDatabase.h"
#include "data/rows/RowBlock.h"
#include "tests/odbc/OdbcTestSupport.h"
#include "tests/support/sim/ServerFilterScript.h"
#include "tests/support/sim/ServerModeScript.h"

namespace cp::test {
namespace {

using odbc::OdbcDatabase;

// The places of the script, with the index that serves the reads.
constexpr const char* kPlaces =
    "DROP TABLE IF EXISTS server_places;"
    "CREATE TABLE server_places (name TEXT, code TEXT PRIMARY KEY);"
    "CREATE INDEX server_places_name ON server_places ((lower(name)) COLLATE \"C\", code);"
    "INSERT INTO server_places SELECT CASE i % 7 WHEN 0 THEN 'alpha ' WHEN 1 THEN 'Alpha '"
    " WHEN 2 THEN 'BETA ' WHEN 3 THEN 'beta ' WHEN 4 THEN 'Gamma ' WHEN 5 THEN 'delta '"
    " ELSE '' END || (i % 400)::text, 'C' || lpad(i::text, 5, '0')"
    " FROM generate_series(1, 3000) AS i;"
    "UPDATE server_places SET name = NULL WHERE code IN ('C00017', 'C02500');"
    "UPDATE server_places SET name = '' WHERE code IN ('C00005', 'C00006', 'C00007');";

class PostgresServerModeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { OdbcDatabase::Open(PostgresConnection())->Execute(kPlaces); }

    std::shared_ptr<OdbcDatabase> db_ = OdbcDatabase::Open(PostgresConnection());
};

TEST_F(PostgresServerModeTest, TheListOnTheServerBehavesAsTheSameRowsInMemory) {
    const std::vector<Seen> memory = RunScript(FillFrom(*db_, PostgresInOrder("server_places")));
    ExpectSameSteps(RunScript(ConnectTo(*db_, "server_places")), memory);
    ExpectScriptReached(memory);
}

TEST_F(PostgresServerModeTest, AFilteredListOnTheServerShowsWhatTheSameRowsInMemoryShow) {
    const std::vector<FilteredSeen> memory =
        RunFilterScript(FillFrom(*db_, PostgresInOrder("server_places")));
    ExpectSameSteps(RunFilterScript(ConnectTo(*db_, "server_places")), memory);
    ExpectFilterScriptReached(memory);
}

TEST_F(PostgresServerModeTest, AQueryNeedsItsKey) {
    EXPECT_EQ(FailureOf([&] { db_->OpenKeyedRows("SELECT name FROM server_places", ""); }).Number(),
              rows::kErrInvalidArgument);
    const auto query = db_->OpenKeyedRows("SELECT code, name FROM server_places", "code");
    EXPECT_EQ(query->Count(), 3000);
}

}  // namespace
}  // namespace cp::test
