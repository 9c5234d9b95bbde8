// Server mode on real SQLite files: the same user and host steps on a list filled into memory
// and on one connected to the same table on the server give the same texts, rows, values and
// events; and what server mode does when the rows cannot be read or change under it.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "control/ColumnPick.h"
#include "data/sqlite/SqliteDatabase.h"
#include "tests/data/TempDatabase.h"
#include "tests/support/AwaitAnswers.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/RecordsetChecks.h"
#include "tests/support/sim/ControlOnForm.h"
#include "tests/support/sim/ServerFilterScript.h"
#include "tests/support/sim/ServerModeScript.h"

namespace cp::test {
namespace {

class ServerModeTest : public ControlOnForm {
protected:
    TempDatabase file_{SqlitePlaces(3000)};
    std::shared_ptr<sqlite::SqliteDatabase> db_ = file_.Open();
};

TEST_F(ServerModeTest, TheListOnTheServerFilteredOrNotBehavesAsTheSameRowsInMemory) {
    const std::vector<Seen> memory = RunScript(FillFrom(*db_, kPlacesInOrder));
    ExpectSameSteps(RunScript(ConnectTo(*db_, "places")), memory);
    ExpectScriptReached(memory);

    // With FilterList the list on the server shows the rows the typed text finds, read a page at
    // a time and counted on the query thread, as the same rows in memory show them.
    const std::vector<FilteredSeen> filtered = RunFilterScript(FillFrom(*db_, kPlacesInOrder));
    ExpectSameSteps(RunFilterScript(ConnectTo(*db_, "places")), filtered);
    ExpectFilterScriptReached(filtered);
}

TEST_F(ServerModeTest, SingleRowChangesAreRefusedAndNewRowsEndServerMode) {
    PrepareWith(control(), ConnectTo(*db_, "places"));
    ASSERT_EQ(control().ListCount(), 3000);
    EXPECT_EQ(ErrorOf([&] { control().AddItem("x;y"); }), vberr::InvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { control().RemoveItem(0); }), vberr::InvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { control().ArrayWithItems(); }), vberr::InvalidProcedureCall);
    EXPECT_EQ(control().ListCount(), 3000);

    control().ConnectComboBoxMultiColumn(*db_, "SELECT code, name FROM places", "code");
    control().ListIndex(99);
    EXPECT_EQ(control().Text(), "C00100");
    control().Clear();
    EXPECT_EQ(control().ListCount(), 0);
    EXPECT_EQ(ListState().count, 0);
    EXPECT_TRUE(DisplayText(control().Value()).empty());

    control().ConnectComboBoxMultiColumn(*db_, "places", "");
    control().FillComboBoxMultiColumn(*db_, "SELECT name, code FROM places WHERE code < 'C00010'");
    EXPECT_EQ(control().ListCount(), 9);
    EXPECT_TRUE(world().MessageBoxes().empty());
}

TEST_F(ServerModeTest, RowsThatOthersAddOrRemoveNeverShowTwice) {
    PrepareWith(control(), ConnectTo(*db_, "places"));
    control().Value(Variant("C01234"));
    const std::int32_t before = control().ListIndex();
    const auto writer = file_.OpenWritable();
    writer->Execute("INSERT INTO places VALUES ('Alpha 0', 'N00001'), ('alpha 0', 'N00002');");

    // The count is read anew, and the rows are read again around the row the value finds.
    EXPECT_EQ((std::tuple{control().ListCount(), ListState().count}), std::tuple(3002, 3002));
    control().Value(Variant("C01234"));
    EXPECT_EQ((std::tuple{control().ListIndex(), control().Text()}),
              std::tuple(before + 2, "BETA 34"));

    writer->Execute("DELETE FROM places WHERE code > 'C02000'");
    // Removed, and the two added after them in the order.
    EXPECT_EQ(control().ListCount(), 2000);
    control().ShowDropDown();
    std::vector<std::string> sorted = ReaderNames(control(), 0, control().ListCount());
    EXPECT_EQ(std::ranges::count(sorted, "?"), 0) << "a row cannot be read";
    std::ranges::sort(sorted);
    EXPECT_EQ(std::ranges::adjacent_find(sorted), sorted.end()) << "a row is shown twice";
    EXPECT_TRUE(world().MessageBoxes().empty());
}

