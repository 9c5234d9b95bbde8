// Searches inside the texts of an SQLite table that stays on disk: any part through an FTS5
// table with the trigram tokenizer, a word start through one with unicode61, each answering the
// first row in the list's order; and the searches refused for want of such a table.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/KeyedRows.h"
#include "data/TextSearchSql.h"
#include "data/sqlite/SqliteErrors.h"
#include "tests/data/TempDatabase.h"
#include "tests/support/RecordsetChecks.h"

namespace cp::test {
namespace {

constexpr const char* kTextPlaces =
    "CREATE TABLE places (name TEXT, code TEXT);"
    "INSERT INTO places VALUES ('Papua New Guinea', 'PG'), ('Laos', 'LA'), (NULL, 'N1'),"
    "('New Zealand', 'NZ'), ('Iceland', 'IS'), ('Finland', 'FI'), ('Landau', 'DE'),"
    "('it''s \"50%\" off: OR *', 'Q1'), ('Ireland', 'IE');";

constexpr const char* kSearchTables =
    "CREATE VIRTUAL TABLE places_trigram USING fts5(name, code, content='places',"
    " tokenize='trigram');"
    "INSERT INTO places_trigram(places_trigram) VALUES ('rebuild');"
    "CREATE VIRTUAL TABLE places_words USING fts5(name, code, content='places',"
    " tokenize='unicode61 remove_diacritics 0');"
    "INSERT INTO places_words(places_words) VALUES ('rebuild');";

// The number the rows refuse a search with; 0 when they serve it.
std::int32_t RefusalOf(KeyedRows& rows, FieldMatch match, std::vector<int> fields) {
    try {
        rows.CheckSearch(FieldSearch{match, std::move(fields)});
    } catch (const RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

class TextSearchTest : public ::testing::Test {
protected:
    using Codes = std::vector<std::string>;
    // The first code that the search finds for each text.
    Codes FirstOf(const FieldSearch& search, const std::vector<std::string_view>& texts) {
        return FirstCodes(*rows_, search, texts);
    }

    TempDatabase file_{std::string(kTextPlaces) + kSearchTables};
    std::shared_ptr<KeyedRows> rows_ = file_.Open()->OpenKeyedRows("places", "");
};

TEST_F(TextSearchTest, AnyPartAndAWordStartFindTheFirstRowInTheListsOrder) {
    const FieldSearch names = FieldSearch{FieldMatch::Contains, {0}};
    const FieldSearch both = FieldSearch{FieldMatch::Contains, {0, 1}};
    EXPECT_NO_THROW(rows_->CheckSearch(both));
    EXPECT_EQ(FirstOf(names, {"LAND", "zeal", "xyz"}), (Codes{"FI", "NZ", "none"}));
    // The code column is searched beside the name: "aos" stands in one row's name alone.
    EXPECT_EQ(FirstOf(FieldSearch{FieldMatch::Contains, {1, 0}}, {"aos"}), Codes{"LA"});
    // The query language's quotes, operators and stars are text.
    EXPECT_EQ(FirstOf(both, {"\"50%\"", "off: OR *", "s \" OR \"and"}),
              (Codes{"Q1", "Q1", "none"}));
    // Fewer than three characters: the start of the names, which their index serves.
    EXPECT_EQ(FirstOf(names, {"la", "nd"}), (Codes{"DE", "none"}));
    EXPECT_EQ(FirstOf(FieldSearch{FieldMatch::Contains, {1}}, {"FI"}), Codes{"none"});
    // No third column to search, and no FTS5 table that serves a query.
    EXPECT_EQ(RefusalOf(*rows_, FieldMatch::Contains, {2}), vberr::SubscriptOutOfRange);
    const auto query =
        file_.Open()->OpenKeyedRows("SELECT name, code, rowid AS id FROM places", "id");
    EXPECT_EQ(RefusalOf(*query, FieldMatch::Contains, {0}), sqlite::kErrNotSupported);

    // A word start finds the first row with a word that begins with the text.
    const FieldSearch words = FieldSearch{FieldMatch::WordStart, {0}};
    EXPECT_NO_THROW(rows_->CheckSearch(FieldSearch{FieldMatch::WordStart, {0, 1}}));
    // Separators alone (" ,;") start no word.
    EXPECT_EQ(FirstOf(words, {"new", "GUI", "new gu", "land", "ew", " ,;", "l"}),
              (Codes{"NZ", "PG", "PG", "DE", "none", "none", "DE"}));
    EXPECT_EQ(FirstOf(FieldSearch{FieldMatch::WordStart, {1}}, {"p"}), Codes{"PG"});
}

// An FTS5 table of the expected name made with the other tokenizer serves nothing: the search
// would read every row.
TEST(TextSearchRefusal, ATableOfTheNameWithTheOtherTokenizerServesNothing) {
    const TempDatabase other{std::string(kTextPlaces) +
                             "CREATE VIRTUAL TABLE places_words USING fts5(name, content='places',"
                             " tokenize='trigram');"
                             "CREATE VIRTUAL TABLE places_trigram USING fts5(name,"
                             " content='places', tokenize='trigram');"};
    const auto otherRows = other.Open()->OpenKeyedRows("places", "");
    EXPECT_EQ(RefusalOf(*otherRows, FieldMatch::WordStart, {0}), sqlite::kErrNotSupported);
    EXPECT_EQ(RefusalOf(*otherRows, FieldMatch::Contains, {0}), 0);
}

// The same places keyed by other columns than the rowid: a text key, and an integer key whose
// entries are not the rowids (the FTS5 tables number their rows by the table's rowid).
constexpr const char* kKeyedPlaces =
    "CREATE TABLE places (name TEXT, code TEXT NOT NULL UNIQUE, id INTEGER NOT NULL UNIQUE);"
    "INSERT INTO places VALUES ('Papua New Guinea', 'PG', 90), ('Laos', 'LA', 80),"
    "(NULL, 'N1', 70), ('New Zealand', 'NZ', 60), ('Iceland', 'IS', 50), ('Finland', 'FI', 40),"
    "('Landau', 'DE', 30), ('Ireland', 'IE', 20), ('Newland', 'NL', 10);";

// What a search finds through keyed rows: the first row's code, then the rows found.
std::string SearchAnswer(KeyedRows& rows, const FieldSearch& search, const std::string& text) {
    return FirstCode(rows, search, text) + ": " + MatchedCodes(rows, {text, search});
}

// An FTS5 table that numbers its rows by a column of the table (content_rowid), or that holds
// its own texts under rowids that are the key's, leads to the key; one that holds its own
// texts cannot stand for a text key, and the search is refused saying what to create.
TEST(TextSearchKeys, TheFtsTablesRowidsLeadToTheKeyOrTheSearchIsRefused) {
    const TempDatabase byId{std::string(kKeyedPlaces) +
                            "CREATE VIRTUAL TABLE places_trigram USING fts5(name,"
                            " content = \"places\", content_rowid = 'id', tokenize='trigram');"
                            "INSERT INTO places_trigram(places_trigram) VALUES ('rebuild');"};
    for (const char* key : {"id", "code", ""}) {
        const auto rows = byId.Open()->OpenKeyedRows("places", key);
        EXPECT_EQ(SearchAnswer(*rows, {FieldMatch::Contains, {0}}, "land"),
                  "FI: FI IS IE DE NZ NL last NZ NL count 6")
            << key;
    }

    const TempDatabase own{std::string(kKeyedPlaces) +
                           "CREATE VIRTUAL TABLE places_trigram USING fts5(name,"
                           " tokenize='trigram');"
                           "INSERT INTO places_trigram(rowid, name) SELECT id, name FROM places;"};
    const auto byOwnId = own.Open()->OpenKeyedRows("places", "id");
    EXPECT_NO_THROW(byOwnId->CheckSearch({FieldMatch::Contains, {0}}));
    EXPECT_EQ(FirstCode(*byOwnId, {FieldMatch::Contains, {0}}, "zeal"), "NZ");
    const RuntimeError refused = FailureOf([&] {
        own.Open()->OpenKeyedRows("places", "code")->CheckSearch({FieldMatch::Contains, {0}});
    });
    EXPECT_EQ(refused.Number(), sqlite::kErrNotSupported);
    EXPECT_NE(refused.Description().find("content='places'"), std::string::npos)
        << refused.Description();
}

// A table created WITHOUT ROWID has no rowid for an FTS5 table over its content to read: the
// search is refused when it is asked for, not failed at its first text, unless the FTS5 table
// numbers its rows by an INTEGER column.
TEST(TextSearchKeys, AnFtsTableOverATableWithoutRowidMustNameItsRowidColumn) {
    const std::string places = std::string(kKeyedPlaces) +
                               "CREATE TABLE coded (name TEXT, code TEXT PRIMARY KEY, id INTEGER)"
                               " WITHOUT ROWID; INSERT INTO coded SELECT * FROM places;";
    const std::string fts = "CREATE VIRTUAL TABLE coded_trigram USING fts5(name, content='coded'";
    const std::string rebuild =
        ", tokenize='trigram'); INSERT INTO coded_trigram(coded_trigram)"
        " VALUES ('rebuild');";
    const FieldSearch any{FieldMatch::Contains, {0}};

    const TempDatabase byRowid{places + fts + ", tokenize='trigram');"};
    const RuntimeError refused =
        FailureOf([&] { byRowid.Open()->OpenKeyedRows("coded", "code")->CheckSearch(any); });
    EXPECT_EQ(refused.Number(), sqlite::kErrNotSupported);
    EXPECT_NE(refused.Description().find("content_rowid"), std::string::npos)
        << refused.Description();

    const TempDatabase byId{places + fts + ", content_rowid='id'" + rebuild};
    const auto rows = byId.Open()->OpenKeyedRows("coded", "code");
    EXPECT_NO_THROW(rows->CheckSearch(any));
    EXPECT_EQ(SearchAnswer(*rows, any, "land"), "FI: FI IS IE DE NZ NL last NZ NL count 6");
}

TEST(TextSearchKeys, TheOptionsOfAnFtsTableAreReadWhateverTheirQuotes) {
    const std::string sql =
        "CREATE VIRTUAL TABLE t USING fts5(name, \"a, b\", content = [My Table],"
        " content_rowid=\"row\"\"id\", tokenize = 'unicode61 tokenchars ''-,''')";
    EXPECT_EQ(Fts5Option(sql, "content"), "My Table");
    EXPECT_EQ(Fts5Option(sql, "CONTENT_ROWID"), "row\"id");
    EXPECT_EQ(Fts5Option(sql, "tokenize"), "unicode61 tokenchars '-,'");
    EXPECT_EQ(Fts5Option(sql, "columnsize"), std::nullopt);
    EXPECT_EQ(Fts5Option("CREATE VIRTUAL TABLE t USING fts5(name)", "content"), std::nullopt);
}

}  // namespace
}  // namespace cp::test
