// Server mode over an SQLite table of 10,000,000 rows x 3 fields (CP_BENCH_SERVER_ROWS another
// number), made once in the build tree with the index that serves the reads: connecting and
// reading the first 15 rows, a keystroke's completion, a Value write and a page down, each
// against the bare SQLite query that finds the same row (the baseline).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/BenchControl.h"
#include "data/sqlite/SqliteDatabase.h"

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

struct Connected {
    cp::bench::BenchControl bench;
    std::shared_ptr<cp::sqlite::SqliteDatabase> db = cp::sqlite::SqliteDatabase::Open(Path());
    Connected() { bench.Control().ConnectComboBoxMultiColumn(*db, "places", ""); }
    cp::ColumnPick& Control() { return bench.Control(); }
};

void Configure(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

void BM_ConnectAndFirstRows(benchmark::State& state) {
    cp::bench::BenchControl bench;
    const auto db = cp::sqlite::SqliteDatabase::Open(Path());
    for (auto _ : state) {
        bench.Control().ConnectComboBoxMultiColumn(*db, "places", "");
        for (int r = 0; r < 15; ++r)
            benchmark::DoNotOptimize(bench.Control().RowName(r));
    }
}
BENCHMARK(BM_ConnectAndFirstRows)->Apply(Configure);

void BM_Keystroke(benchmark::State& state) {
    Connected list;
    const auto prefixes = Prefixes();
    std::size_t i = 0;
    std::int64_t found = 0;
    for (auto _ : state) {
        list.Control().Text(prefixes[i++ % prefixes.size()]);
        found += list.Control().ListIndex() >= 0;
    }
    // The share of keystrokes that found a row, which the count of the rows before it costs.
    state.counters["found"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Keystroke)->Apply(Configure);

void BM_ValueWrite(benchmark::State& state) {
    Connected list;
    std::mt19937 random(11);
    char code[16];
    for (auto _ : state) {
        std::snprintf(code, sizeof code, "C%08d", static_cast<int>(1 + random() % Rows()));
        list.Control().Value(cp::Variant(std::string(code)));
    }
}
BENCHMARK(BM_ValueWrite)->Apply(Configure);

void BM_PageDown(benchmark::State& state) {
    Connected list;
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

// The baseline: the prefix's first row read by the bare engine, no count of the rows before it.
void BM_BarePrefixQuery(benchmark::State& state) {
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
BENCHMARK(BM_BarePrefixQuery)->Apply(Configure);

}  // namespace

BENCHMARK_MAIN();
