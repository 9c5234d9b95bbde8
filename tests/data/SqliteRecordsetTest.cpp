// The SQLite database layer: what each kind of recordset counts, how it moves, what GetRows
// hands out, how SQL values become Variants, and which numbers its failures carry.
#include <gtest/gtest.h>

#include "data/sqlite/SqliteDatabase.h"
#include "data/sqlite/SqliteErrors.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "tests/data/TempDatabase.h"
#include "tests/support/RecordsetChecks.h"

namespace cp::test {
namespace {

constexpr const char* kFruit =
    "CREATE TABLE fruit (id INTEGER, name TEXT, price REAL);"
    "INSERT INTO fruit VALUES (1, 'apple', 0.5), (2, 'pear', NULL), (3, 'plum', 1.25);"
    "CREATE VIEW cheap AS SELECT name FROM fruit WHERE price < 1;";

class SqliteRecordsetTest : public ::testing::Test {
protected:
    TempDatabase file_{kFruit};
    std::shared_ptr<sqlite::SqliteDatabase> db_ = file_.Open();
};

TEST_F(SqliteRecordsetTest, EachKindOfRecordsetCountsMovesAndHandsOutFieldByRowBlocks) {
    auto rs = db_->OpenRecordset("SELECT id, name FROM fruit ORDER BY id", dbOpenSnapshot);
    EXPECT_EQ(CLng(rs->RecordCount()), 3);
    EXPECT_FALSE(CBool(rs->Eof()));

    EXPECT_EQ(BlockText(rs->GetRows(2)), "1|apple\n2|pear\n");
    // Asking for more than is left delivers what is left, then the end of file.
    EXPECT_EQ(BlockText(rs->GetRows(10)), "3|plum\n");
    EXPECT_TRUE(CBool(rs->Eof()));
    EXPECT_EQ(FailureOf([&] { rs->GetRows(1); }).Number(), sqlite::kErrNoCurrentRecord);

    rs->MoveFirst();
    EXPECT_EQ(BlockText(rs->GetRows(1)), "1|apple\n");
    rs->MoveLast();
    EXPECT_EQ(BlockText(rs->GetRows(5)), "3|plum\n");

    rs->Close();
    EXPECT_EQ(FailureOf([&] { rs->RecordCount(); }).Number(), sqlite::kErrClosed);
    EXPECT_EQ(FailureOf([&] { rs->Close(); }).Number(), sqlite::kErrClosed);

    // A dynaset counts only once it has reached its last row.
    rs = db_->OpenRecordset("SELECT name FROM fruit ORDER BY id", dbOpenDynaset);
    EXPECT_LT(CLng(rs->RecordCount()), 1);
    EXPECT_FALSE(CBool(rs->Eof()));
    rs->MoveLast();
    EXPECT_EQ(CLng(rs->RecordCount()), 3);
    rs->MoveFirst();
    EXPECT_EQ(BlockText(rs->GetRows(3)), "apple\npear\nplum\n");

    auto empty = db_->OpenRecordset("SELECT name FROM fruit WHERE id > 9", dbOpenDynaset);
    EXPECT_TRUE(CBool(empty->Eof()));
    EXPECT_EQ(FailureOf([&] { empty->MoveLast(); }).Number(), sqlite::kErrNoCurrentRecord);
    EXPECT_EQ(CLng(empty->RecordCount()), 0);

    // A forward-only recordset reads once and refuses to move.
    rs = db_->OpenRecordset("SELECT id FROM fruit ORDER BY id", dbOpenForwardOnly);
    EXPECT_EQ(CLng(rs->RecordCount()), -1);
    EXPECT_EQ(FailureOf([&] { rs->MoveLast(); }).Number(), sqlite::kErrNotSupported);
    EXPECT_EQ(FailureOf([&] { rs->MoveFirst(); }).Number(), sqlite::kErrNotSupported);
    EXPECT_EQ(BlockText(rs->GetRows(2)), "1\n2\n");
    EXPECT_EQ(BlockText(rs->GetRows(2)), "3\n");
    EXPECT_TRUE(CBool(rs->Eof()));
}

TEST_F(SqliteRecordsetTest, SqlValuesKeepTheirKinds) {
    db_ = file_.OpenWritable();
    db_->Execute(
        "CREATE TABLE v (a, b, c, d, e, f); INSERT INTO v VALUES "
        "(2147483647, -2147483648, 2147483648, 2.5, 'Zürich', NULL);");
    const Variant rows = db_->OpenRecordset("v", dbOpenSnapshot)->GetRows(1);
    std::vector<std::string> kinds;  // each entry's type and text
    for (const Variant& entry : Block(rows).Elements())
        kinds.push_back(std::to_string(static_cast<int>(entry.Type())) + " " + DisplayText(entry));
    EXPECT_EQ(kinds, (std::vector<std::string>{"3 2147483647", "3 -2147483648", "5 2147483648",
                                               "5 2.5", "8 Zürich", "1 "}));

    db_->Execute(
        "CREATE TABLE pictures (name TEXT, data BLOB);"
        "INSERT INTO pictures VALUES ('logo', x'89504E47');");
    const RuntimeError blob = FailureOf([&] { db_->OpenRecordset("pictures", dbOpenSnapshot); });
    EXPECT_EQ(blob.Number(), vberr::TypeMismatch);
    EXPECT_NE(blob.Description().find("data"), std::string::npos) << blob.Description();
}

TEST_F(SqliteRecordsetTest, LargeResultsComeBackIntactPieceByPiece) {
    // Rows of up to 600 bytes, many megabytes in all: the kept rows span many chunks.
    db_ = file_.OpenWritable();
    db_->Execute(
        "CREATE TABLE big (id INTEGER, text TEXT);"
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 19999)"
        " INSERT INTO big SELECT i, hex(zeroblob(i % 300)) FROM n;");
    auto rs = db_->OpenRecordset("SELECT id, text FROM big ORDER BY id", dbOpenDynaset);
    const auto check = [](const VariantArray& block, std::int32_t firstId) {
        for (std::int32_t r = 0; r < block.Extent(1); ++r) {
            const std::int32_t id = CLng(block.At(0, r));
            ASSERT_EQ(id, firstId + r);
            ASSERT_EQ(block.At(1, r).String().size(), static_cast<std::size_t>(id % 300 * 2));
        }
    };
    std::int32_t next = 0;
    while (!CBool(rs->Eof())) {
        const Variant piece = rs->GetRows(7777);
        check(Block(piece), next);
        next += Block(piece).Extent(1);
    }
    EXPECT_EQ(next, 20000);
    rs->MoveFirst();
    const Variant all = rs->GetRows(20000);
    check(Block(all), 0);
    rs->MoveLast();
    check(Block(rs->GetRows(1)), 19999);
}

TEST_F(SqliteRecordsetTest, TablesAndViewsOpenByName) {
    EXPECT_EQ(CLng(db_->OpenRecordset("FRUIT", dbOpenSnapshot)->RecordCount()), 3);
    EXPECT_EQ(CLng(db_->OpenRecordset(" [cheap] ", dbOpenSnapshot)->RecordCount()), 1);
    EXPECT_EQ(CLng(db_->OpenRecordset("SELECT * FROM fruit; -- all\n", 4)->RecordCount()), 3);
    EXPECT_EQ(db_->Name(), file_.Path());
    // A recordset keeps its file open after the database object has gone.
    auto rs = db_->OpenRecordset("fruit", dbOpenDynaset);
    db_.reset();
    rs->MoveLast();
    EXPECT_EQ(CLng(rs->RecordCount()), 3);
}

TEST_F(SqliteRecordsetTest, FailuresCarryTheNumbersTheFillsKnowAndNeverChangeTheFile) {
    struct Case {
        const char* query;
        std::int32_t number;
        const char* description;
    };
    const Case cases[] = {
        {"SELECT nme FROM fruit", kErrTooFewParameters, "no such column: nme"},
        {"SELECT \"nme\" FROM fruit", kErrTooFewParameters, "no such column: nme"},
        {"SELECT name FROM fruit WHERE id = ?", kErrTooFewParameters,
         "Too few parameters. Expected 1."},
        {"SELECT name FROM fruits", kErrInputTableNotFound, "no such table: fruits"},
        {"vegetables", kErrInputTableNotFound, "no such table or query: vegetables"},
        {"SELEC name FROM fruit", sqlite::kEngineBase + 1, "near \"SELEC\": syntax error"},
        {"SELECT 1; DROP TABLE fruit", sqlite::kErrTextAfterStatement, ""},
        {"DELETE FROM fruit", sqlite::kErrNotARowQuery, ""},
        {"", sqlite::kErrInvalidArgument, ""},
    };
    db_ = file_.OpenWritable();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const RuntimeError e =
            FailureOf([&] { db_->OpenRecordset(cases[i].query, dbOpenSnapshot); });
        EXPECT_EQ(e.Number(), cases[i].number) << "case " << i << ": " << cases[i].query;
        if (*cases[i].description) {
            EXPECT_EQ(e.Description(), cases[i].description) << "case " << i;
        }
    }
    // Neither the second statement nor the delete ran.
    EXPECT_EQ(CLng(db_->OpenRecordset("fruit", dbOpenSnapshot)->RecordCount()), 3);
    EXPECT_EQ(FailureOf([&] { db_->OpenRecordset("fruit", 3); }).Number(),
              sqlite::kErrInvalidArgument);
    EXPECT_EQ(FailureOf([&] { sqlite::SqliteDatabase::Open(file_.Path() + ".missing"); }).Number(),
              sqlite::kEngineBase + 14);

