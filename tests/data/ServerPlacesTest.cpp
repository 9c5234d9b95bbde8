// Server mode over a table whose rows are placed by estimate: a found row is read with the rows
// around it and nothing is counted until a host reads ListIndex or ListCount, which are then
// exact; the list, with a wrong estimate too, shows what the same rows in memory show.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "control/ColumnPick.h"
#include "platform/sim/ListBoxClass.h"
#include "tests/data/PlacesOnServer.h"
#include "tests/data/TempDatabase.h"
#include "tests/support/CountedServer.h"
#include "tests/support/sim/ServerPlaces.h"

namespace cp::test {
namespace {

// 30,000 places of which a third and the last thousand are gone, so that the span of the rowids
// that the estimate takes overstates the rows by half.
constexpr const char* kThinned =
    "CREATE TABLE places (name TEXT, code TEXT);"
    "CREATE INDEX places_name ON places (name COLLATE NOCASE);"
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30000)"
    " INSERT INTO places SELECT printf('%s%s %05d', char(65 + (i * 7919) % 26),"
    " char(97 + (i / 26) % 26), (i * 7919) % 99991), printf('C%05d', i) FROM n;"
    "UPDATE places SET name = NULL WHERE rowid IN (4, 40);"
    "DELETE FROM places WHERE rowid % 3 = 0 OR rowid > 29000;";

class ServerPlacesTest : public ::testing::Test {
protected:
    // What read() reads of the same rows filled into memory. Their world is made and gone
    // within the call: a thread has one current world, the newest, so no other session is
    // used meanwhile.
    template <class Read>
    auto InMemory(Read&& read) {
        Session memory;
        PrepareWith(memory.control(), FillFrom(*db_, kPlacesInOrder));
        return read(memory.control());
    }
    // The code of the row at each place, in memory.
    std::vector<std::string> CodesAt(std::vector<std::int32_t> places) {
        return InMemory([&](ColumnPick& c) {
            std::vector<std::string> codes;
            for (const std::int32_t place : places) {
                c.ListIndex(place);
                codes.push_back(DisplayText(c.Column(1)));
            }
            return codes;
        });
    }
    std::int32_t CountInMemory() {
        return InMemory([](ColumnPick& c) { return c.ListCount(); });
    }

