// Searches inside the texts of a table on the private PostgreSQL server, through pg_trgm's
// trigram indexes: the first row in the list's order, the typed text's wildcards and regular
// expression characters taken as text, and a column without such an index refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/odbc/OdbcDatabase.h"
#include "data/rows/RowBlock.h"
#include "tests/odbc/OdbcTestSupport.h"

namespace cp::test {
namespace {

using odbc::OdbcDatabase;

constexpr const char* kPlaces =
    "CREATE EXTENSION IF NOT EXISTS pg_trgm;"
    "DROP TABLE IF EXISTS search_places;"
    "CREATE TABLE search_places (name TEXT, code TEXT PRIMARY KEY, note TEXT);"
    "CREATE INDEX search_places_name ON search_places ((lower(name)) COLLATE \"C\", code);"
    "CREATE INDEX search_places_name_trgm ON search_places USING gin (name gin_trgm_ops);"
    "CREATE INDEX search_places_code_trgm ON search_places USING gist (code gist_trgm_ops);"
    "INSERT INTO search_places VALUES ('Papua New Guinea', 'PGX', ''), ('Laos', 'LAO', ''),"
    "(NULL, 'N1', ''), ('New Zealand', 'NZL', ''), ('Iceland', 'ISL', ''),"
    "('Finland', 'FIN', 'land'), ('Landau', 'DEU', ''), ('axbx', 'X1', ''),"
    "('it''s \"50%\" off: OR *', 'Q1', ''), ('back\\slash', 'B1', ''), ('bakslash', 'B2', ''),"
    "(NULL, 'LANDS', '');";

class PostgresTextSearchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { OdbcDatabase::Open(PostgresConnection())->Execute(kPlaces); }

    using Codes = std::vector<std::string>;
    // The first code that the search finds for each text.
    Codes FirstOf(const FieldSearch& search, const std::vector<std::string_view>& texts) {
        return FirstCodes(*rows_, search, texts);
    }

    std::shared_ptr<OdbcDatabase> db_ = OdbcDatabase::Open(PostgresConnection());
    std::shared_ptr<KeyedRows> rows_ = db_->OpenKeyedRows("search_places", "");
};

TEST_F(PostgresTextSearchTest, AnyPartAndAWordStartFindTheFirstRowWithWildcardsAsText) {
    const FieldSearch names = FieldSearch{FieldMatch::Contains, {0}};
    EXPECT_NO_THROW(rows_->CheckSearch(FieldSearch{FieldMatch::Contains, {0, 1}}));
    EXPECT_EQ(FirstOf(FieldSearch{FieldMatch::Contains, {1, 0}}, {"pgx"}), Codes{"PGX"});
    // Neither _ nor % is a wildcard; fewer than three characters ("la") find the start of the
    // names.
    EXPECT_EQ(FirstOf(names, {"LAND", "a_b", "50%\" o", "0%%", "k\\s", "x' OR 'a'='a", "la"}),
              (Codes{"FIN", "none", "Q1", "none", "B1", "none", "DEU"}));
    EXPECT_EQ(FirstOf(FieldSearch{FieldMatch::Contains, {1}}, {"NZ"}), Codes{"none"});

    // A word start finds a word that begins with the text; regular expression characters
    // ("OR *", ".*") are text.
    EXPECT_EQ(FirstOf(FieldSearch{FieldMatch::WordStart, {0}},
                      {"new", "GUI", "new gu", "ealand", "OR *", ".*"}),
              (Codes{"NZL", "PGX", "PGX", "none", "Q1", "none"}));
}

// The rows a search finds, read from the first on and from the end, in the list's order; the
// table's key is text.
TEST_F(PostgresTextSearchTest, TheRowsFoundReadFromEitherEndInTheListsOrder) {
    const TextMatch land{"LAND", FieldSearch{FieldMatch::Contains, {0}}};
    EXPECT_EQ(MatchedCodes(*rows_, land), "FIN ISL DEU NZL last DEU NZL count 4");
    EXPECT_EQ(CodesOf(rows_->LastMatching(land, 10)), "FIN ISL DEU NZL ");
    // A row without a name comes first in the list: last when read from the end.
    EXPECT_EQ(CodesOf(rows_->LastMatching({"land", FieldSearch{FieldMatch::Contains, {0, 1}}}, 10)),
              "LANDS FIN ISL DEU NZL ");
    EXPECT_EQ(CodesOf(rows_->LastMatching({"nzl", FieldSearch{FieldMatch::WordStart, {0, 1}}}, 3)),
              "NZL ");
}

TEST_F(PostgresTextSearchTest, AColumnWithoutATrigramIndexAndAQueryAreRefused) {
    const RuntimeError note = FailureOf([&] {
        rows_->CheckSearch(FieldSearch{FieldMatch::Contains, {0, 2}});
    });
    EXPECT_EQ(note.Number(), rows::kErrNotSupported);
    EXPECT_NE(note.Description().find("note"), std::string::npos) << note.Description();
    const auto query = db_->OpenKeyedRows("SELECT name, code FROM search_places", "code");
    EXPECT_EQ(FailureOf([&] {
                  query->CheckSearch(FieldSearch{FieldMatch::WordStart, {0}});
              }).Number(),
              rows::kErrNotSupported);
}

}  // namespace
}  // namespace cp::test