// Rows that others add before the current and the committed row (among the rows read, or above
// them), counted when a host reads ListCount, move both down the list; they stay the rows they
// were, whether the places are estimated (the rowid) or counted (a named key).
TEST_F(ServerModeTest, ARecountKeepsTheCurrentAndTheCommittedRowOnTheirRows) {
    for (const auto& [key, added] :
         {std::pair{"", "('beta 339 y', 'N1'), ('BETA 339 z', 'N2')"},
          std::pair{"", "('Alpha 0 a', 'N1'), ('alpha 0 b', 'N2')"},
          std::pair{"code", "('beta 339 y', 'N1'), ('BETA 339 z', 'N2')"},
          std::pair{"code", "('Alpha 0 a', 'N1'), ('alpha 0 b', 'N2')"}}) {
        SCOPED_TRACE(std::string("key '") + key + "', added " + added);
        Session s;
        Prepare(s.control());
        s.control().ConnectComboBoxMultiColumn(*db_, "places", key);
        s.control().Value(Variant("C01234"));
        s.Focus();
        s.user().PressKey(vbKeyReturn);
        // The current row far below the committed one, past the rows read around it.
        s.control().ShowDropDown();
        for (int i = 0; i < 40; ++i)
            s.user().PressKey(vbKeyPageDown);
        const auto look = [&] {
            return std::tuple{s.control().ListIndex(), DisplayText(s.control().Value()),
                              DisplayText(s.control().Column(0)), s.control().Text()};
        };
        const auto current = look();
        s.user().PressKey(vbKeyEscape);
        const auto committed = look();
        ASSERT_EQ(DisplayText(s.control().Value()), "C01234");
        s.control().ShowDropDown();
        for (int i = 0; i < 40; ++i)
            s.user().PressKey(vbKeyPageDown);

        const auto writer = file_.OpenWritable();
        writer->Execute(std::string("INSERT INTO places VALUES ") + added);
        EXPECT_EQ(s.control().ListCount(), 3002);
        const auto twoDown = [](auto seen) { return std::get<0>(seen) += 2, seen; };
        EXPECT_EQ(look(), twoDown(current));
        s.user().PressKey(vbKeyEscape);
        EXPECT_EQ(look(), twoDown(committed));
        // The rows read before the rows came, from the committed row to the current one, are
        // read again: the list shows there what the same rows in memory show.
        const std::int32_t from = std::get<0>(committed);
        const std::int32_t rows = std::get<0>(current) + 4 - from;
        // Read before the rows in memory are made: a thread's newest session is its current one.
        const std::vector<std::string> shown = ReaderNames(s.control(), from, rows);
        EXPECT_EQ(shown, [&] {
            Session memory;
            PrepareWith(memory.control(), FillFrom(*db_, kPlacesInOrder));
            return ReaderNames(memory.control(), from, rows);
        }());
        writer->Execute("DELETE FROM places WHERE code IN ('N1', 'N2')");
        EXPECT_EQ(s.control().ListCount(), 3000);
        EXPECT_EQ(look(), committed);
        EXPECT_TRUE(s.world().MessageBoxes().empty());
    }
}

