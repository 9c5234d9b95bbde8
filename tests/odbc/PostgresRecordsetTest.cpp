// The ODBC database layer against a real PostgreSQL server: what the values of each type become,
// how long texts and big results arrive, and what every failure reports. Each test works on
// temporary tables of its own connection, so nothing is left behind on the server.
#include <gtest/gtest.h>

#include <iomanip>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "data/odbc/OdbcDatabase.h"
#include "data/odbc/OdbcErrors.h"
#include "data/rows/RowBlock.h"
#include "runtime/Conversions.h"
#include "tests/odbc/OdbcTestSupport.h"

namespace cp::test {
namespace {

using odbc::OdbcDatabase;

constexpr std::int32_t kDays20240229 = 45351;  // 29 February 2024 as a Date serial

// A value as its type's number and, but for Null, its text: a Double, Single or Date (its
// serial) to its last digit, anything else as CStr gives it.
std::string KindOf(const Variant& v) {
    std::ostringstream kind;
    kind << static_cast<int>(v.Type());
    if (v.IsNull()) return kind.str();
    kind << " " << std::setprecision(17);
    if (v.Type() == VarType::Date || v.Type() == VarType::Double || v.Type() == VarType::Single)
        kind << v.Number();
    else
        kind << CStr(v);
    return kind.str();
}

class PostgresRecordsetTest : public ::testing::Test {
protected:
    std::shared_ptr<OdbcDatabase> db_ = OdbcDatabase::Open(PostgresConnection());

