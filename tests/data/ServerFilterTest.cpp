// A filtered list (FilterList) in server mode at its edges, on a real SQLite file: rows that
// another connection adds and removes while the list is open, and the list's end reached before and
// after its rows are counted. What the list shows is compared whole with the rows that the file
// holds, in the list's order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "tests/data/PlacesOnServer.h"

namespace cp::test {
namespace {

// 12,000 places named as in the other tests of server mode, their names searched through FTS5
// tables that triggers keep current.
const std::string kFilterPlaces =
    SqlitePlaces(12000, "-", false) +
    "CREATE VIRTUAL TABLE places_trigram USING fts5(name, code, content='places',"
    " tokenize='trigram');"
    "CREATE VIRTUAL TABLE places_words USING fts5(name, code, content='places');"
    "INSERT INTO places_trigram(places_trigram) VALUES ('rebuild');"
    "INSERT INTO places_words(places_words) VALUES ('rebuild');"
    "CREATE TRIGGER places_added AFTER INSERT ON places BEGIN"
    " INSERT INTO places_trigram(rowid, name, code) VALUES (new.rowid, new.name, new.code);"
    " INSERT INTO places_words(rowid, name, code) VALUES (new.rowid, new.name, new.code); END;"
    "CREATE TRIGGER places_removed AFTER DELETE ON places BEGIN"
    " INSERT INTO places_trigram(places_trigram, rowid, name, code)"
    " VALUES ('delete', old.rowid, old.name, old.code);"
    " INSERT INTO places_words(places_words, rowid, name, code)"
    " VALUES ('delete', old.rowid, old.name, old.code); END;";

// What the list shows for a text: the text, the rows the list window counts, and every row's
// name as the reader reads it, from the first on (reading on where the rows read end).
using Filtered = std::tuple<std::string, std::int32_t, std::vector<std::string>>;

class ServerFilterTest : public PlacesOnServer {
protected:
    ServerFilterTest() : PlacesOnServer(kFilterPlaces) { control().FilterList(true); }

