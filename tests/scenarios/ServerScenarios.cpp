// A list in server mode over an SQLite file read through SQLite's ODBC driver, the way the
// component reads one on Windows: a search of any part of the rows, a thumb dragged far down a
// large table, and a slow server that the window never waits for. The keys, clicks and Value
// writes on the server's rows are held against the same rows in memory by the scripts of
// tests/support/sim/ServerModeScript.h, on every engine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "data/KeyedRows.h"
#include "data/odbc/OdbcDatabase.h"
#include "data/rows/RowBlock.h"
#include "tests/scenarios/ScenarioFixture.h"
#include "tests/support/AwaitAnswers.h"
#include "tests/support/CountedServer.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/SlowServer.h"

namespace cp::test {
namespace {

using ::testing::AnyOf;
using ::testing::Contains;
using ::testing::Each;

// The name of town number `town`, written with `digits` digits: "town 0042".
std::string Town(int town, int digits) {
    const std::string number = std::to_string(town);
    return "town " + std::string(digits - std::min<int>(digits, std::ssize(number)), '0') + number;
}

// The 8 rows from town first on as a reader names them: "town 0042, T0042".
std::vector<std::string> TownRows(int first, int digits) {
    std::vector<std::string> names;
    for (int town = first; town < first + 8; ++town)
        names.push_back(Town(town, digits) + ", T" + Town(town, digits).substr(5));
    return names;
}

// A list of `count` towns "town 000" on with the codes "T000" on (bound), in server mode on an
// SQLite file of the test's own read through SQLite's ODBC driver. The towns are inserted out
// of order, so that the list's order is the server's and not the insertion's.
class TownsScenario : public ControlScenario {
protected:
    void MakeTowns(int count, int digits) {
        std::remove(path_.c_str());
        db_ = odbc::OdbcDatabase::Open("Driver=SQLite3;Database=" + path_);
        const std::string number = "%0" + std::to_string(digits) + "d', (i * 7) % ";
        // The driver runs one statement at a time.
        db_->Execute("CREATE TABLE towns (name TEXT, code TEXT PRIMARY KEY)");
        db_->Execute("CREATE INDEX towns_name ON towns (name COLLATE NOCASE)");
        db_->Execute("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                     std::to_string(count - 1) + ") INSERT INTO towns SELECT printf('town " +
                     number + std::to_string(count) + "), printf('T" + number +
                     std::to_string(count) + ") FROM n");
        control.ColumnCount(std::int16_t{2});
        control.ColumnWidths("1500;800");
        control.BoundColumn(std::int16_t{1});  // the codes
    }
    void TearDown() override {
        ControlScenario::TearDown();
        db_.reset();
        std::remove(path_.c_str());
    }
    // Named by suite and test: the scenarios of both window systems may run at once.
    const ::testing::TestInfo& test_ = *::testing::UnitTest::GetInstance()->current_test_info();
    const std::string path_ = std::string(CP_SCENARIO_SCRATCH) + "/" + test_.test_suite_name() +
                              "." + test_.name() + ".sqlite";
    std::shared_ptr<odbc::OdbcDatabase> db_;
};

// 500 towns "town 000" to "town 499".
class ServerScenario : public TownsScenario {
protected:
    void SetUp() override {
        MakeTowns(500, 3);
        control.ConnectComboBoxMultiColumn(*db_, "towns", "");
        events.ClearLog();
    }
};

// Any part of the name or the code, through the file's FTS5 table: the list's row follows the
// server's first match, the text stays as typed, and Enter commits the row. A search the file
// has no table for is refused.
TEST_F(ServerScenario, AnyPartOfTheNameOrCodeFindsTheServersRowAndEnterCommitsIt) {
    db_->Execute(
        "CREATE VIRTUAL TABLE towns_trigram USING fts5(name, code, content='towns', "
        "tokenize='trigram')");
    db_->Execute("INSERT INTO towns_trigram(towns_trigram) VALUES ('rebuild')");
    control.MatchMode(2);
    control.SearchColumns("0;1");
    EXPECT_EQ(ErrorOf([&] { control.MatchMode(1); }), rows::kErrNotSupported);
    EXPECT_EQ(control.MatchMode(), 2);

    driver->FocusControl(control);
    driver->TypeText("N 49");
    ASSERT_TRUE(AwaitServerAnswers(control));
    EXPECT_EQ(Read(), (Reading{"N 49", 4, 0, 490, 490, false}));
    driver->SelectText(0, 4);
    driver->TypeText("t12");
    ASSERT_TRUE(AwaitServerAnswers(control));
    // No name holds "t12": the codes T120 to T129 do.
    EXPECT_EQ(Read(), (Reading{"t12", 3, 0, 120, 120, false}));
    driver->PressKey(vbKeyReturn);
    EXPECT_EQ(Read(), (Reading{"town 120", 0, 8, 120, 120, false}));
    EXPECT_EQ((std::tuple{CStr(control.Value()), CommittedRow()}), std::tuple("T120", 120));
}

// 5,000 towns "town 0000" to "town 4999" on a server that tells its reads and counts and
// estimates its rows as a server's statistics would: every hundredth name at its share of the
// order.
constexpr int kFarTowns = 5000;

class FarServerScenario : public TownsScenario {
protected:
    static constexpr int kShown = 8;  // the rows the open list shows

