// A recordset only reads, through every driver: statements that would change data are refused
// (on PostgreSQL by the server, in the read-only transaction that every recordset runs in; on
// SQLite by its query_only switch or by the driver's own description of the statement), text
// after the first statement never reaches the driver, and the table is as it was afterwards.
// Queries that only read keep working, and the connection writes again once they are read.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "data/odbc/OdbcDatabase.h"
#include "data/odbc/OdbcErrors.h"
#include "data/rows/RowBlock.h"
#include "tests/odbc/OdbcTestSupport.h"

namespace cp::test {
namespace {

using odbc::OdbcDatabase;

// A query and the number it is refused with.
using Refusal = std::pair<const char*, std::int32_t>;

constexpr const char* kFruit = "id integer, name text, \"update\" text";
constexpr const char* kFruitRows =
    "INSERT INTO fruit VALUES (1, 'apple', NULL), (2, 'pear', 'ripe'), (3, 'plum', NULL)";
constexpr const char* kAllFruit = "1|apple\n2|pear\n3|plum\n";

// Reading queries, each of which delivers kAllFruit.
const std::vector<std::string> kReadingQueries = {
    "SELECT id, name FROM fruit ORDER BY id",
    "WITH c AS (SELECT id, name FROM fruit) SELECT id, name FROM c ORDER BY id",
    "-- the fruit\nSELECT id, name FROM fruit ORDER BY id",
    "/* the fruit, all of it */ SELECT id, name FROM fruit ORDER BY id;  ",
    "SELECT id, name FROM fruit WHERE \"update\" IS NULL OR \"update\" <> 'a;b' ORDER BY id",
    "SELECT id AS \"update\", name FROM fruit ORDER BY \"update\"",
};

constexpr std::int32_t kNotRows = rows::kErrNotARowQuery;
constexpr std::int32_t kTextAfter = rows::kErrTextAfterStatement;

// Changes that every dialect refuses.
const std::vector<Refusal> kEveryDialectRefuses = {
    {"DELETE FROM fruit WHERE id = 1 RETURNING id", kNotRows},
    {"UPDATE fruit SET name = 'gone' RETURNING id", kNotRows},
    {"SELECT 1; DELETE FROM fruit", kTextAfter},
    {"SELECT id FROM fruit; DROP TABLE fruit", kTextAfter},
    {"INSERT INTO fruit VALUES (9, 'fig') RETURNING id", kNotRows},
};

class ReadOnlyQueryTest : public ::testing::Test {
protected:
    // Runs every refusal, the dialect's own after the common ones, and every reading query;
    // the table must be unchanged after each.
    void Check(OdbcDatabase& db, std::vector<Refusal> refusals) {
        const std::string before = RowsOf(db, "SELECT * FROM fruit ORDER BY id");
        refusals.insert(refusals.begin(), kEveryDialectRefuses.begin(), kEveryDialectRefuses.end());
        for (const auto& [query, number] : refusals) {
            const RuntimeError e =
                FailureOf([&, query = query] { db.OpenRecordset(query, dbOpenSnapshot); });
            EXPECT_EQ(e.Number(), number) << query << ": " << e.Description();
            EXPECT_EQ(RowsOf(db, "SELECT * FROM fruit ORDER BY id"), before) << query;
        }
        for (const std::string& query : kReadingQueries)
            EXPECT_EQ(RowsOf(db, query), kAllFruit) << query;
        // Once nothing reads, the connection writes again, for good.
        db.Execute("INSERT INTO fruit (id, name) VALUES (4, 'sloe')");
        EXPECT_EQ(RowsOf(db, "SELECT count(*) FROM fruit"), "4\n");
    }
};

TEST_F(ReadOnlyQueryTest, PostgresRefusesEveryChangeAndKeepsTheTable) {
    // A table of the server's own: the rules of a read-only transaction spare temporary ones.
    auto db = OdbcDatabase::Open(PostgresConnection());
    db->Execute(std::string("DROP TABLE IF EXISTS fruit; CREATE TABLE fruit (") + kFruit +
                "); CREATE SEQUENCE IF NOT EXISTS fruit_ids;" + kFruitRows);
    Check(*db, {
                   {"WITH gone AS (DELETE FROM fruit RETURNING id) SELECT id FROM gone", kNotRows},
                   {"SELECT 1; COMMIT; DELETE FROM fruit", kTextAfter},
                   {"EXPLAIN ANALYZE DELETE FROM fruit", kNotRows},
                   {"SELECT id, nextval('fruit_ids') FROM fruit", kNotRows},
               });
    // The server says which change it refused.
    const RuntimeError e =
        FailureOf([&] { db->OpenRecordset("DELETE FROM fruit RETURNING id", 4); });
    EXPECT_EQ(e.Description().rfind("Invalid operation: only a query that reads rows", 0), 0u);
    EXPECT_NE(e.Description().find("cannot execute DELETE in a read-only transaction"),
              std::string::npos)
        << e.Description();
    // The insert was committed: another connection sees it.
    auto other = OdbcDatabase::Open(PostgresConnection());
    EXPECT_EQ(RowsOf(*other, "SELECT count(*) FROM fruit"), "4\n");
    other->Execute("DROP TABLE fruit; DROP SEQUENCE fruit_ids");
}

TEST_F(ReadOnlyQueryTest, SqliteThroughItsDriverRefusesEveryChangeAndAnyWhileARecordsetReads) {
    ScratchFile file("readonly");
    auto db = OdbcDatabase::Open(file.Connection());
    db->Execute(std::string("CREATE TABLE fruit (") + kFruit + ");" + kFruitRows);
    Check(*db, {{"WITH c AS (SELECT 1) DELETE FROM fruit WHERE id = 1 RETURNING id", kNotRows}});

    // Nothing changes the database while a recordset reads.
    auto rs = db->OpenRecordset("SELECT id FROM fruit ORDER BY id", dbOpenDynaset);
    rs->GetRows(1);
    const RuntimeError e = FailureOf([&] { db->Execute("DELETE FROM fruit"); });
    EXPECT_EQ(e.Number(), odbc::kErrCallFailed);
    EXPECT_EQ(e.Description(),
              "The database cannot be changed while one of its recordsets is reading.");
    // Read to its end, the recordset lets go.
    rs->MoveLast();
    db->Execute("DELETE FROM fruit WHERE id = 3");
    EXPECT_EQ(RowsOf(*db, "SELECT id FROM fruit ORDER BY id"), "1\n2\n4\n");
    EXPECT_EQ(CLng(rs->RecordCount()), 4);
}

}  // namespace
}  // namespace cp::test