    void Type(const std::string& text) {
        s_.Focus();
        s_.user().SelectText(0, 100);
        s_.user().TypeText(text);
        EXPECT_TRUE(AwaitServerAnswers(control())) << text;
    }
    // The names of the rows that the reader reads from the list's first row on.
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (std::int32_t row = 0; row < 10'000; ++row) {
            const auto name = control().RowName(row);
            if (!name) break;
            names.push_back(*name);
        }
        return names;
    }
    Filtered Shown() {
        std::vector<std::string> names = Names();
        return {control().Text(), s_.ListState().count, std::move(names)};
    }
};

std::vector<std::string> Tail(const std::vector<std::string>& names, std::size_t n) {
    return {names.end() - static_cast<std::ptrdiff_t>(std::min(n, names.size())), names.end()};
}

// The open list put back to every row goes to its current row at the top, also when only the
// filter read that row: the rows around it come as on the list's opening, and until then the
// row stays current, the list showing no other row selected.
TEST_F(ServerFilterTest, EachTextIsAnnouncedAndEveryRowAgainGoesToTheRowTheFilterRead) {
    for (const bool hostReadsPlace : {false, true}) {
        SCOPED_TRACE(hostReadsPlace ? "the host reads ListIndex" : "no host reads a place");
        Connect();
        control().ShowDropDown();
        // Each text's rows come with their first row current at the list's top, the child where
        // the row of the text before stood: the reader hears of each.
        for (const std::string text : {"beta 1", "gamma 3"}) {
            s_.world().Windows().ClearWinEvents();
            Type(text);
            EXPECT_EQ(FocusedChildren(s_.world().Windows()), std::vector<LONG>{1}) << text;
            EXPECT_EQ(control().RowName(0), Rows("name LIKE '" + text + "%'").front()) << text;
        }
        const std::string current = Rows("name LIKE 'gamma 3%'").front();
        ASSERT_EQ(control().RowName(s_.ListState().selection), current);

        control().FilterList(false);
        EXPECT_TRUE(AwaitServerAnswers(control()));
        if (hostReadsPlace) control().ListIndex();
        const int selection = s_.ListState().selection;
        EXPECT_EQ(std::tuple(selection, control().RowName(selection)),
                  std::tuple(s_.ListState().top, current));
        EXPECT_EQ(control().Text(), "Gamma 3");
        control().FilterList(true);
    }
}

// The closed list put back to every row selects the current row at its place among them, so
// that the keys move from it: the list window's selection named its place among the filtered
// rows.
TEST_F(ServerFilterTest, EveryRowAgainWhileClosedKeepsTheCurrentRowForTheKeys) {
    Connect();
    Type("1");
    const std::vector<std::string> all = Rows();
    const auto current = std::ranges::find(all, Rows("name LIKE '1%'").front());
    ASSERT_LT(current - all.begin(), 64) << "a row that the whole list has read";
    control().FilterList(true);
    EXPECT_EQ(control().RowName(s_.ListState().selection), *current);
    s_.user().PressKey(vbKeyDown);
    EXPECT_TRUE(AwaitServerAnswers(control()));
    EXPECT_EQ(control().RowName(s_.ListState().selection), *(current + 1));
}

// Rows that another connection adds or removes while the list is filtered show as the reads
// meet them: each once and in order, the rows read before staying as they were read.
TEST_F(ServerFilterTest, RowsChangedElsewhereShowOnceInOrderAsTheReadsMeetThem) {
    Connect(2);
    Type("eta 1");
    control().ShowDropDown();
    const std::vector<std::string> before = Rows("name LIKE '%eta 1%'");
    ASSERT_GT(before.size(), 128u);
    const std::vector<std::string> read(before.begin(), before.begin() + 64);
    EXPECT_EQ(OnShow(), std::vector<std::string>(read.begin(), read.begin() + kShown));

    // A row among those read, one past them, and the last row read (from whose key the next
    // read goes on) with rows after it go.
    const std::string last = read.back();
    const std::string lastName = last.substr(0, last.rfind(", "));
    const std::string lastRowid = std::to_string(std::stoi(last.substr(last.size() - 5)));
    file_.OpenWritable()->Execute(
        "INSERT INTO places VALUES ('beta 1 among', 'N1'), ('zeta 1 past', 'N2');"
        "DELETE FROM places WHERE rowid = " +
        lastRowid + " OR name = 'BETA 150' OR name = 'beta 17';");
    std::vector<std::string> expected = read;
    const std::vector<std::string> rest =
        Rows("name LIKE '%eta 1%' AND (name > '" + lastName + "' COLLATE NOCASE OR (name = '" +
             lastName + "' COLLATE NOCASE AND rowid > " + lastRowid + "))");
    expected.insert(expected.end(), rest.begin(), rest.end());
    ASSERT_NE(std::ranges::find(expected, "zeta 1 past, N2"), expected.end());
    ASSERT_EQ(std::ranges::find(expected, "beta 1 among, N1"), expected.end());
    ASSERT_LT(rest.size() + 63, before.size());

    EXPECT_EQ(Names(), expected);
    // The reads met the end: the list counts the rows it shows.
    s_.user().PressKey(vbKeyDown);
    EXPECT_EQ(s_.ListState().count, std::ssize(expected));
}

// The list's end before the rows are counted (here the count never comes from the query
// thread) is the end of the rows the text finds: they are counted then, and the last rows are
// read from the end, not read down to.
TEST_F(ServerFilterTest, TheEndBeforeTheCountShowsTheLastRowsReadFromTheEnd) {
    server_->failingMatchCounts = 1;
    Connect(1);
    Type("a");
    control().ShowDropDown();
    const std::vector<std::string> a = Rows("name LIKE 'a%'");
    ASSERT_GT(a.size(), 64u + 1024u) << "farther than a read down reaches at once";
    EXPECT_EQ(s_.ListState().count, 65) << "the rows read and one more";

    const int counts = server_->counts;
    EXPECT_LE(ScrollTo(64), 2);
    EXPECT_EQ((std::tuple{server_->counts.load(), s_.ListState().count, s_.ListState().top}),
              std::tuple(counts + 1, std::ssize(a), std::ssize(a) - kShown));
    EXPECT_EQ(OnShow(), Tail(a, kShown));

    // Further up, the rows are read down from the first ones and meet those from the end.
    EXPECT_EQ(Shown(), Filtered("a", std::ssize(a), a));
}

// Counted, the end is read from the end as well; a count that rows removed since made too
// large puts those rows too low, and the rows read down from the top, meeting them, show every
// row once all the same.
TEST_F(ServerFilterTest, TheEndOnceCountedIsReadFromTheEndAndAWrongCountShowsNoRowTwice) {
    Connect(1);
    Type("a");
    control().ShowDropDown();
    const std::vector<std::string> a = Rows("name LIKE 'a%'");
    ASSERT_EQ(s_.ListState().count, std::ssize(a));
    EXPECT_EQ(ScrollTo(std::ssize(a) - 1), 1);
    EXPECT_EQ(OnShow(), Tail(a, kShown));
    ScrollTo(0);

    Type("al");
    control().ShowDropDown();
    file_.OpenWritable()->Execute(
        "DELETE FROM places WHERE name LIKE 'alpha 2%' AND rowid > 1000 AND rowid < 1250");
    const std::vector<std::string> al = Rows("name LIKE 'al%'");
    // Fewer than the rows read from the end: the rows read down reach some of them.
    ASSERT_GT(std::ssize(a) - std::ssize(al), 0);
    ASSERT_LT(std::ssize(a) - std::ssize(al), std::ssize(a) % 64);
    ScrollTo(std::ssize(a) - 1);
    EXPECT_EQ(OnShow(), Tail(al, kShown)) << "the last rows, placed too low";
    EXPECT_EQ(Names(), al);
}

}  // namespace
}  // namespace cp::test
