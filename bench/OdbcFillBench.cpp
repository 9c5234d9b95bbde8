// Filling the item table with 1,000,000 rows of 3 fields from PostgreSQL through ODBC, against a
// bare ODBC loop that fetches the same query in blocks of bound columns and touches every
// value: the fill should take at most 1.5 times as long. The server is the one whose
// connection string CP_BENCH_POSTGRES holds (scripts/bench.sh starts one); the table is made
// there once.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchControl.h"
#include "bench/OdbcFillBench/BareFetch.h"
#include "data/odbc/OdbcDatabase.h"

namespace {

constexpr int kRows = 1'000'000;
constexpr const char* kQuery = "SELECT id, code, name FROM bench_items";

const char* ServerConnection() {
    return std::getenv("CP_BENCH_POSTGRES");
}

// The table, made on the first call when it is not there yet.
bool PrepareTable() {
    static const bool ready = [] {
        if (!ServerConnection()) return false;
        auto db = cp::odbc::OdbcDatabase::Open(ServerConnection());
        db->Execute(
            "CREATE TABLE IF NOT EXISTS bench_items AS SELECT g AS id, "
            "'C' || lpad(g::text, 7, '0') AS code, 'Item ' || g AS name "
            "FROM generate_series(1, " +
            std::to_string(kRows) + ") g");
        return true;
    }();
    return ready;
}

void Configure(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime()->Repetitions(5);
    b->ComputeStatistics(
        "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

// The baseline: the query fetched in blocks of bound columns, every value touched, nothing
// kept (bench/OdbcFillBench/BareFetch.cpp).
void BM_BareOdbcBlockFetch(benchmark::State& state) {
    if (!PrepareTable()) return state.SkipWithError("CP_BENCH_POSTGRES names no server");
    BareConnection connection(ServerConnection());
    for (auto _ : state) {
        if (connection.FetchAll(kQuery) != kRows) state.SkipWithError("the table is incomplete");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BareOdbcBlockFetch)->Apply(Configure);

// The fill itself: a control on the simulated form fills its table from the query over one
// open connection.
void BM_OdbcFillComboBoxMultiColumn(benchmark::State& state) {
    if (!PrepareTable()) return state.SkipWithError("CP_BENCH_POSTGRES names no server");
    cp::bench::BenchControl bench;
    cp::ColumnPick& control = bench.Control();
    auto db = cp::odbc::OdbcDatabase::Open(ServerConnection());
    for (auto _ : state) {
        control.FillComboBoxMultiColumn(*db, kQuery);
        if (control.ListCount() != kRows) state.SkipWithError("not every row was loaded");
    }
    if (const char* message = bench.FirstMessage()) state.SkipWithError(message);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_OdbcFillComboBoxMultiColumn)->Apply(Configure);

}  // namespace

BENCHMARK_MAIN();