    std::string Contains(const std::string& text, const std::string& part) {
        return text.find(part) == std::string::npos ? text + " lacks " + part : "";
    }
};

TEST_F(PostgresRecordsetTest, ValuesKeepTheirTypesAndNullStaysNull) {
    // The driver hands booleans out as text unless told otherwise.
    db_ = OdbcDatabase::Open(PostgresConnection("BoolsAsChar=0"));
    db_->Execute(
        "CREATE TEMP TABLE t (i integer, s smallint, b bigint, huge bigint, r real, "
        "d double precision, ok boolean, price numeric(8,2), day date, at time, stamp timestamp, "
        "old timestamp, name text);"
        "INSERT INTO t VALUES (-7, 12, 1099511627776, 9007199254740993, 1.5, 0.1, true, 12.50, "
        "'2024-02-29', '18:00', '2024-02-29 06:00:00.5', '1850-06-01 06:00', 'Ærø – 東京 😀');"
        "INSERT INTO t VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,"
        " NULL, NULL);");
    auto rs = db_->OpenRecordset("t", dbOpenSnapshot);
    EXPECT_EQ(CLng(rs->RecordCount()), 2);
    const Variant rows = rs->GetRows(2);
    const VariantArray& block = Block(rows);
    ASSERT_EQ(block.Extent(0), 13);
    ASSERT_EQ(block.Extent(1), 2);

    // A big integer keeps its digits as text, beyond 2^53 where a Double would round it; before
    // the base date the time of day still counts away from it. The timestamp with half a second
    // (field 10) is held to within rounding below.
    std::vector<std::string> kinds;
    for (const int field : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12})
        kinds.push_back(KindOf(block.At(field, 0)));
    EXPECT_EQ(kinds,
              (std::vector<std::string>{"3 -7", "2 12", "5 1099511627776", "8 9007199254740993",
                                        "4 1.5", "5 0.10000000000000001", "11 True", "5 12.5",
                                        "7 45351", "7 0.75", "7 -18109.25", "8 Ærø – 東京 😀"}));
    EXPECT_DOUBLE_EQ(block.At(10, 0).Get<Date>()->serial, kDays20240229 + 0.25 + 0.5 / 86400);
    for (int field = 0; field < 13; ++field)
        EXPECT_TRUE(block.At(field, 1).IsNull()) << "field " << field;
}

TEST_F(PostgresRecordsetTest, LongTextArrivesWholeAmongBlocksOfShortRows) {
    db_->Execute(
        "CREATE TEMP TABLE t AS SELECT g AS id, CASE WHEN g = 1500 THEN repeat('é', 1000000) "
        "|| 'end' ELSE 'row ' || g END AS note, g * 0.5 AS half FROM generate_series(1, 3000) g");
    auto rs = db_->OpenRecordset("SELECT id, note, half FROM t ORDER BY id", dbOpenSnapshot);
    ASSERT_EQ(CLng(rs->RecordCount()), 3000);
    const Variant rows = rs->GetRows(3000);
    const VariantArray& block = Block(rows);
    ASSERT_EQ(block.Extent(1), 3000);
    for (std::int32_t row = 0; row < 3000; ++row) {
        ASSERT_EQ(CLng(block.At(0, row)), row + 1) << "row " << row;
        ASSERT_EQ(block.At(2, row).Number(), (row + 1) * 0.5) << "row " << row;
        if (row != 1499) {
            ASSERT_EQ(CStr(block.At(1, row)), "row " + std::to_string(row + 1));
        }
    }
    const std::string& whole = block.At(1, 1499).String();
    EXPECT_EQ(whole.size(), 2000003u);
    EXPECT_EQ(whole.substr(0, 4), "éé");
    EXPECT_EQ(whole.substr(whole.size() - 5), "éend");
}

// A block's cells are the driver's to write: a block that takes the place of one full of long
// texts hands out each value of the next result exactly, however short, empty or Null.
TEST_F(PostgresRecordsetTest, AFreshBlockHandsOutOnlyWhatTheDriverWroteIntoIt) {
    const auto read = [&](const std::string& sql) {
        auto rs = db_->OpenRecordset(sql, dbOpenForwardOnly);
        Variant rows = rs->GetRows(5000);
        rs->Close();
        return rows;
    };
    for (int pass = 0; pass < 3; ++pass)
        read("SELECT g, repeat(chr(65 + g % 26), 200), g * 1.5 FROM generate_series(1, 3000) g");
    const Variant rows = read(
        "SELECT CASE WHEN g % 3 = 0 THEN NULL ELSE g END, CASE g % 4 WHEN 0 THEN NULL WHEN 1 "
        "THEN '' WHEN 2 THEN 'b' ELSE 'cd' END FROM generate_series(1, 3000) g");
    const std::string texts[] = {"Null", "", "b", "cd"};
    std::string expected;
    for (int g = 1; g <= 3000; ++g)
        expected += (g % 3 == 0 ? "Null" : std::to_string(g)) + "|" + texts[g % 4] + "\n";
    EXPECT_EQ(BlockText(rows), expected);
}

// Server mode's reads are sent to the server without being prepared first: their values come
// out as a recordset's do, each type and each Null.
TEST_F(PostgresRecordsetTest, KeyedReadsHandOutARecordsetsValuesAndFindAValuesFirstRow) {
    db_->Execute(
        "CREATE TEMP TABLE k (name text, id integer PRIMARY KEY, day date, price numeric(8,2), "
        "ratio double precision);"
        "INSERT INTO k VALUES ('Bern', 2, '2024-02-29', 12.50, 0.25), ('aarau', 7, NULL, NULL, "
        "NULL), ('Chur', 1, '1850-06-01', 3.00, -1.5)");
    const std::shared_ptr<KeyedRows> keyed = db_->OpenKeyedRows("k", "");
    // Each value, row after row.
    const auto kinds = [](const auto& values) {
        std::vector<std::string> out;
        for (const Variant& v : values)
            out.push_back(KindOf(v));
        return out;
    };
    std::vector<Variant> read;
    for (const KeyedRow& row : keyed->RowsAfter(std::nullopt, 10))
        read.insert(read.end(), row.fields.begin(), row.fields.end());
    auto rs = db_->OpenRecordset("SELECT * FROM k ORDER BY lower(name) COLLATE \"C\", id",
                                 dbOpenSnapshot);
    EXPECT_EQ(kinds(read), kinds(Block(rs->GetRows(10)).Elements()));
    EXPECT_EQ(CLng(keyed->FirstWithValue(1, Variant(std::int32_t{7}))->fields[1]), 7);

    // A source that hides a second statement is refused before the server sees it.
    FailureOf([&] { db_->OpenKeyedRows("SELECT name, id FROM k; DELETE FROM k", "id"); });
    EXPECT_EQ(RowsOf(*db_, "SELECT count(*) FROM k"), "3\n");

    // A value held by several rows is found in the first of them in the list's order, where the
    // rows without a name come first, although the server's own order puts them last.
    db_->Execute(
        "CREATE TEMP TABLE v (name text, id integer PRIMARY KEY, tag text);"
        "INSERT INTO v VALUES ('a', 1, 'x'), (NULL, 2, 'x')");
    EXPECT_EQ(CLng(db_->OpenKeyedRows("v", "")->FirstWithValue(2, Variant("x"))->fields[1]), 2);
}

TEST_F(PostgresRecordsetTest, NamesOpenTablesAndNameFieldsInEveryKindOfRecordset) {
    db_->Execute(
        "CREATE TEMP TABLE \"Länder\" (\"Straße\" text); INSERT INTO \"Länder\" VALUES ('Öl');"
        "CREATE TEMP TABLE fruit (name text); INSERT INTO fruit VALUES ('plum');");
    EXPECT_EQ(RowsOf(*db_, "SELECT \"Straße\" FROM \"Länder\""), "Öl\n");
    // A plain name is spelt as the server spells names, a quoted one exactly.
    EXPECT_EQ(CLng(db_->OpenRecordset("FRUIT", dbOpenSnapshot)->RecordCount()), 1);
    EXPECT_EQ(FailureOf([&] { db_->OpenRecordset("\"FRUIT\"", 4); }).Number(),
              kErrInputTableNotFound);

    // Fields are named as the query names them, in every kind of recordset.
    using Names = std::vector<std::string>;
    db_->Execute(
        "CREATE TEMP TABLE land (name text, code integer); INSERT INTO land VALUES "
        "('Österreich', 40);");
    const std::string query = "SELECT name AS \"Straße\", code, code * 2 AS Twice FROM land";
    // The server folds an unquoted alias to lower case; a quoted one stays as written.
    const Names expected{"Straße", "code", "twice"};
    for (const std::int32_t type : {dbOpenSnapshot, dbOpenDynaset, dbOpenForwardOnly})
        EXPECT_EQ(db_->OpenRecordset(query, type)->FieldNames(), expected) << type;
    // Names outlive the rows: a recordset read to its end and closed still has them.
    auto rs = db_->OpenRecordset("land", dbOpenSnapshot);
    rs->GetRows(5);
    rs->Close();
    EXPECT_EQ(rs->FieldNames(), (Names{"name", "code"}));
}

TEST_F(PostgresRecordsetTest, FailuresCarryTheNumbersTheFillsKnowAndTheServersWords) {
    db_->Execute(
        "CREATE TEMP TABLE fruit (id integer, name text, picture bytea);"
        "INSERT INTO fruit VALUES (1, 'apple', '\\x0102');");
    struct Case {
        const char* query;
        std::int32_t number;
        const char* words;
    };
    const Case cases[] = {
        {"SELECT name FROM fruit WHERE id = ?", kErrTooFewParameters, "Expected 1."},
        {"vegetables", kErrInputTableNotFound, "(42P01)"},
        {"SELEC name FROM fruit", odbc::kErrCallFailed, "syntax error"},
        {"SELECT picture FROM fruit", vberr::TypeMismatch, "the field picture holds binary data"},
        {"DELETE FROM fruit", rows::kErrNotARowQuery, "only a query that reads rows"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const RuntimeError e =
            FailureOf([&] { db_->OpenRecordset(cases[i].query, dbOpenSnapshot); });
        EXPECT_EQ(e.Number(), cases[i].number) << "case " << i << ": " << e.Description();
        EXPECT_EQ(Contains(e.Description(), cases[i].words), "") << "case " << i;
    }
    // The delete was refused before it ran.
    EXPECT_EQ(CLng(db_->OpenRecordset("SELECT id FROM fruit", 4)->RecordCount()), 1);
    EXPECT_EQ(FailureOf([&] { db_->OpenRecordset("fruit", 3); }).Number(),
              rows::kErrInvalidArgument);
}

TEST_F(PostgresRecordsetTest, AFailedConnectionSaysWhyAndANameHidesThePassword) {
    const RuntimeError down = FailureOf([] { OdbcDatabase::Open(UnreachableConnection()); });
    EXPECT_EQ(down.Number(), odbc::kErrConnectionFailed);
    EXPECT_EQ(Contains(down.Description(), "(08001)"), "");

    const RuntimeError refused =
        FailureOf([] { OdbcDatabase::Open(PostgresConnection("UID=nobody")); });
    EXPECT_EQ(refused.Number(), odbc::kErrConnectionFailed);
    EXPECT_EQ(Contains(refused.Description(), "\"nobody\" does not exist"), "");

    // The name of a connection that succeeds hides its password.
    auto db = OdbcDatabase::Open(PostgresConnection("PWD={not;this}"));
    EXPECT_EQ(db->Name(), PostgresConnection());
}

// Read through a server-side cursor, a result arrives block by block, so a failure can come
// half-way through it.
TEST_F(PostgresRecordsetTest, AQueryThatFailsHalfWayOrLosesItsConnectionReportsTheError) {
    auto db = OdbcDatabase::Open(PostgresConnection("UseDeclareFetch=1;Fetch=100"));
    const char* query = "SELECT g, 1 / (1500 - g) AS q FROM generate_series(1, 3000) g";
    auto rs = db->OpenRecordset(query, dbOpenDynaset);
    EXPECT_EQ(Block(rs->GetRows(1000)).Extent(1), 1000);
    const RuntimeError e = FailureOf([&] { rs->MoveLast(); });
    EXPECT_EQ(e.Number(), odbc::kErrCallFailed);
    EXPECT_EQ(Contains(e.Description(), "division by zero"), "");
    EXPECT_EQ(FailureOf([&] { db->OpenRecordset(query, dbOpenSnapshot); }).Number(),
              odbc::kErrCallFailed);

    // A connection lost during GetRows is an error, not a crash.
    rs = db->OpenRecordset("SELECT g, pg_backend_pid() AS pid FROM generate_series(1, 5000) g",
                           dbOpenDynaset);
    const Variant first = rs->GetRows(1);
    db_->Execute("SELECT pg_terminate_backend(" + CStr(Block(first).At(1, 0)) + ")");
    const RuntimeError lost = FailureOf([&] { rs->GetRows(5000); });
    EXPECT_EQ(lost.Number(), odbc::kErrCallFailed);
    EXPECT_FALSE(lost.Description().empty());
}

}  // namespace
}  // namespace cp::test