    void SetUp() override {
        MakeTowns(kFarTowns, 4);
        server_ = std::make_shared<CountedServer>(db_, 1, Sampled());
        control.ConnectComboBoxMultiColumn(*server_, "towns", "");
    }
    void TearDown() override {
        // The rows read ahead may still be on their way: the query thread ends before the
        // server whose reads it counts goes.
        control.Clear();
        server_.reset();
        TownsScenario::TearDown();
    }
    static RowsEstimate Sampled() {
        std::vector<std::string> names;
        for (int town = 0; town < kFarTowns; town += 100)
            names.push_back(Town(town, 4));
        return SampledEstimate(kFarTowns, std::move(names));
    }
    std::vector<std::string> Shown() { return RowNames(driver->ListTopIndex(control), kShown); }
    // Drags the thumb to position and lets the window's messages run; the reads the window's
    // thread took (the rows read ahead on the way come on the query thread as its timing allows).
    int DragTo(int position) {
        EXPECT_TRUE(AwaitServerAnswers(control));
        const int before = server_->windowReads;
        driver->DragListThumb(control, position);
        host::DoEvents();
        EXPECT_TRUE(AwaitServerAnswers(control));
        return server_->windowReads - before;
    }

    std::shared_ptr<CountedServer> server_;
};

// The thumb dragged to the middle and to the end reads only the rows where it lets go (a few
// reads on the window's thread, none of the pages between, no count), shows the towns
// there, and a click there commits the town clicked.
TEST_F(FarServerScenario, AFarThumbDragReadsOnlyTheRowsWhereItLetsGo) {
    driver->FocusControl(control);
    control.ShowDropDown();
    ASSERT_EQ(driver->ListWindowCount(control), kFarTowns);

    EXPECT_LE(DragTo(kFarTowns / 2), 4);
    EXPECT_EQ(driver->ListTopIndex(control), kFarTowns / 2);
    EXPECT_EQ(Shown(), TownRows(kFarTowns / 2, 4));
    EXPECT_LE(DragTo(kFarTowns - kShown), 4);
    EXPECT_EQ(Shown(), TownRows(kFarTowns - kShown, 4));
    EXPECT_EQ(server_->counts, 0);

    ClickListRow(2);
    const int clicked = kFarTowns - kShown + 2;
    EXPECT_EQ((std::tuple{Text(), CStr(control.Value()), control.ListIndex()}),
              std::tuple(Town(clicked, 4), "T" + Town(clicked, 4).substr(5), clicked));
}

// Escape after the list moved far from the committed row takes that row back as it was kept,
// reading nothing: the list is closed. Opening the list on it again does not wait for the rows
// around it on a slow server: they come from the query thread, and the list goes to it then.
TEST_F(FarServerScenario, TheCommittedRowKeptByItselfComesBackWithoutTheWindowWaiting) {
    SlowServer slow(server_, std::chrono::milliseconds(200));
    control.ConnectComboBoxMultiColumn(slow, "towns", "");
    driver->FocusControl(control);
    driver->TypeText("town 0010");
    ASSERT_TRUE(AwaitServerAnswers(control));
    driver->PressKey(vbKeyReturn);
    control.ShowDropDown();
    driver->SelectText(0, 9);
    driver->TypeText("town 4");
    ASSERT_TRUE(AwaitServerAnswers(control));
    ASSERT_GT(driver->ListTopIndex(control), 3000);

    const int before = server_->reads;
    driver->PressKey(vbKeyEscape);
    EXPECT_EQ((std::tuple{server_->reads.load(), Text(), driver->ListVisible(control)}),
              std::tuple(before, "town 0010", false));

    slow.WindowStep([&] { control.ShowDropDown(); });
    EXPECT_EQ(slow.ReadsHeldUp(), 0) << "the list waited for the rows around the committed row";
    EXPECT_TRUE(driver->ListVisible(control));
    // A key waits for them, and moves on from the committed row.
    driver->PressKey(vbKeyDown);
    EXPECT_EQ(Read(), (Reading{"town 0011", 0, 9, 11, 11, true}));
    EXPECT_EQ(driver->ListTopIndex(control), 10);
}

// The same towns on a server that answers each read after 200 ms: the window never waits for it
// while the user types.
class SlowServerScenario : public ServerScenario {
protected:
    void SetUp() override {
        ServerScenario::SetUp();
        slow_ = std::make_shared<SlowServer>(db_, std::chrono::milliseconds(200));
        control.ConnectComboBoxMultiColumn(*slow_, "towns", "");
        events.ClearLog();
    }
    // Types text a key at a time, as fast as the window takes them.
    void TypeQuickly(const std::string& text) {
        for (const char c : text)
            slow_->WindowStep([&] { driver->TypeText(std::string(1, c)); });
    }
    // Lets the window's messages run while busy() holds, 20 s at most; returns every text the
    // edit field showed meanwhile.
    template <class Busy>
    std::vector<std::string> PumpWhile(Busy&& busy) {
        std::vector<std::string> shown;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (busy() && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            slow_->WindowStep([] { host::DoEvents(); });
            shown.push_back(Text());
        }
        return shown;
    }
    // Until the server's answer has been taken.
    std::vector<std::string> PumpUntilAnswered() {
        ColumnPickProbe probe(control);
        auto shown = PumpWhile([&] { return probe.ServerQuestionOutstanding(); });
        EXPECT_FALSE(probe.ServerQuestionOutstanding()) << "the server never answered";
        return shown;
    }
    // While rows read ahead of the open list are on their way.
    void PumpWhileReadingAhead() {
        ColumnPickProbe probe(control);
        PumpWhile([&] { return probe.ServerReadingAhead(); });
        EXPECT_FALSE(probe.ServerReadingAhead()) << "the rows read ahead never came";
    }
    // The list open far down the table, on "town 490" typed and completed.
    void OpenFarDown() {
        driver->FocusControl(control);
        TypeQuickly("town 49");
        PumpUntilAnswered();
        control.ShowDropDown();
        ASSERT_GT(driver->ListTopIndex(control), 400);
    }
    void ExpectTheWindowNeverWaited() {
        EXPECT_EQ(slow_->ReadsHeldUp(), 0) << "a key or an answer waited for a read of the server";
    }