    // Opened for writing, the file still changes only through Execute: the fault's statements
    // are refused before they run, and a statement that passes for reading cannot write either.
    db_->Execute("CREATE INDEX fruit_names ON fruit (name)");
    const std::string before = RowsOf(*db_, "SELECT * FROM fruit ORDER BY id");
    const char* refused[] = {
        "DELETE FROM fruit WHERE id = 1 RETURNING id",
        "UPDATE fruit SET name = 'gone' RETURNING id",
        "WITH c AS (SELECT 1) DELETE FROM fruit WHERE id = 1 RETURNING id",
        "SELECT 1; DELETE FROM fruit",
        "SELECT id FROM fruit; DROP TABLE fruit",
    };
    for (const char* query : refused) {
        const std::int32_t number = FailureOf([&] { db_->OpenRecordset(query, 4); }).Number();
        EXPECT_TRUE(number == sqlite::kErrNotARowQuery || number == sqlite::kErrTextAfterStatement)
            << query << ": " << number;
        EXPECT_EQ(RowsOf(*db_, "SELECT * FROM fruit ORDER BY id"), before) << query;
    }
    // After a search by the index, PRAGMA optimize would write the statistics it lacks.
    RowsOf(*db_, "SELECT id FROM fruit WHERE name = 'pear'");
    EXPECT_EQ(FailureOf([&] { RowsOf(*db_, "PRAGMA optimize"); }).Number(),
              sqlite::kEngineBase + 8);
    EXPECT_EQ(RowsOf(*db_, "SELECT count(*) FROM sqlite_master WHERE name = 'sqlite_stat1'"),
              "0\n");
    db_->Execute("DELETE FROM fruit WHERE id = 3");
    EXPECT_EQ(RowsOf(*db_, "SELECT id FROM fruit ORDER BY id"), "1\n2\n");
}

TEST(SampleDatabase, HoldsCountriesCurrenciesAndLanguages) {
    auto db = sqlite::SqliteDatabase::Open(CP_SAMPLE_DATABASE);
    EXPECT_GT(CLng(db->OpenRecordset("countries", dbOpenSnapshot)->RecordCount()), 200);
    EXPECT_GT(CLng(db->OpenRecordset("currencies", dbOpenSnapshot)->RecordCount()), 100);
    auto rs = db->OpenRecordset("SELECT code, name, numeric FROM countries WHERE code = 'DE'",
                                dbOpenSnapshot);
    const Variant row = rs->GetRows(1);
    EXPECT_EQ(BlockText(row), "DE|Germany|276\n");
    EXPECT_EQ(Block(row).At(2, 0).Type(), VarType::Long);
    auto nulls = db->OpenRecordset(
        "SELECT official_name FROM countries WHERE official_name IS NULL", dbOpenSnapshot);
    EXPECT_GT(CLng(nulls->RecordCount()), 0);
    EXPECT_EQ(Block(db->OpenRecordset("living_languages", dbOpenDynaset)->GetRows(1)).Extent(0), 3);
}

}  // namespace
}  // namespace cp::test
