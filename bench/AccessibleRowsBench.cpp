// What a screen reader asks of the list, at a million rows, against the same questions at ten
// rows in the same run: the name, states and band of a row and the row under a point are made
// on request, so each should cost the same at any size (target: within 2x of ten rows, far
// under the millisecond a reader allows per call).
#include <benchmark/benchmark.h>

#include <string>

#include "bench/BenchControl.h"

namespace {

constexpr std::int32_t kMillion = 1000000;
constexpr std::int32_t kTen = 10;

// A control of `rows` rows of three columns, its list open on the middle row.
cp::bench::BenchControl& OpenControl(std::int32_t rows) {
    static cp::bench::BenchControl* made[2] = {nullptr, nullptr};
    cp::bench::BenchControl*& slot = made[rows == kMillion ? 1 : 0];
    if (slot == nullptr) {
        slot = new cp::bench::BenchControl;
        std::string items;
        items.reserve(static_cast<std::size_t>(rows) * 24);
        for (std::int32_t r = 0; r < rows; ++r) {
            if (r > 0) items += ';';
            items += "Land " + std::to_string(r) + ";C" + std::to_string(r % 1000) + ";x";
        }
        cp::ColumnPick& c = slot->Control();
        c.AddList(items);
        c.Text("Land " + std::to_string(rows / 2));
        c.ShowDropDown();
    }
    return *slot;
}

void RowQuestions(benchmark::State& state) {
    const auto rows = static_cast<std::int32_t>(state.range(0));
    cp::AccessibleControl& reader = *OpenControl(rows).Control().Accessibility();
    std::int32_t row = rows / 2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(reader.RowCount());
        benchmark::DoNotOptimize(reader.RowName(row));
        benchmark::DoNotOptimize(reader.RowStates(row));
        benchmark::DoNotOptimize(reader.RowRect(row));
        benchmark::DoNotOptimize(reader.RowAt(cp::POINT{5, 20}));
        row = row + 1 < rows ? row + 1 : 0;
    }
    state.SetLabel(std::to_string(rows) + " rows");
}

}  // namespace

BENCHMARK(RowQuestions)->Arg(kTen)->Name("baseline/RowQuestions");
BENCHMARK(RowQuestions)->Arg(kMillion)->Name("RowQuestions");

BENCHMARK_MAIN();
