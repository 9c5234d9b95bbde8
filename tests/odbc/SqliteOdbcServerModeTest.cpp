// Server mode on an SQLite file through SQLite's ODBC driver, the way the component reads a file
// on Windows: the same user and host steps on the rows filled into memory and in server mode,
// key fields, and the searches through the file's FTS5 tables. A quote in a typed text or a value
// stays text in every literal of the reads, as PostgresTextSearchTest finds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/odbc/OdbcDatabase.h"
#include "data/rows/RowBlock.h"
#include "runtime/RuntimeError.h"
#include "tests/odbc/OdbcTestSupport.h"
#include "tests/support/sim/ServerModeScript.h"

namespace cp::test {
namespace {

// The places of the other tests of server mode.
const std::string kPlaces = SqlitePlaces(3000);

class SqliteOdbcServerModeTest : public ::testing::Test {
protected:
    void SetUp() override { db_->Execute(kPlaces); }

    ScratchFile file_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::shared_ptr<odbc::OdbcDatabase> db_ = odbc::OdbcDatabase::Open(file_.Connection());
};

TEST_F(SqliteOdbcServerModeTest, TheListOnTheFileBehavesAsTheSameRowsInMemory) {
    const std::vector<Seen> memory = RunScript(FillFrom(*db_, kPlacesInOrder));
    ExpectSameSteps(RunScript(ConnectTo(*db_, "places")), memory);
    ExpectScriptReached(memory);
}

TEST_F(SqliteOdbcServerModeTest, AMissingKeyFieldIsRefusedAndTheLastRowsRunOnIntoNullNames) {
    // A double-quoted name the driver cannot resolve would be the same text on every row.
    EXPECT_THROW(db_->OpenKeyedRows("places", "no_such_field"), RuntimeError);
    EXPECT_THROW(db_->OpenKeyedRows("SELECT name, code FROM places", "no_such_field"),
                 RuntimeError);
    EXPECT_EQ(db_->OpenKeyedRows("places", "code")->Count(), 3000);

    // The last rows of a list with fewer names than one read holds run on into the Null names,
    // which come first.
    db_->Execute("DELETE FROM places WHERE name IS NOT NULL AND rowid > 3");
    EXPECT_EQ(CodesOf(db_->OpenKeyedRows("places", "code")->LastRows(4)),
              "C02500 C00001 C00002 C00003 ");
}

// Rows of one name page on by their keys beyond 32 bits, each row once.
TEST_F(SqliteOdbcServerModeTest, KeysBeyond32BitsPageOnEachRowOnce) {
    db_->Execute(
        "CREATE TABLE p (name TEXT, code TEXT);"
        "INSERT INTO p (rowid, name, code) VALUES (5000000001, 'same', 'c1'), "
        "(5000000002, 'same', 'c2'), (5000000003, 'same', 'c3');");
    EXPECT_EQ(PagedByKey(*db_->OpenKeyedRows("p", "")), "c1 c2 c3 ");
}

// A text key finds through the file's FTS5 table what the rowid finds; an FTS5 table that
// holds its own texts cannot lead to a text key and is refused, saying what to create.
TEST_F(SqliteOdbcServerModeTest, ATextKeyFindsWhatTheRowidFinds) {
    db_->Execute(
        "CREATE VIRTUAL TABLE places_trigram USING fts5(name, content='places', "
        "tokenize='trigram');"
        "INSERT INTO places_trigram(places_trigram) VALUES ('rebuild');"
        "CREATE VIRTUAL TABLE places_words USING fts5(name);"
        "INSERT INTO places_words(rowid, name) SELECT rowid, name FROM places;");
    const TextMatch any{"A 39", FieldSearch{FieldMatch::Contains, {0}}};
    const std::string byRowid = MatchedCodes(*db_->OpenKeyedRows("places", ""), any);
    const auto byCode = db_->OpenKeyedRows("places", "code");
    EXPECT_NO_THROW(byCode->CheckSearch(*any.search));
    EXPECT_EQ(MatchedCodes(*byCode, any), byRowid);
    EXPECT_FALSE(byRowid.starts_with("last")) << byRowid;

    const RuntimeError refused = FailureOf([&] {
        byCode->CheckSearch({FieldMatch::WordStart, {0}});
    });
    EXPECT_EQ(refused.Number(), rows::kErrNotSupported);
    EXPECT_NE(refused.Description().find("content='places'"), std::string::npos)
        << refused.Description();
    EXPECT_NO_THROW(db_->OpenKeyedRows("places", "")->CheckSearch({FieldMatch::WordStart, {0}}));
}

}  // namespace
}  // namespace cp::test
