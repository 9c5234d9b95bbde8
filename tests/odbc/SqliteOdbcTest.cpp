// The ODBC database layer through a second driver, SQLite's, which cannot read a long value out
// of a block: it fetches row by row then, and the values and failures come out the same.
#include <gtest/gtest.h>

#include <string>

#include "data/odbc/OdbcDatabase.h"
#include "data/odbc/OdbcErrors.h"
#include "runtime/Conversions.h"
#include "tests/odbc/OdbcTestSupport.h"

namespace cp::test {
namespace {

class SqliteOdbcTest : public ::testing::Test {
protected:
    SqliteOdbcTest() {
        db_->Execute(
            "CREATE TABLE fruit (id INTEGER, name TEXT, price REAL, picked DATE, photo BLOB);"
            "INSERT INTO fruit VALUES (1, 'äpple', 0.5, '2024-02-29', NULL);"
            "INSERT INTO fruit VALUES (2, NULL, NULL, NULL, x'00ff');");
    }

    ScratchFile file_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::shared_ptr<odbc::OdbcDatabase> db_ = odbc::OdbcDatabase::Open(file_.Connection());
};

TEST_F(SqliteOdbcTest, RowsKeepTheirValuesAndLongTextArrivesWhole) {
    db_->Execute("INSERT INTO fruit (id, name) SELECT 3, '<' || hex(zeroblob(500000)) || '>';");
    auto rs = db_->OpenRecordset("SELECT id, name, price, picked FROM fruit ORDER BY id", 4);
    ASSERT_EQ(CLng(rs->RecordCount()), 3);
    const Variant rows = rs->GetRows(3);
    const VariantArray& block = Block(rows);
    EXPECT_EQ(block.At(0, 0).Type(), VarType::Long);
    EXPECT_EQ(CStr(block.At(1, 0)), "äpple");
    EXPECT_EQ(block.At(2, 0).Number(), 0.5);
    EXPECT_EQ(block.At(3, 0).Type(), VarType::Date);
    for (int field = 1; field < 4; ++field)
        EXPECT_TRUE(block.At(field, 1).IsNull()) << "field " << field;
    const std::string& whole = block.At(1, 2).String();
    EXPECT_EQ(whole.size(), 1000002u);
    EXPECT_EQ(whole.back(), '>');

    // SQLite keeps 64 bits in every integer column, whatever type the column declares and the
    // driver reports: no value comes out wrapped.
    db_->Execute(
        "CREATE TABLE n (i INT, m MEDIUMINT, s SMALLINT, t TINYINT);"
        "INSERT INTO n VALUES (3000000000, -3000000000, 100000, 7);");
    EXPECT_EQ(RowsOf(*db_, "SELECT * FROM n"), "3000000000|-3000000000|100000|7\n");
}

TEST_F(SqliteOdbcTest, FailuresCarryTheNumbersTheFillsKnow) {
    EXPECT_EQ(FailureOf([&] { db_->OpenRecordset("SELECT nme FROM fruit", 4); }).Number(),
              kErrTooFewParameters);
    const RuntimeError table = FailureOf([&] { db_->OpenRecordset("fruits", 4); });
    EXPECT_EQ(table.Number(), kErrInputTableNotFound);
    EXPECT_NE(table.Description().find("no such table: fruits"), std::string::npos);
    EXPECT_EQ(FailureOf([&] { db_->OpenRecordset("SELECT photo FROM fruit", 4); }).Number(),
              vberr::TypeMismatch);
}

}  // namespace
}  // namespace cp::test
