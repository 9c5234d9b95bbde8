// Server mode over a table of 10,000,000 rows x 3 fields (CP_BENCH_SERVER_ROWS another number)
// with the indexes that serve the reads, in an SQLite file (argument 0) and on the PostgreSQL
// server that CP_BENCH_POSTGRES names (argument 1), each made once and kept: the file in the
// build tree, the table in the server's cluster (scripts/bench.sh keeps it in build/bench/pg).
// Measured: connecting and reading the first 15 rows, a keystroke's completion (median and
// worst of its rounds), a Value write and a page down, each against the bare query that finds
// the same row (the baseline); what a host's read of ListIndex after a found row costs (the
// one count of the rows before it); and the heap that a connected list takes through a session
// of those steps. Then typing on a server that answers each read 200 ms late: the keys typed,
// those the edit field showed at once, and the longest time the window's thread took to answer
// a message meanwhile.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchControl.h"
#include "bench/ServerModeBench/SlowPostgres.h"
#include "data/odbc/OdbcDatabase.h"
#include "data/sqlite/SqliteDatabase.h"
#include "platform/sim/User.h"
#include "runtime/Conversions.h"
#include "tests/support/ColumnPickProbe.h"
#include "tests/support/SlowServer.h"

namespace {

int Rows() {
    const char* rows = std::getenv("CP_BENCH_SERVER_ROWS");
    return rows ? std::atoi(rows) : 10'000'000;
}

// The file, made on the first call when it is not there yet.
const std::string& Path() {
    static const std::string path = [] {
        const std::string file = std::string(CP_BENCH_DATA_DIR) + "/server-mode-" +
                                 std::to_string(Rows()) + "-v2.sqlite";
        if (std::filesystem::exists(file)) return file;
        const std::string building = file + ".part";
        std::filesystem::remove(building);
        auto db = cp::sqlite::SqliteDatabase::Open(building, cp::sqlite::OpenMode::Create);
        db->Execute(
            "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;"
            "CREATE TABLE places (name TEXT, code TEXT, region TEXT);"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
            std::to_string(Rows()) +
            ") INSERT INTO places SELECT printf('%s %07d', char(65 + (i * 7919) % 26, "
            "97 + (i / 26) % 26, 97 + (i / 676) % 26), (i * 7919) % 9999991), printf('C%08d', i), "
            "'Region ' || (i % 97) FROM n;"
            "CREATE INDEX places_name ON places (name COLLATE NOCASE);"
            "CREATE UNIQUE INDEX places_code ON places (code);");
        db.reset();
        std::filesystem::rename(building, file);
        return file;
    }();
    return path;
}

// Prefixes that users type: two to five characters of names that exist.
std::vector<std::string> Prefixes() {
    std::vector<std::string> prefixes;
    std::mt19937 random(7);
    for (int i = 0; i < 64; ++i) {
        const auto letter = [&](char base) { return static_cast<char>(base + random() % 26); };
        std::string p{letter('A'), letter('a'), letter('a'), ' '};
        p += static_cast<char>('0' + random() % 10);
        prefixes.push_back(p.substr(0, 2 + random() % 4));
    }
    return prefixes;
}

enum class Engine { Sqlite, Postgres };

const char* Named(Engine engine) {
    return engine == Engine::Sqlite ? "SQLite" : "PostgreSQL";
}

// The statements that make the server's table: $T its name, $N its rows. It is built under
// another name and renamed at the end, so that a run stopped halfway makes it again.
constexpr const char* kMakeServerTable =
    "DROP TABLE IF EXISTS $T_part; SET maintenance_work_mem = '256MB';"
    "CREATE TABLE $T_part (name TEXT, code TEXT, region TEXT);"
    "INSERT INTO $T_part SELECT chr((65 + (i * 7919) % 26)::int) || chr((97 + (i / 26) % 26)::int)"
    " || chr((97 + (i / 676) % 26)::int) || ' ' || lpad(((i * 7919) % 9999991)::text, 7, '0'),"
    " 'C' || lpad(i::text, 8, '0'), 'Region ' || (i % 97) FROM generate_series(1::int8, $N) AS i;"
    "ALTER TABLE $T_part ADD PRIMARY KEY (code);"
    "CREATE INDEX ON $T_part ((lower(name)) COLLATE \"C\", code);"
    "ANALYZE $T_part; ALTER TABLE $T_part RENAME TO $T;";

std::string Spelt(std::string text, const std::string& table) {
    for (std::size_t at; (at = text.find("$T")) != std::string::npos;)
        text.replace(at, 2, table);
    for (std::size_t at; (at = text.find("$N")) != std::string::npos;)
        text.replace(at, 2, std::to_string(Rows()));
    return text;
}

// The server's table, made on the first call when the server does not hold it yet: the rows
// the SQLite file holds, with a "C"-collated index of the folded names and the codes' primary
// key, and the statistics that place a row without counting. Null when no server is named.
std::shared_ptr<cp::odbc::OdbcDatabase> Server() {
    static const std::shared_ptr<cp::odbc::OdbcDatabase> server =
        []() -> std::shared_ptr<cp::odbc::OdbcDatabase> {
        const char* connection = std::getenv("CP_BENCH_POSTGRES");
        if (!connection) return nullptr;
        auto db = cp::odbc::OdbcDatabase::Open(connection);
        const std::string table = "server_places_" + std::to_string(Rows());
        const auto rs = db->OpenRecordset("SELECT to_regclass('" + table + "') IS NOT NULL",
                                          cp::dbOpenForwardOnly);
        const bool made = cp::CBool(rs->GetRows(1).Array()->At(0, 0));
        rs->Close();
        if (made) return db;
        const auto start = std::chrono::steady_clock::now();
        db->Execute(Spelt(kMakeServerTable, table));
        std::fprintf(
            stderr, "made the server's table %s in %.1f s\n", table.c_str(),
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        return db;
    }();
    return server;
}

// The database and the source that the list connects to; null when the engine is missing.
struct Source {
    std::shared_ptr<cp::Database> db;
    std::string table;
};

Source Open(Engine engine) {
    if (engine == Engine::Sqlite) return {cp::sqlite::SqliteDatabase::Open(Path()), "places"};
    return {Server(), "server_places_" + std::to_string(Rows())};
}

Engine EngineOf(const benchmark::State& state) {
    return state.range(0) == 0 ? Engine::Sqlite : Engine::Postgres;
}

// The engine's source for the benchmark, or none (the benchmark skipped) when it is missing.
std::optional<Source> Opened(benchmark::State& state) {
    Source source = Open(EngineOf(state));
    state.SetLabel(Named(EngineOf(state)));
    if (!source.db) {
        state.SkipWithError("CP_BENCH_POSTGRES names no server");
        return std::nullopt;
    }
    return source;
}

struct Connected {
    cp::bench::BenchControl bench;
    explicit Connected(const Source& source) {
        // The codes are the values: a Value write is a query on their unique index.
        bench.Control().BoundColumn(std::int16_t{1});
        bench.Control().ConnectComboBoxMultiColumn(*source.db, source.table, "");
    }
    cp::ColumnPick& Control() { return bench.Control(); }
};

void Configure(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Arg(0)->Arg(1);
}

void BM_ConnectAndFirstRows(benchmark::State& state) {
    const auto source = Opened(state);
    if (!source) return;
    cp::bench::BenchControl bench;
    for (auto _ : state) {
        bench.Control().ConnectComboBoxMultiColumn(*source->db, source->table, "");
        for (int r = 0; r < 15; ++r)
            benchmark::DoNotOptimize(bench.Control().RowName(r));
    }
}
BENCHMARK(BM_ConnectAndFirstRows)->Apply(Configure);

void BM_Keystroke(benchmark::State& state) {
    const auto source = Opened(state);
    if (!source) return;
    Connected list(*source);
    const auto prefixes = Prefixes();
    std::size_t i = 0;
    std::int64_t found = 0;
    std::vector<double> took;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        list.Control().Text(prefixes[i++ % prefixes.size()]);
        took.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        // Value reads the row found; ListIndex would count the rows before it.
        found += !list.Control().Value().IsNull();
    }
    state.counters["found"] = static_cast<double>(found) / static_cast<double>(state.iterations());
    std::ranges::sort(took);
    state.counters["median_ms"] = took[took.size() / 2];
    state.counters["worst_ms"] = took.back();
}
BENCHMARK(BM_Keystroke)->Apply(Configure);

void BM_ValueWrite(benchmark::State& state) {
    const auto source = Opened(state);
    if (!source) return;
    Connected list(*source);
    std::mt19937 random(11);
    char code[16];
    for (auto _ : state) {
        std::snprintf(code, sizeof code, "C%08d", static_cast<int>(1 + random() % Rows()));
        list.Control().Value(cp::Variant(std::string(code)));
    }
}
BENCHMARK(BM_ValueWrite)->Apply(Configure);

// A host that reads ListIndex after each Value write: the count of the rows before the row.
void BM_ValueWriteAndListIndex(benchmark::State& state) {
    const auto source = Opened(state);
    if (!source) return;
    Connected list(*source);
    std::mt19937 random(13);
    char code[16];
    for (auto _ : state) {
        std::snprintf(code, sizeof code, "C%08d", static_cast<int>(1 + random() % Rows()));
        list.Control().Value(cp::Variant(std::string(code)));
        benchmark::DoNotOptimize(list.Control().ListIndex());
    }
}
BENCHMARK(BM_ValueWriteAndListIndex)->Apply(Configure);

void BM_PageDown(benchmark::State& state) {
    const auto source = Opened(state);
    if (!source) return;
    Connected list(*source);
    list.Control().Value(cp::Variant(std::string("C00500000")));
    std::int32_t row = list.Control().ListIndex();
    for (auto _ : state) {
        row = std::min(row + 15, Rows() - 15);
        list.Control().ListIndex(row);
        for (int r = row; r < row + 15; ++r)
            benchmark::DoNotOptimize(list.Control().RowName(r));
    }
}
BENCHMARK(BM_PageDown)->Apply(Configure);

// The heap that a list takes from connecting through 64 keystrokes, 64 Value writes and 200
// page downs (the SQLite connection's own cache apart: the database's, not the list's).
// Through ODBC the driver's buffers are in the heap too.
void BM_ListMemory(benchmark::State& state) {
    const auto source = Opened(state);
    if (!source) return;
    const auto prefixes = Prefixes();
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        const std::int64_t sqliteBefore = sqlite3_memory_used();
        {
            cp::bench::BenchControl bench;
            cp::ColumnPick& c = bench.Control();
            c.BoundColumn(std::int16_t{1});
            c.ConnectComboBoxMultiColumn(*source->db, source->table, "");
            for (const auto& p : prefixes)
                c.Text(p);
            char code[16];
            for (int v = 0; v < 64; ++v) {
                std::snprintf(code, sizeof code, "C%08d", 1 + (v * 7919) % Rows());
                c.Value(cp::Variant(std::string(code)));
            }
            c.ShowDropDown();
            std::int32_t row = c.ListIndex();
            for (int p = 0; p < 200; ++p) {
                row = std::min(row + 15, Rows() - 15);
                c.ListIndex(row);
                for (int r = row; r < row + 15; ++r)
                    benchmark::DoNotOptimize(c.RowName(r));
            }
            const double heap = static_cast<double>(mallinfo2().uordblks - before) -
                                static_cast<double>(sqlite3_memory_used() - sqliteBefore);
            state.counters["list_MB"] = heap / (1024.0 * 1024.0);
            state.counters["sqlite_cache_MB"] =
                static_cast<double>(sqlite3_memory_used() - sqliteBefore) / (1024.0 * 1024.0);
        }
    }
}
BENCHMARK(BM_ListMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(0)->Arg(1);

// The baseline: the prefix's first row read by the bare engine, no count of the rows before it
// (on PostgreSQL, the same query through the ODBC recordset that the list's reads use).
void BarePrefixQuery(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(Path().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT name, code, region FROM places WHERE name >= ?1 COLLATE NOCASE "
                       "ORDER BY name COLLATE NOCASE, rowid LIMIT 1",
                       -1, &stmt, nullptr);
    const auto prefixes = Prefixes();
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& p = prefixes[i++ % prefixes.size()];
        sqlite3_bind_text(stmt, 1, p.c_str(), -1, SQLITE_TRANSIENT);
        benchmark::DoNotOptimize(sqlite3_step(stmt));
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

void BarePrefixQueryOnServer(benchmark::State& state, const Source& source) {
    const auto prefixes = Prefixes();
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& p = prefixes[i++ % prefixes.size()];
        const auto rs =
            source.db->OpenRecordset("SELECT name, code, region FROM " + source.table +
                                         " WHERE lower(name) COLLATE \"C\" >= lower('" + p +
                                         "') ORDER BY lower(name) COLLATE \"C\", code LIMIT 1",
                                     cp::dbOpenForwardOnly);
        benchmark::DoNotOptimize(rs->GetRows(1));
        rs->Close();
    }
}

void BM_BarePrefixQuery(benchmark::State& state) {
    const auto source = Opened(state);
    if (!source) return;
    if (EngineOf(state) == Engine::Sqlite) {
        BarePrefixQuery(state);
    } else {
        BarePrefixQueryOnServer(state, *source);
    }
}
BENCHMARK(BM_BarePrefixQuery)->Apply(Configure);

// --- A slow server -------------------------------------------------------------------------

// How late the slow server answers, and how fast the user types: a key every 50 ms, so that
// several keys fall into each read.
constexpr std::chrono::milliseconds kSlowAnswer{200};
constexpr std::chrono::milliseconds kKeyGap{50};
// A character that no name holds: typed after a name's start, the text finds no row.
constexpr char kNoName = '#';

// The value of a field of an ODBC connection string ("" when it has none).
std::string FieldOf(const std::string& connection, const std::string& field) {
    const std::size_t at = connection.find(field + "=");
    if (at == std::string::npos) return {};
    const std::size_t from = at + field.size() + 1;
    return connection.substr(from, connection.find(';', from) - from);
}

// The engine's rows answering each read kSlowAnswer late: SQLite's native rows, each read
// delayed in the process; PostgreSQL's through a relay in front of the server that holds back
// each answer of the server's (every round trip of the driver), the whole path real.
struct SlowSource {
    std::unique_ptr<cp::bench::SlowPostgres> relay;
    Source source;
};

std::optional<SlowSource> OpenedSlowly(benchmark::State& state) {
    const auto fast = Opened(state);
    if (!fast) return std::nullopt;
    SlowSource slow;
    slow.source.table = fast->table;
    if (EngineOf(state) == Engine::Sqlite) {
        slow.source.db = std::make_shared<cp::test::SlowServer>(fast->db, kSlowAnswer);
        return slow;
    }
    std::string connection = std::getenv("CP_BENCH_POSTGRES");
    const std::string directory = FieldOf(connection, "Servername");
    const std::string port = FieldOf(connection, "Port");
    slow.relay = std::make_unique<cp::bench::SlowPostgres>(
        directory, port.empty() ? 5432 : std::atoi(port.c_str()), kSlowAnswer);
    connection.replace(connection.find(directory), directory.size(), slow.relay->Directory());
    slow.source.db = cp::odbc::OdbcDatabase::Open(connection);
    return slow;
}

// The bench's control connected to the slow source, bound to its second column, its edit
// field focused by the user.
cp::ColumnPick& ConnectSlowly(cp::bench::BenchControl& bench, cp::sim::User& user,
                              const SlowSource& slow) {
    cp::ColumnPick& c = bench.Control();
    c.BoundColumn(std::int16_t{1});
    c.ConnectComboBoxMultiColumn(*slow.source.db, slow.source.table, "");
    user.Focus(bench.EditHwnd());
    return c;
}

std::string Folded(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The window's thread while the user types: the longest that it took to answer one message
// (a key, or the messages that DoEvents runs, the server's answers among them).
class WindowThread {
public:
    explicit WindowThread(cp::sim::World& world) : world_(world) {}
    template <class Step>
    void Timed(Step&& step) {
        const auto start = std::chrono::steady_clock::now();
        step();
        longest_ = std::max(longest_, std::chrono::steady_clock::now() - start);
    }
    // Runs the window's messages for a while, as its message loop does.
    void RunFor(std::chrono::milliseconds time) {
        const auto end = std::chrono::steady_clock::now() + time;
        while (std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            Timed([&] { world_.DoEvents(); });
        }
    }
    // Runs them until the newest text's answer was taken; false when it never came.
    bool RunUntilAnswered(cp::ColumnPick& control) {
        cp::ColumnPickProbe probe(control);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (probe.ServerQuestionOutstanding()) {
            if (std::chrono::steady_clock::now() > end) return false;
            RunFor(std::chrono::milliseconds(1));
        }
        return true;
    }
    double LongestMs() const { return std::chrono::duration<double, std::milli>(longest_).count(); }

private:
    cp::sim::World& world_;
    std::chrono::steady_clock::duration longest_{};
};

// Types prefixes into a list connected to a slow server, a key every kKeyGap, and waits for
// each prefix's completion. A key counts as reflected when the edit field shows the text typed
// so far right after it; a prefix as completed when its answer came and the text still begins
// with every key typed. Before each word the text is emptied, and the list's first rows awaited.
// After every second word a key that no name holds follows the completion: the text then finds
// no row, and the list goes from the word's row to the table's first rows. The second
// argument: 1 types into the open list, which draws the rows that each answer brings.
void BM_SlowServerTyping(benchmark::State& state) {
    auto slow = OpenedSlowly(state);
    if (!slow) return;
    const bool open = state.range(1) != 0;
    const auto prefixes = Prefixes();
    for (auto _ : state) {
        cp::bench::BenchControl bench;
        cp::sim::User user(bench.World());
        cp::ColumnPick& c = ConnectSlowly(bench, user, *slow);
        if (open) c.ShowDropDown();
        WindowThread window(bench.World());
        std::int64_t typed = 0, reflected = 0, completed = 0, found = 0, emptied = 0;
        std::int64_t unfound = 0;
        const std::size_t words = 8;
        for (std::size_t w = 0; w < words; ++w) {
            const std::string& word = prefixes[w];
            // The text is emptied before the next word, as a user does who selects it and
            // deletes it: the open list shows the table's first rows once they come.
            user.SelectText(0, static_cast<int>(c.Text().size()));
            window.Timed([&] { user.PressKey(cp::vbKeyBack); });
            emptied += window.RunUntilAnswered(c) && c.Text().empty();
            for (std::size_t k = 1; k <= word.size(); ++k) {
                window.Timed([&] { user.TypeText(word.substr(k - 1, 1)); });
                ++typed;
                reflected += Folded(c.Text()).starts_with(Folded(word.substr(0, k)));
                window.RunFor(kKeyGap);
            }
            const bool answered = window.RunUntilAnswered(c);
            completed += answered && Folded(c.Text()).starts_with(Folded(word));
            found += answered && c.Text().size() > word.size();
            if (w % 2 == 0) continue;
            // The key replaces the completed tail, which is selected.
            window.Timed([&] { user.TypeText(std::string(1, kNoName)); });
            ++typed;
            reflected += c.Text() == word + kNoName;
            unfound +=
                window.RunUntilAnswered(c) && c.Text() == word + kNoName && c.ListIndex() == -1;
        }
        state.counters["keys_typed"] = static_cast<double>(typed);
        state.counters["keys_reflected"] = static_cast<double>(reflected);
        state.counters["texts_completed"] = static_cast<double>(completed);
        state.counters["texts_found"] = static_cast<double>(found);
        state.counters["texts_emptied"] = static_cast<double>(emptied);
        state.counters["texts_unfound"] = static_cast<double>(unfound);
        state.counters["window_longest_ms"] = window.LongestMs();
        if (slow->relay)
            state.counters["answers_held"] = static_cast<double>(slow->relay->Answers());
    }
}
BENCHMARK(BM_SlowServerTyping)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->ArgsProduct({{0, 1}, {0, 1}});

// Pages down the open list of a slow server, twenty pages, the window's messages running for a
// while between the keys as a user reads each page: the longest that the window took to answer
// one message, a key or the messages that DoEvents runs.
void BM_SlowServerPaging(benchmark::State& state) {
    auto slow = OpenedSlowly(state);
    if (!slow) return;
    constexpr int kPages = 20;
    for (auto _ : state) {
        cp::bench::BenchControl bench;
        cp::sim::User user(bench.World());
        cp::ColumnPick& c = ConnectSlowly(bench, user, *slow);
        c.ListIndex(0);
        c.ShowDropDown();
        WindowThread window(bench.World());
        window.RunFor(2 * kSlowAnswer);
        for (int page = 0; page < kPages; ++page) {
            window.Timed([&] { user.PressKey(cp::vbKeyPageDown); });
            window.RunFor(2 * kSlowAnswer);
        }
        state.counters["row_reached"] = static_cast<double>(c.ListIndex());
        state.counters["window_longest_ms"] = window.LongestMs();
    }
}
BENCHMARK(BM_SlowServerPaging)->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(0);

}  // namespace

BENCHMARK_MAIN();