    std::shared_ptr<SlowServer> slow_;
};

TEST_F(SlowServerScenario, KeysTypedQuicklyAreAllTakenAndOnlyTheNewestTextCompletesOrCommits) {
    driver->FocusControl(control);
    events.ClearLog();
    TypeQuickly("TOWN 12");
    const std::vector<std::string> shown = PumpUntilAnswered();
    ExpectTheWindowNeverWaited();

    EXPECT_EQ(Read(), (Reading{"town 120", 7, 1, 120, 120, false}));
    EXPECT_EQ(CStr(control.Value()), "T120");
    EXPECT_THAT(Log(), Contains("Change").Times(7)) << "a key was lost";
    // The answers to the texts typed over never showed.
    EXPECT_THAT(shown, Each(AnyOf("TOWN 12", "town 120")));

    // Enter right after typing commits the row of the newest text.
    driver->SelectText(0, 8);
    TypeQuickly("town 49");
    events.ClearLog();
    driver->PressKey(vbKeyReturn);
    EXPECT_EQ(Read(), (Reading{"town 490", 0, 8, 490, 490, false}));
    EXPECT_EQ(CommittedRow(), 490);
    EXPECT_THAT(Log(), Contains("AfterUpdate"));
}

// A filtered list of a slow server: the rows and their count come after the keys, and only
// those of the newest text show.
TEST_F(SlowServerScenario, AFilteredListShowsOnlyTheRowsOfTheNewestTextAndEveryRowWhenEmptied) {
    control.FilterList(true);
    driver->FocusControl(control);
    TypeQuickly("town 4");
    const std::vector<std::string> shown = PumpUntilAnswered();
    ExpectTheWindowNeverWaited();
    EXPECT_EQ(Read(), (Reading{"town 400", 6, 2, 400, 0, false}));
    EXPECT_EQ(driver->ListWindowCount(control), 100);
    EXPECT_THAT(shown, Each(AnyOf("town 4", "town 400")));
    // A text that finds none, FilterList put off before its answer came, leaves no row current.
    TypeQuickly("x");
    control.FilterList(false);
    PumpUntilAnswered();
    EXPECT_EQ(Read(), (Reading{"town 4x", 7, 0, -1, -1, false}));

    // Filtered again, the open list keeps the rows of the text before until the emptied text's
    // answer shows every row from the top.
    control.FilterList(true);
    control.ShowDropDown();
    driver->SelectText(0, 7);
    TypeQuickly("town 4");
    PumpUntilAnswered();
    ASSERT_EQ(driver->ListWindowCount(control), 100);
    driver->SelectText(0, 8);
    slow_->WindowStep([&] { driver->PressKey(vbKeyBack); });
    EXPECT_EQ(driver->ListWindowCount(control), 100);
    PumpUntilAnswered();
    ExpectTheWindowNeverWaited();
    EXPECT_EQ(Read(), (Reading{"", 0, 0, -1, -1, true}));
    EXPECT_EQ(driver->ListWindowCount(control), 500);
    EXPECT_EQ(driver->ListTopIndex(control), 0);
    EXPECT_EQ(control.RowName(0), "town 000, T000");
}

// The open list stands far down the table; emptying its text (the user's or the host's) shows
// the table's first rows, which the window does not wait for: they come with the server's
// answer, with no row selected.
TEST_F(SlowServerScenario, EmptyingTheTextOfTheOpenListShowsTheTopRowsWhenTheyCome) {
    ASSERT_NO_FATAL_FAILURE(OpenFarDown());

    driver->SelectText(0, 8);
    slow_->WindowStep([&] { driver->PressKey(vbKeyBack); });
    EXPECT_EQ(Read(), (Reading{"", 0, 0, -1, -1, true}));
    PumpUntilAnswered();
    EXPECT_EQ(Read(), (Reading{"", 0, 0, -1, -1, true}));
    EXPECT_EQ(driver->ListTopIndex(control), 0);
    EXPECT_EQ(control.RowName(0), "town 000, T000");

    // The host's put: the empty text stands for no row before the put returns.
    control.ListIndex(480);
    control.ShowDropDown();
    ASSERT_GT(driver->ListTopIndex(control), 400);
    slow_->WindowStep([&] { control.Text(""); });
    EXPECT_EQ(control.ListIndex(), -1);
    PumpUntilAnswered();
    EXPECT_EQ(driver->ListTopIndex(control), 0);
    EXPECT_EQ(driver->ListSelection(control), -1);
    ExpectTheWindowNeverWaited();

    // A key that moves from the emptied text waits for the top rows and starts at the first.
    control.ListIndex(480);
    control.ShowDropDown();
    driver->SelectText(0, 8);
    driver->PressKey(vbKeyBack);
    driver->PressKey(vbKeyDown);
    EXPECT_EQ(Read(), (Reading{"town 000", 0, 8, 0, 0, true}));

    // A value that the host puts while they are on their way stands when they come.
    driver->PressKey(vbKeyBack);
    control.Value(Variant("T300"));
    PumpUntilAnswered();
    EXPECT_EQ(Read(), (Reading{"town 300", 0, 0, 300, 300, true}));

    // A key typed while the emptied text's rows are on their way wins over them.
    control.ListIndex(480);
    control.ShowDropDown();
    ASSERT_GT(driver->ListTopIndex(control), 400);
    driver->SelectText(0, 8);
    slow_->WindowStep([&] { driver->PressKey(vbKeyBack); });
    TypeQuickly("town 3");
    const std::vector<std::string> shown = PumpUntilAnswered();
    ExpectTheWindowNeverWaited();
    EXPECT_EQ(Read(), (Reading{"town 300", 6, 2, 300, 300, true}));
    EXPECT_GT(driver->ListTopIndex(control), 200);
    EXPECT_THAT(shown, Each(AnyOf("town 3", "town 300")));
}

// A typed text that finds no row leaves no row selected at once, and the open list far down the
// table goes to its first rows when the query thread has read them. A key typed while they are
// on their way wins over them.
TEST_F(SlowServerScenario, ATextThatFindsNoRowShowsTheTopRowsWhenTheyCome) {
    ASSERT_NO_FATAL_FAILURE(OpenFarDown());

    TypeQuickly("x");
    PumpUntilAnswered();
    ExpectTheWindowNeverWaited();
    EXPECT_EQ(Read(), (Reading{"town 49x", 8, 0, -1, -1, true}));
    EXPECT_EQ(driver->ListTopIndex(control), 0);
    EXPECT_EQ(control.RowName(0), "town 000, T000");

    driver->SelectText(0, 8);
    TypeQuickly("town 48");
    PumpUntilAnswered();
    TypeQuickly("x");
    // The text's answer took the selection; the top rows are still to come.
    PumpWhile([&] { return driver->ListSelection(control) != -1; });
    ASSERT_TRUE(ColumnPickProbe(control).ServerQuestionOutstanding());
    slow_->WindowStep([&] { driver->PressKey(vbKeyBack); });
    PumpUntilAnswered();
    ExpectTheWindowNeverWaited();
    EXPECT_EQ(Read(), (Reading{"town 48", 7, 0, 480, 480, true}));
    EXPECT_GT(driver->ListTopIndex(control), 400);

    // A key that moves from the text waits for the first rows too, and starts at the first.
    TypeQuickly("x");
    driver->PressKey(vbKeyDown);
    EXPECT_EQ(Read(), (Reading{"town 000", 0, 8, 0, 0, true}));
    EXPECT_FALSE(ColumnPickProbe(control).ServerQuestionOutstanding());
}

// Paging down the open list past the rows read: the next rows were read ahead while the user
// looked at the last page, so no key waits for the server, and the list shows the table's rows
// in order, each once.
TEST_F(SlowServerScenario, PagingTheOpenListFindsTheNextRowsReadAhead) {
    const auto Page = [&](std::int16_t key, int pages) {
        for (int page = 0; page < pages; ++page) {
            slow_->WindowStep([&] { driver->PressKey(key); });
            PumpWhileReadingAhead();
            const int top = driver->ListTopIndex(control);
            ASSERT_EQ(RowNames(top, 8), TownRows(top, 3)) << page;
        }
        EXPECT_EQ(Text(), Town(control.ListIndex(), 3));
    };
    driver->FocusControl(control);
    control.ListIndex(0);
    control.ShowDropDown();
    PumpWhileReadingAhead();
    Page(vbKeyPageDown, 30);
    EXPECT_GT(control.ListIndex(), 3 * 64);
    // And up from rows found far down, above which nothing was read.
    control.ListIndex(490);
    control.ShowDropDown();
    PumpWhileReadingAhead();
    Page(vbKeyPageUp, 20);
    EXPECT_LT(control.ListIndex(), 490 - 2 * 64);
    ExpectTheWindowNeverWaited();
}

TEST_F(SlowServerScenario, LeavingServerModeWhileTheServerReadsDropsItsAnswer) {
    driver->FocusControl(control);
    TypeQuickly("town 3");
    control.AddList("alpha;A1;beta;B1");
    EXPECT_EQ(control.ListCount(), 2);
    host::DoEvents();
    EXPECT_EQ(Text(), "town 3");
    EXPECT_EQ(control.ListIndex(), -1);

    // And the list goes while the server reads: the test ends with the read running.
    control.ConnectComboBoxMultiColumn(*slow_, "towns", "");
    TypeQuickly("4");
}

}  // namespace
}  // namespace cp::test