// A server's table is fitted to the rows on show, as the list shows them: the widths are those
// of the same rows filled into memory, also where the typed text filters the list.
TEST_F(ServerModeTest, FittedWidthsAreThoseOfTheRowsOnShow) {
    control().ListRows(std::int16_t{6});
    PrepareWith(control(), ConnectTo(*db_, "places"));
    control().Value(Variant("C01234"));
    control().ShowDropDown();
    const int top = ListState().top;
    const std::string fitted = control().FitColumnWidths();

    Focus();
    control().FilterList(true);
    user().SelectText(0, 100);
    user().TypeText("delta 39");
    ASSERT_TRUE(AwaitServerAnswers(control()));
    const std::string filtered = control().FitColumnWidths();

    const auto inMemory = [&](const std::string& where, int from) {
        SimControl s;
        PrepareWith(s.control(), FillFrom(*db_, "SELECT * FROM places " + where +
                                                    " ORDER BY name COLLATE NOCASE, rowid LIMIT 6"
                                                    " OFFSET " +
                                                    std::to_string(from)));
        return s.control().FitColumnWidths();
    };
    EXPECT_EQ((std::pair{fitted, filtered}),
              (std::pair{inMemory("", top), inMemory("WHERE name LIKE 'delta 39%'", 0)}));
    EXPECT_NE(fitted, filtered) << "the two sets of rows measure alike";
}

TEST_F(ServerModeTest, AServerThatFailsMidSessionIsReportedOnceAndTheRowsReadStay) {
    PrepareWith(control(), ConnectTo(*db_, "places"));
    control().Value(Variant("C00800"));
    const std::int32_t shownRow = control().ListIndex();
    const std::optional<std::string> shownName = control().RowName(shownRow);
    ASSERT_TRUE(shownName);
    file_.OpenWritable()->Execute("DROP TABLE places");

    // Rows far from those read cannot come; those read stay, and so does the committed row.
    EXPECT_FALSE(control().RowName(2900));
    EXPECT_FALSE(control().RowName(10));
    control().ShowDropDown();
    Focus();
    user().PressKey(vbKeyPageDown);
    user().TypeText("x");
    control().Value(Variant("C00900"));
    EXPECT_EQ(ReportTitles(),
              (std::vector<std::string>{"ColumnPick - ConnectComboBoxMultiColumn"}));
    EXPECT_EQ(control().RowName(shownRow), shownName);
    EXPECT_EQ(control().ListCount(), 3000) << "the count last read stays";

    // A new connection to rows that exist makes the list whole again.
    control().ConnectComboBoxMultiColumn(*file_.Open(), "SELECT 'only' AS name, 1 AS id", "id");
    EXPECT_EQ((std::tuple{control().ListCount(), control().RowName(0), ReportTitles().size()}),
              std::tuple(1, "only, 1", 1u));
}

// probe(x) = x after a short stay inside the engine, counting the threads inside it at once.
std::atomic<int> gInside{0};
std::atomic<int> gMostInside{0};

void Probe(sqlite3_context* context, int, sqlite3_value** argv) {
    const int now = ++gInside;
    for (int most = gMostInside; now > most && !gMostInside.compare_exchange_weak(most, now);) {
    }
    std::this_thread::sleep_for(std::chrono::microseconds(300));
    --gInside;
    sqlite3_result_value(context, argv[0]);
}

int RegisterProbe(sqlite3* db, char**, const sqlite3_api_routines*) {
    return sqlite3_create_function(db, "probe", 1, SQLITE_UTF8, nullptr, Probe, nullptr, nullptr);
}

// The list reads on its query thread while the host goes on using the same database object on
// the window's thread, as a fill of another list would: the two never run in the engine at once.
TEST(ServerModeThreads, TheQueryThreadAndTheHostTakeTheConnectionInTurn) {
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(RegisterProbe));
    {
        TempDatabase file(SqlitePlaces(3000));
        const auto db = file.Open();
        Session s;
        Prepare(s.control());
        s.control().ConnectComboBoxMultiColumn(*db, "SELECT probe(name) AS name, code FROM places",
                                               "code");
        s.Focus();
        s.user().TypeText("zz");  // a text whose search scans the rows on the query thread
        EXPECT_EQ(RowsOf(*db, "SELECT count(probe(code)) FROM places"), "3000\n");
        EXPECT_TRUE(AwaitServerAnswers(s.control()));
        EXPECT_EQ(gMostInside, 1);
    }
    sqlite3_reset_auto_extension();
}

}  // namespace
}  // namespace cp::test
