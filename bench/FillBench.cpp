// Filling the item table with 1,000,000 rows of 3 fields from an SQLite file, against a bare
// sqlite3_step loop that reads the same values: the fill should take at most 1.5 times as long.
// Two tables: names that fit a cell (up to 14 bytes, like most names in a drop-down), and
// longer names that go to the table's text store.
//
// Then both fills (the SQLite one on the short names, and AddList of 1,000,000 rows x 3 against
// a bare split of the same string) once each in a child process of its own, on a fresh heap and
// on one that a host's work has used (bench/ChildProcess.h), each against its baseline measured
// the same way: the target is 1.5 times the baseline on both heaps.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchControl.h"
#include "bench/ChildProcess.h"
#include "bench/ItemRows.h"
#include "data/sqlite/SqliteDatabase.h"

namespace {

constexpr int kRows = 1'000'000;

const char* const kQueries[] = {
    "SELECT id, code, name FROM short_names",
    "SELECT id, code, name FROM long_names",
};

// The database file, built once per run in the temporary directory and removed at the end.
class BenchFile {
public:
    BenchFile()
        : path_((std::filesystem::temp_directory_path() /
                 ("cp_fill_bench_" + std::to_string(::getpid()) + ".sqlite"))
                    .string()) {
        auto db = cp::sqlite::SqliteDatabase::Open(path_, cp::sqlite::OpenMode::Create);
        const std::string rows =
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM "
            "n WHERE i < " +
            std::to_string(kRows) + ") ";
        db->Execute("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;");
        db->Execute("CREATE TABLE short_names (id INTEGER PRIMARY KEY, code TEXT, name TEXT);" +
                    rows +
                    "INSERT INTO short_names SELECT i, printf('C%07d', i), 'Item ' || i FROM n;");
        db->Execute("CREATE TABLE long_names (id INTEGER PRIMARY KEY, code TEXT, name TEXT);" +
                    rows +
                    "INSERT INTO long_names SELECT i, printf('C%07d', i), 'Item ' || i || ' of the "
                    "catalogue' FROM n;");
    }
    ~BenchFile() { std::filesystem::remove(path_); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

const std::string& BenchDatabase() {
    static const BenchFile file;
    return file.Path();
}

// Both table shapes, in milliseconds of the process's processor time, which the other work of
// a shared machine does not add to (both sides run on one thread and wait for nothing), in
// five repetitions whose fastest is reported beside the mean and median.
void Configure(benchmark::internal::Benchmark* b) {
    b->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0)->MeasureProcessCPUTime();
    b->Repetitions(5);
    b->ComputeStatistics(
        "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

// The baseline: every value of every row read from SQLite, nothing kept; answers the rows.
int BareStepLoop(const std::string& path, const char* query) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, query, -1, &stmt, nullptr);
    std::int64_t sum = 0;
    int rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        sum += sqlite3_column_int64(stmt, 0);
        for (int field = 1; field <= 2; ++field) {
            benchmark::DoNotOptimize(sqlite3_column_text(stmt, field));
            sum += sqlite3_column_bytes(stmt, field);
        }
        ++rows;
    }
    benchmark::DoNotOptimize(sum);
    sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    return rows;
}

void BM_BareStepLoop(benchmark::State& state) {
    const std::string& path = BenchDatabase();
    const char* query = kQueries[state.range(0)];
    for (auto _ : state) {
        if (BareStepLoop(path, query) != kRows) state.SkipWithError("the table is incomplete");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BareStepLoop)->Apply(Configure);

// The fill itself: a control on the simulated form fills its table from the query.
void BM_FillComboBoxMultiColumn(benchmark::State& state) {
    const std::string& path = BenchDatabase();
    const char* query = kQueries[state.range(0)];
    cp::bench::BenchControl bench;
    cp::ColumnPick& control = bench.Control();
    for (auto _ : state) {
        auto db = cp::sqlite::SqliteDatabase::Open(path);
        control.FillComboBoxMultiColumn(*db, query);
        if (control.ListCount() != kRows) state.SkipWithError("not every row was loaded");
    }
    if (const char* message = bench.FirstMessage()) state.SkipWithError(message);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_FillComboBoxMultiColumn)->Apply(Configure);

// --- Each fill alone in a process of its own ------------------------------------------------

const std::string& MillionItems() {
    static const std::string items = cp::bench::ItemRows(kRows);
    return items;
}

// One child process per repetition, its processor time for the step alone; the fastest of five.
void ConfigureInChild(benchmark::internal::Benchmark* b) {
    b->Arg(static_cast<int>(cp::bench::Heap::Fresh))->Arg(static_cast<int>(cp::bench::Heap::Used));
    b->ArgName("used")->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
    b->Repetitions(5);
    b->ComputeStatistics(
        "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

template <class Prepare, class Step>
void InChild(benchmark::State& state, Prepare&& prepare, Step&& step) {
    const auto heap = static_cast<cp::bench::Heap>(state.range(0));
    for (auto _ : state) {
        const double seconds = cp::bench::ChildProcessSeconds(heap, prepare, step);
        if (seconds < 0) return state.SkipWithError("the child process failed");
        state.SetIterationTime(seconds);
    }
}

void BM_InChildBareStepLoop(benchmark::State& state) {
    const std::string& path = BenchDatabase();
    InChild(
        state, [] {}, [&] { return BareStepLoop(path, kQueries[0]) == kRows; });
}
BENCHMARK(BM_InChildBareStepLoop)->Apply(ConfigureInChild);

void BM_InChildFillComboBoxMultiColumn(benchmark::State& state) {
    const std::string& path = BenchDatabase();
    std::unique_ptr<cp::bench::BenchControl> bench;
    InChild(
        state, [&] { bench = std::make_unique<cp::bench::BenchControl>(); },
        [&] {
            auto db = cp::sqlite::SqliteDatabase::Open(path);
            bench->Control().FillComboBoxMultiColumn(*db, kQueries[0]);
            return bench->Control().ListCount() == kRows && !bench->FirstMessage();
        });
}
BENCHMARK(BM_InChildFillComboBoxMultiColumn)->Apply(ConfigureInChild);

void BM_InChildBareSplit(benchmark::State& state) {
    const std::string& items = MillionItems();
    InChild(
        state, [] {}, [&] { return cp::bench::BareSplit(items).size() == 3 * kRows; });
}
BENCHMARK(BM_InChildBareSplit)->Apply(ConfigureInChild);

void BM_InChildAddList(benchmark::State& state) {
    const std::string& items = MillionItems();
    std::unique_ptr<cp::bench::BenchControl> bench;
    InChild(
        state, [&] { bench = std::make_unique<cp::bench::BenchControl>(); },
        [&] {
            bench->Control().AddList(items);
            return bench->Control().ListCount() == kRows && !bench->FirstMessage();
        });
}
BENCHMARK(BM_InChildAddList)->Apply(ConfigureInChild);

}  // namespace

BENCHMARK_MAIN();
