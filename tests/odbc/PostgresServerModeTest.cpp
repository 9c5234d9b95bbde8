// Server mode on the private PostgreSQL server: a query's rows are read a page at a time only
// with their key named. What the list on the server shows is held against the same rows in
// memory on PostgreSQL by the far script of PostgresEstimatedServerModeTest.cpp, and the
// keyed reads that PostgreSQL shares with SQLite's ODBC driver by the scripts of
// SqliteOdbcServerModeTest.cpp and of the server scenarios.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/odbc/OdbcDatabase.h"
#include "data/rows/RowBlock.h"
#include "runtime/Conversions.h"
#include "tests/odbc/OdbcTestSupport.h"

namespace cp::test {
namespace {

class PostgresServerModeTest : public ::testing::Test {
protected:
    std::shared_ptr<odbc::OdbcDatabase> db_ = odbc::OdbcDatabase::Open(PostgresConnection());
};

// A typed text is folded by the same lower() as the entries: a capital beyond ASCII finds what
// its small letter finds, and a wildcard is a letter like any other.
TEST_F(PostgresServerModeTest, ATypedTextIsFoldedAsTheEntriesAre) {
    db_->Execute(
        "CREATE TEMP TABLE typed (name TEXT, code TEXT PRIMARY KEY);"
        "INSERT INTO typed VALUES ('Österreich', 'AT'), ('Éire', 'IE'), ('ö%x', 'PCT')");
    const auto rows = db_->OpenKeyedRows("typed", "");
    std::string found;
    for (const char* typed : {"ö", "Ö", "É", "ö%", "ö_"}) {
        const std::optional<KeyedRow> row = rows->FirstWithPrefix(typed);
        found += (row ? CStr(row->fields[1]) : std::string("none")) + " ";
    }
    EXPECT_EQ(found, "PCT PCT IE PCT none ");
}

// Pages are read on from an entry folded as the first field is: in the field's own collation,
// and as text where the field holds numbers.
TEST_F(PostgresServerModeTest, PagesReadEveryRowWhateverTheFirstFieldAndAQueryNeedsItsKey) {
    db_->Execute(
        "CREATE TEMP TABLE collated (name TEXT COLLATE \"C\", code TEXT PRIMARY KEY);"
        "INSERT INTO collated VALUES ('apple', 'A1'), ('Äpfel', 'A2'), ('Ärger', 'A3'),"
        " ('Öl', 'A4'), ('zebra', 'A5');"
        "CREATE TEMP TABLE zips (zip INTEGER, code TEXT PRIMARY KEY);"
        "INSERT INTO zips VALUES (80331, 'M'), (10115, 'B'), (20095, 'HH')");
    EXPECT_EQ(PagedByKey(*db_->OpenKeyedRows("collated", "")), "A1 A5 A2 A3 A4 ");
    EXPECT_EQ(PagedByKey(*db_->OpenKeyedRows("zips", "")), "B HH M ");
    // A query is read a page at a time only with its key named.
    EXPECT_EQ(FailureOf([&] { db_->OpenKeyedRows("SELECT name FROM server_places", ""); }).Number(),
              rows::kErrInvalidArgument);
}

// A key is compared as the host's "=" compares it, whatever the field's type: a number never
// equals a text, numbers, Booleans and dates equal by their value, and the server is never
// asked to compare values it cannot.
TEST_F(PostgresServerModeTest, AValueFindsTheRowThatTheHostsEqualityFinds) {
    db_->Execute(
        "CREATE TEMP TABLE keyed (name TEXT, code TEXT PRIMARY KEY, id INTEGER, yes BOOLEAN,"
        " day DATE); INSERT INTO keyed VALUES ('five', '5', 5, true, '2024-02-29'),"
        " ('six', '6', 6, false, '2024-03-01')");
    const auto rows = db_->OpenKeyedRows("keyed", "");
    std::string found;
    for (const auto& [field, key] :
         std::vector<std::pair<int, Variant>>{{1, Variant("6")},
                                              {1, Variant(std::int32_t{6})},
                                              {2, Variant(6.0)},
                                              {2, Variant("6")},
                                              {3, Variant(false)},
                                              {4, Variant(Date{45352.0})}}) {
        const std::optional<KeyedRow> row = rows->FirstWithValue(field, key);
        found += (row ? CStr(row->fields[0]) : std::string("none")) + " ";
    }
    EXPECT_EQ(found, "six none six none six six ");
}

}  // namespace
}  // namespace cp::test
