// Rows read a page at a time from an SQLite table: the rows before a Null name, the searches that
// server mode makes, and the sources it refuses. The order of every row and each row's place, the
// Nulls, empty and equal names among them, are held by the scripts of server mode on this engine
// (ServerModeTest, ServerPlacesTest, ServerFarScrollTest), which meet every such boundary.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "data/KeyedRows.h"
#include "data/sqlite/SqliteErrors.h"
#include "tests/data/TempDatabase.h"
#include "tests/support/RecordsetChecks.h"

namespace cp::test {
namespace {

// Null, empty, differently cased and repeated entries, out of order.
constexpr const char* kNamedPlaces =
    "CREATE TABLE places (name TEXT, code TEXT);"
    "CREATE INDEX places_name ON places (name COLLATE NOCASE);"
    "INSERT INTO places VALUES ('Paris', 'FR'), (NULL, 'N1'), ('bern', 'CH'), ('', 'E1'),"
    "('Berlin', 'DE'), ('paris', 'TX'), (NULL, 'N2'), ('Oslo', 'NO'), ('x[', 'X1'),"
    "('Bern', 'B2'), ('x@', 'X2'), ('Rome', 'IT');";

class KeyedRowsTest : public ::testing::Test {
protected:
    TempDatabase file_{kNamedPlaces};
    std::shared_ptr<KeyedRows> rows_ = file_.Open()->OpenKeyedRows("places", "");
};

// The rows before a Null name are the nearest ones, so that paging up across more Nulls than
// one read holds shows each of them once and in order; its place counts the Nulls before it.
TEST_F(KeyedRowsTest, TheRowsBeforeANullNameAreTheNearestOnes) {
    file_.OpenWritable()->Execute("INSERT INTO places VALUES (NULL, 'N3'), (NULL, 'N4')");
    const auto nulls = rows_->RowsAfter(std::nullopt, 4);
    ASSERT_EQ(CodesOf(nulls), "N1 N2 N3 N4 ");
    EXPECT_EQ(CodesOf(rows_->RowsBefore(nulls[3].key, 2)), "N2 N3 ");
    EXPECT_EQ(rows_->CountBefore(nulls[3].key), 3);
}

TEST_F(KeyedRowsTest, PrefixAndValueFindTheFirstRowAndASourceMustBeReadable) {
    // The end of the range for '@' lies past the folded letters: "x[" does not begin with "x@".
    std::vector<std::string> codes;
    for (const char* prefix : {"b", "BERN", "pa", "Z", "Berlinx", "x@", "x["}) {
        const auto row = rows_->FirstWithPrefix(prefix);
        codes.push_back(row ? CStr(row->fields.at(1)) : "none");
    }
    EXPECT_EQ(codes, (std::vector<std::string>{"DE", "CH", "FR", "none", "none", "X2", "X1"}));

    // A value is looked for in its column; the first row that holds it is read.
    const auto row = rows_->FirstWithValue(1, Variant("NO"));
    ASSERT_TRUE(row);
    EXPECT_EQ(std::tuple(CStr(row->fields.at(0)), rows_->CountBefore(row->key)),
              std::tuple("Oslo", 6));
    EXPECT_FALSE(rows_->FirstWithValue(1, Variant("??")));
    EXPECT_FALSE(rows_->FirstWithValue(7, Variant("NO")));

    // A query needs its key named, and an unknown table is reported.
    const auto db = file_.Open();
    EXPECT_EQ(FailureOf([&] { db->OpenKeyedRows("SELECT name FROM places", ""); }).Number(),
              sqlite::kErrInvalidArgument);
    const auto query = db->OpenKeyedRows("SELECT code, name FROM places WHERE name > 'P'", "code");
    EXPECT_EQ(query->FieldNames(), (std::vector<std::string>{"code", "name"}));
    EXPECT_EQ(query->RowsAfter(std::nullopt, 10).size(), 6u);
    EXPECT_EQ(FailureOf([&] { db->OpenKeyedRows("nowhere", ""); }).Number(),
              sqlite::kErrInputTableNotFound);
    EXPECT_EQ(FailureOf([&] { db->OpenKeyedRows("DELETE FROM places", "code"); }).Number(),
              sqlite::kEngineBase + 1);
}

TEST(FoldedPrefixEnd, EndsTheRangeOfEveryEntryThatBeginsWithThePrefix) {
    std::vector<std::string> ends;
    for (const char* prefix : {"", "Ab", "x@", "z", "a\xFF"})
        ends.push_back(FoldedPrefixEnd(prefix));
    EXPECT_EQ(ends, (std::vector<std::string>{"", "ac", "x[", "{", "b"}));
}

}  // namespace
}  // namespace cp::test