    TempDatabase file_{kThinned};
    std::shared_ptr<sqlite::SqliteDatabase> db_ = file_.Open();
};

TEST_F(ServerPlacesTest, PlacedByEstimateTheListShowsWhatTheRowsInMemoryShow) {
    const std::vector<Seen> memory = RunFarScript(FillFrom(*db_, kPlacesInOrder));
    ExpectSameSteps(RunFarScript(ConnectTo(*db_, "places")), memory);
    ExpectFarScriptReached(memory);
}

// Rows found far from the list's start are placed by estimate, counting nothing, until a host
// reads ListIndex or ListCount: then each is counted, exact as in memory, and the list's
// selection stands at the place.
TEST_F(ServerPlacesTest, NothingIsCountedUntilAHostReadsAPlaceOrTheCount) {
    const auto server = std::make_shared<CountedServer>(db_);
    Session s;
    PrepareWith(s.control(), ConnectTo(*server, "places"));
    FindFarRows(s);
    EXPECT_EQ(server->counts, 0);

    const Variant code = s.control().Column(1);
    const auto [memoryPlace, memoryCount] = InMemory([&](ColumnPick& c) {
        c.Value(code);
        return std::pair{c.ListIndex(), c.ListCount()};
    });
    const std::int32_t place = s.control().ListIndex();
    EXPECT_EQ((std::tuple{server->counts.load(), place, s.ListState().selection}),
              std::tuple(1, memoryPlace, memoryPlace));
    EXPECT_EQ(s.control().ListCount(), memoryCount);
}

// Statistics gathered before rows came estimate too few of them: a row placed by the estimate
// has more rows below it than the list counts, and the list must not end above the table's end:
// neither where a host's read of the row's place moves it past that end, nor where a host puts
// a place past it.
TEST_F(ServerPlacesTest, AnEstimateOfTooFewRowsStillReachesTheLastRow) {
    const std::int32_t last = CountInMemory() - 1;
    const std::vector<std::string> codes = CodesAt({last - 2000, last});
    const Variant farDown(codes[0]);
    const auto server = std::make_shared<CountedServer>(db_, 0.5);
    // The row found by its value, then its place read; or its place put.
    for (const int way : {0, 1, 2}) {
        Session s;
        PrepareWith(s.control(), ConnectTo(*server, "places"));
        if (way == 2) {
            s.control().ListIndex(last - 2000);
        } else {
            s.control().Value(farDown);
        }
        if (way == 1) {
            EXPECT_EQ(s.control().ListIndex(), last - 2000);
        }
        EXPECT_EQ(DisplayText(s.control().Value()), DisplayText(farDown)) << way;
        s.Focus();
        s.control().ShowDropDown();
        // Where the rows read reach the list's end, the place is counted and the list
        // renumbered: the keys go on from the row then at the list's selection.
        for (int i = 0; i < 1200; ++i)
            s.user().PressKey(vbKeyPageDown);
        EXPECT_EQ(DisplayText(s.control().Column(1)), codes[1]);
        EXPECT_EQ(s.control().ListIndex(), last) << way;
        EXPECT_EQ(s.control().ListCount(), last + 1);
    }
}

// A place past the table's end, or below -1, is refused as a list in memory refuses it, with
// the row current before kept, whether the estimate counted too many rows or too few.
TEST_F(ServerPlacesTest, APlacePastTheEndIsRefusedAsInMemory) {
    const auto reading = [](ColumnPick& c, std::int32_t place) {
        c.ListIndex(100);
        std::int32_t number = 0;
        try {
            c.ListIndex(place);
        } catch (const RuntimeError& e) {
            number = e.Number();
        }
        return std::tuple{number, c.ListIndex(), DisplayText(c.Value())};
    };
    const std::int32_t count = CountInMemory();
    const std::vector<std::int32_t> places{count - 1, count, 25000, 40000, -2};
    const auto inMemory = InMemory([&](ColumnPick& c) {
        std::vector<decltype(reading(c, 0))> readings;
        for (const std::int32_t place : places)
            readings.push_back(reading(c, place));
        return readings;
    });
    for (const double estimated : {1.0, 0.5}) {
        for (std::size_t i = 0; i < places.size(); ++i) {
            Session s;
            CountedServer server(db_, estimated);
            PrepareWith(s.control(), ConnectTo(server, "places"));
            EXPECT_EQ(reading(s.control(), places[i]), inMemory[i])
                << places[i] << " estimated x" << estimated;
        }
    }
}

// A host's read of ListIndex makes the place exact and moves the open list's rows with it: the
// rows on show stay the rows they were, also when the user scrolled the selection out of view.
TEST_F(ServerPlacesTest, TheExactPlaceKeepsTheRowsOnShow) {
    Session s;
    PrepareWith(s.control(), ConnectTo(*db_, "places"));
    s.control().ListRows(8);
    s.control().Value(Variant("C22222"));
    s.control().ShowDropDown();
    ASSERT_TRUE(AwaitServerAnswers(s.control()));
    sim::PressScrollBar(s.List(), SB_LINEDOWN);
    sim::PressScrollBar(s.List(), SB_LINEDOWN);
    ASSERT_TRUE(AwaitServerAnswers(s.control()));
    const std::int32_t top = s.ListState().top;
    ASSERT_EQ(top, s.ListState().selection + 2);
    const std::vector<std::string> shown = ReaderNames(s.control(), top, 8);

    const std::int32_t place = s.control().ListIndex();
    EXPECT_EQ(std::tuple(s.ListState().selection, s.ListState().top), std::tuple(place, place + 2));
    EXPECT_EQ(ReaderNames(s.control(), s.ListState().top, 8), shown);
}

// A row that an estimate placed near either end of the table is not taken for its first or
// last row, whether the estimate counts too many rows or too few: the page keys walk on from it
// to the table's true ends, as in memory, and stop there.
TEST_F(ServerPlacesTest, ThePageKeysReachTheTablesEndsFromRowsPlacedNearThem) {
    const std::int32_t last = CountInMemory() - 1;
    const std::vector<std::string> codes = CodesAt({70, 0, last - 20, last});
    // The open list reads the rows it draws as well; the closed one only those the keys reach.
    for (const bool open : {false, true}) {
        for (const double estimated : {1.0, 0.5}) {
            for (const bool up : {true, false}) {
                Session s;
                CountedServer server(db_, estimated);
                PrepareWith(s.control(), ConnectTo(server, "places"));
                s.control().ListRows(8);
                s.control().Value(Variant(codes[up ? 0 : 2]));
                s.Focus();
                if (open) s.control().ShowDropDown();
                for (int i = 0; i < 40; ++i)
                    s.user().PressKey(up ? vbKeyPageUp : vbKeyPageDown);
                const std::string code = DisplayText(s.control().Column(1));
                EXPECT_EQ(std::tuple(code, s.control().ListIndex()),
                          std::tuple(codes[up ? 1 : 3], up ? 0 : last))
                    << (up ? "up" : "down") << (open ? ", open" : ", closed") << ", estimated x"
                    << estimated;
            }
        }
    }
}

// A key from no row counts from the table's first row, however an estimate placed the rows
// read: also where it put a found row too near the start, or one that has exactly a whole read
// of rows above it, the first of them the table's first row. A far row found first drops the
// first rows that the list read when it connected.
TEST_F(ServerPlacesTest, AKeyFromNoRowCountsFromTheTablesFirstRow) {
    const std::vector<std::string> codes = CodesAt({16, 70, 6, 5000});
    for (const double estimated : {1.0, 0.2}) {
        for (const std::string& found : {codes[0], codes[1]}) {
            Session s;
            CountedServer server(db_, estimated);
            PrepareWith(s.control(), ConnectTo(server, "places"));
            s.control().ListRows(8);
            s.control().Value(Variant(codes[3]));
            s.control().Value(Variant(found));
            s.control().ListIndex(-1);
            s.Focus();
            s.user().PressKey(vbKeyPageDown);
            const std::string code = DisplayText(s.control().Column(1));
            EXPECT_EQ(std::tuple(code, s.control().ListIndex()), std::tuple(codes[2], 6))
                << "from " << found << ", estimated x" << estimated;
        }
    }
}

// A committed row whose first column is Null shows the empty text, which still stands for it:
// after Escape the list opens on it, as in memory, also where rows found far from it had it
// kept by itself. The list shows that row only when the rows around it come: a reader hears of
// no row before, and of the row where it stands then.
TEST_F(ServerPlacesTest, TheListOpensOnACommittedEmptyTextAndAnnouncesWhereRowsStand) {
    Session s;
    PrepareWith(s.control(), ConnectTo(*db_, "places"));
    s.control().Value(Variant("C00040"));
    s.Focus();
    s.control().ShowDropDown();
    s.user().TypeText("Qa");
    ASSERT_TRUE(AwaitServerAnswers(s.control()));
    s.user().PressKey(vbKeyEscape);
    s.world().Windows().ClearWinEvents();
    s.control().ShowDropDown();
    ASSERT_TRUE(AwaitServerAnswers(s.control()));
    EXPECT_EQ(std::tuple(s.control().Text(), DisplayText(s.control().Column(1)),
                         s.ListState().selection, s.ListState().top),
              std::tuple(std::string(), std::string("C00040"), 1, 1));
    EXPECT_EQ(FocusedChildren(s.world().Windows()), std::vector<LONG>{2});

    // The list placed by estimate moves its rows when a host reads the exact place: the current
    // row then stands at another of the list's rows, where the reader hears of it when the user
    // finds it again.
    s.user().SelectText(0, 100);
    s.user().TypeText("Qa");
    ASSERT_TRUE(AwaitServerAnswers(s.control()));
    const int estimated = s.ListState().selection;
    s.control().ListIndex();
    const int exact = s.ListState().selection;
    ASSERT_NE(estimated, exact);
    s.world().Windows().ClearWinEvents();
    s.user().SelectText(0, 100);
    s.user().TypeText("Qa");
    ASSERT_TRUE(AwaitServerAnswers(s.control()));
    EXPECT_EQ(FocusedChildren(s.world().Windows()), std::vector<LONG>{exact + 1});
}

}  // namespace
}  // namespace cp::test
