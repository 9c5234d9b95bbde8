// Server mode on PostgreSQL placed by the table's statistics: they estimate the rows and where a
// key stands, and a table without statistics, a view or a query is counted as before; either way
// the list shows what the rows in memory show. That an estimated list counts nothing until a host
// reads a place does not depend on the engine: ServerPlacesTest holds it on an SQLite file.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "data/odbc/OdbcDatabase.h"
#include "tests/odbc/OdbcTestSupport.h"
#include "tests/support/CountedServer.h"
#include "tests/support/sim/ServerPlaces.h"

namespace cp::test {
namespace {

using odbc::OdbcDatabase;

// The far script's 30,000 places, of which a third and the last thousand are gone, with the
// index that serves the reads; autovacuum leaves the table alone, so it has statistics only
// when the test gathers them.
std::string Places(const std::string& table) {
    std::string sql =
        "DROP TABLE IF EXISTS @ CASCADE;"
        "CREATE TABLE @ (name TEXT, code TEXT PRIMARY KEY) WITH (autovacuum_enabled = false);"
        "CREATE INDEX @_name ON @ ((lower(name)) COLLATE \"C\", code);"
        "INSERT INTO @ SELECT chr(65 + (i * 7919) % 26) || chr(97 + (i / 26) % 26) || ' ' ||"
        " lpad(((i * 7919) % 99991)::text, 5, '0'), 'C' || lpad(i::text, 5, '0')"
        " FROM generate_series(1, 30000) AS i;"
        "UPDATE @ SET name = NULL WHERE code IN ('C00004', 'C00040');"
        "DELETE FROM @ WHERE right(code, 5)::int % 3 = 0 OR right(code, 5)::int > 29000;";
    for (std::size_t at = sql.find('@'); at != std::string::npos; at = sql.find('@', at))
        sql.replace(at, 1, table);
    return sql;
}

class PostgresEstimateTest : public ::testing::Test {
protected:
    // Tables of this program's own: ctest runs each test in a process of its own, at once.
    static void SetUpTestSuite() {
        const std::string suffix = "_" + std::to_string(std::random_device{}() % 1'000'000'000);
        analysed_ = "analysed_places" + suffix;
        unanalysed_ = "unanalysed_places" + suffix;
        view_ = "analysed_view" + suffix;
        OdbcDatabase::Open(PostgresConnection())
            ->Execute(Places(analysed_) + "ANALYZE " + analysed_ + ";CREATE VIEW " + view_ +
                      " AS SELECT * FROM " + analysed_ + ";" + Places(unanalysed_));
    }
    static void TearDownTestSuite() {
        OdbcDatabase::Open(PostgresConnection())
            ->Execute("DROP TABLE " + analysed_ + ", " + unanalysed_ + " CASCADE");
    }

    static inline std::string analysed_;
    static inline std::string unanalysed_;
    static inline std::string view_;
    std::shared_ptr<OdbcDatabase> db_ = OdbcDatabase::Open(PostgresConnection());
};

TEST_F(PostgresEstimateTest, StatisticsEstimateTheRowsAndWhereAKeyStands) {
    const auto rows = db_->OpenKeyedRows(analysed_, "");
    const auto estimate = rows->Estimate();
    ASSERT_TRUE(estimate);
    const std::int64_t count = rows->Count();
    EXPECT_NEAR(estimate->rows, count, count / 50);
    for (const char* code : {"C00004", "C00005", "C09001", "C22222", "C28999"}) {
        const auto row = rows->FirstWithValue(1, Variant(code));
        ASSERT_TRUE(row) << code;
        EXPECT_NEAR(EstimatedPlace(*estimate, row->key.completion), rows->CountBefore(row->key),
                    count / 50)
            << code;
    }
    // Without statistics of the table itself, only counting tells.
    EXPECT_FALSE(db_->OpenKeyedRows(unanalysed_, "")->Estimate());
    EXPECT_FALSE(db_->OpenKeyedRows(view_, "code")->Estimate());
    EXPECT_FALSE(db_->OpenKeyedRows("SELECT * FROM " + analysed_, "code")->Estimate());
}

TEST_F(PostgresEstimateTest, PlacedByStatisticsOrCountedTheListShowsWhatTheRowsInMemoryShow) {
    // Every row in the order of server mode's list.
    const std::vector<Seen> memory =
        RunFarScript(FillFrom(*db_, "SELECT * FROM " + analysed_ +
                                        " ORDER BY lower(name) COLLATE \"C\" NULLS FIRST, code"));
    ExpectFarScriptReached(memory);
    for (const std::string& table : {analysed_, unanalysed_}) {
        const auto server = std::make_shared<CountedServer>(db_);
        ExpectSameSteps(RunFarScript(ConnectTo(*server, table)), memory, table);
    }
}

}  // namespace
}  // namespace cp::test
