// Filling the item table with 1,000,000 rows of 3 fields from an SQLite file, against a bare
// sqlite3_step loop that reads the same values: the fill should take at most 1.5 times as long.
// Two tables: names that fit a String's inline storage (up to 15 bytes, like most names in a
// drop-down), and longer names that each take an allocation.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchControl.h"
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

// The baseline: every value of every row read from SQLite, nothing kept.
void BM_BareStepLoop(benchmark::State& state) {
    const std::string& path = BenchDatabase();
    const char* query = kQueries[state.range(0)];
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, query, -1, &stmt, nullptr);
        std::int64_t sum = 0;
        std::int64_t rows = 0;
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
        if (rows != kRows) state.SkipWithError("the table is incomplete");
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

}  // namespace

BENCHMARK_MAIN();
