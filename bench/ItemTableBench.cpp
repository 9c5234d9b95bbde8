// Filling and searching the item table at a million rows, each measured against a bare
// baseline in the same run:
// - AddList of 1,000,000 rows x 3 columns against a plain split of the same string into
//   string_views (target: within 3x);
// - 100,000 AddItem calls against one AddList of the same rows (target: within 3x, so no
//   quadratic growth);
// - a FindItemInArray that misses on 1,000,000 rows, with the heap allocations it makes
//   (target: none per row);
// - the memory that the 1,000,000 x 3 table holds (target: at most 160 MB), and with the
//   indexes of its first and bound columns built (target: at most 48 bytes a cell).
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <string>
#include <vector>

#include "bench/CountingAllocator.h"
#include "bench/ItemRows.h"
#include "control/ColumnPick.h"
#include "platform/sim/Form.h"
#include "platform/sim/World.h"
#include "reports/Startup.h"
#include "table/ItemString.h"
#include "table/PrefixIndex.h"
#include "tests/support/ColumnPickProbe.h"

namespace cp {
namespace {

constexpr int kRows = 1'000'000;

const std::string& MillionRows() {
    static const std::string items = bench::ItemRows(kRows);
    return items;
}

// A control on a simulated form, with three columns and widths set.
struct Bench {
    Bench() : form(world) {
        gblnStarted = true;
        auto& host = form.AddControl(
            [](const ControlSite& site) { return std::make_unique<ColumnPick>(site); });
        control = &host.ControlAs<ColumnPick>();
        control->ColumnCount(3);
        control->ColumnWidths("1500;800;500");
    }
    sim::World world;
    sim::Form form;
    ColumnPick* control = nullptr;
};

void BM_BareSplit(benchmark::State& state) {
    const std::string& items = MillionRows();
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::BareSplit(items).data());
}
BENCHMARK(BM_BareSplit)->Unit(benchmark::kMillisecond);

void BM_AddList(benchmark::State& state) {
    Bench b;
    const std::string& items = MillionRows();
    for (auto _ : state)
        b.control->AddList(items);
    if (b.control->ListCount() != kRows) state.SkipWithError("rows missing");
}
BENCHMARK(BM_AddList)->Unit(benchmark::kMillisecond);

// Like the AddItem run below, each run fills a new control, so that both pay for fresh memory.
void BM_AddList100k(benchmark::State& state) {
    const std::string items = bench::ItemRows(100'000);
    for (auto _ : state) {
        state.PauseTiming();
        auto b = std::make_unique<Bench>();
        state.ResumeTiming();
        b->control->AddList(items);
        state.PauseTiming();
        b.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddList100k)->Unit(benchmark::kMillisecond);

// AddItem calls into a new control; run at 10,000 and 100,000 rows, the time per row stays the
// same (no quadratic growth).
void BM_AddItem(benchmark::State& state) {
    std::vector<std::string> rows;
    for (int i = 0; i < state.range(0); ++i) {
        rows.push_back("Name " + std::to_string(i) + ";" + std::to_string(i) + ";X" +
                       std::to_string(i % 97));
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto b = std::make_unique<Bench>();
        state.ResumeTiming();
        for (const auto& row : rows)
            b->control->AddItem(row);
        state.PauseTiming();
        b.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddItem)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_FindItemInArrayMiss(benchmark::State& state) {
    Bench b;
    b.control->AddList(MillionRows());
    ColumnPickProbe probe(*b.control);
    const std::string missing = "Nobody";
    std::size_t allocations = 0;
    for (auto _ : state) {
        const std::size_t before = bench::gAllocations;
        benchmark::DoNotOptimize(probe.FindItemInArray(missing));
        allocations += bench::gAllocations - before;
    }
    state.counters["allocs_per_search"] = benchmark::Counter(
        static_cast<double>(allocations) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_FindItemInArrayMiss)->Unit(benchmark::kMillisecond);

void BM_TableMemory(benchmark::State& state) {
    for (auto _ : state) {
        Bench b;
        const std::size_t before = bench::gLiveBytes;
        b.control->AddList(MillionRows());
        state.counters["table_MB"] = static_cast<double>(bench::gLiveBytes - before) / 1e6;
    }
}
BENCHMARK(BM_TableMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_IndexedTableMemory(benchmark::State& state) {
    constexpr double kCells = 3.0 * kRows;
    for (auto _ : state) {
        Bench b;
        ColumnPickProbe probe(*b.control);
        const std::size_t before = bench::gLiveBytes;
        b.control->AddList(MillionRows());
        const std::size_t table = bench::gLiveBytes - before;
        // Every search builds one more stretch of the first column's index.
        for (int search = 0; search < kRows / kChunkRows + 2; ++search)
            probe.FindItemInArray("Name 99");
        b.control->Value(Variant("Name 5"));
        const auto live = static_cast<double>(bench::gLiveBytes - before);
        state.counters["table_MB"] = static_cast<double>(table) / 1e6;
        state.counters["indexes_MB"] = (live - static_cast<double>(table)) / 1e6;
        state.counters["bytes_per_cell"] = live / kCells;
        if (b.control->ListIndex() != 5) state.SkipWithError("no row found");
    }
}
BENCHMARK(BM_IndexedTableMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cp

// The allocator keeps the memory it is given back, so that every run reuses the same pages:
// on a virtual machine a first touch of a page costs microseconds, and otherwise the figures
// would measure the page faults of the table's growth rather than the control.
int main(int argc, char** argv) {
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
