// Fitting the column widths of a million rows against fitting those of ten thousand in the same
// run: the fit measures the rows shown and a sample of at most 10,000 rows spread over the
// table, so both should cost about the same (target: within 2x of the baseline, and under 50 ms
// a call at a million rows).
#include <benchmark/benchmark.h>

#include <string>

#include "bench/BenchControl.h"

namespace {

constexpr std::int32_t kMillion = 1000000;
constexpr std::int32_t kTenThousand = 10000;

cp::bench::BenchControl& FilledControl(std::int32_t rows) {
    static cp::bench::BenchControl* made[2] = {nullptr, nullptr};
    cp::bench::BenchControl*& slot = made[rows == kMillion ? 1 : 0];
    if (slot == nullptr) {
        slot = new cp::bench::BenchControl;
        std::string items;
        items.reserve(static_cast<std::size_t>(rows) * 32);
        for (std::int32_t r = 0; r < rows; ++r) {
            if (r > 0) items += ';';
            items += "Land number " + std::to_string(r) + ";C" + std::to_string(r % 1000) + ";" +
                     std::to_string(r * 7);
        }
        slot->Control().AddList(items);
        slot->Control().ColumnHeads(true);
        slot->Control().ColumnCaptions("Name;Code;Number");
    }
    return *slot;
}

void FitColumnWidths(benchmark::State& state) {
    const auto rows = static_cast<std::int32_t>(state.range(0));
    cp::bench::BenchControl& bench = FilledControl(rows);
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.Control().FitColumnWidths());
        state.PauseTiming();
        bench.ForgetDrawing();
        state.ResumeTiming();
    }
    state.SetLabel(std::to_string(rows) + " rows");
}

}  // namespace

BENCHMARK(FitColumnWidths)
    ->Arg(kTenThousand)
    ->Name("baseline/FitColumnWidths")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FitColumnWidths)->Arg(kMillion)->Name("FitColumnWidths")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
