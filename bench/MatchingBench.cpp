// The matching pass of one keystroke over 1,000,000 rows, against a bare loop that applies the
// same rule (first n characters, upper-cased, equal) to the same texts held in plain strings.
// Two texts: one that no row begins with but every row shares five characters of ("Item x",
// a miss that scans the whole table), and one that only the last row begins with (a late hit,
// which also selects the row and completes the text).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "control/ColumnPick.h"
#include "platform/sim/Form.h"
#include "platform/sim/World.h"
#include "reports/Startup.h"
#include "tests/support/ColumnPickProbe.h"

namespace {

constexpr int kRows = 1'000'000;
const char* const kTyped[] = {"Item x", "Item 1000000"};
constexpr std::int32_t kExpectedRow[] = {-1, kRows - 1};

std::vector<std::string> RowTexts() {
    std::vector<std::string> rows;
    rows.reserve(kRows);
    for (int i = 1; i <= kRows; ++i)
        rows.push_back("Item " + std::to_string(i));
    return rows;
}

// Both texts, in milliseconds, with the fastest repetition reported beside the mean and
// median: on a shared machine the fastest run is the one least disturbed.
void Configure(benchmark::internal::Benchmark* b) {
    b->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
    b->ComputeStatistics(
        "min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

// The baseline: the rule applied to ASCII strings with the C library's upper case.
void BM_BarePrefixScan(benchmark::State& state) {
    const std::vector<std::string> rows = RowTexts();
    const std::string typed = kTyped[state.range(0)];
    std::string upper = typed;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (auto _ : state) {
        std::int32_t found = -1;
        for (std::int32_t r = 0; r < kRows && found == -1; ++r) {
            // Character by character, as the control goes, until the row or the text ends.
            const std::string& row = rows[static_cast<std::size_t>(r)];
            bool same = true;
            for (std::size_t i = 0; i < upper.size() && same; ++i)
                same =
                    i < row.size() && std::toupper(static_cast<unsigned char>(row[i])) == upper[i];
            if (same) found = r;
        }
        benchmark::DoNotOptimize(found);
        if (found != kExpectedRow[state.range(0)]) state.SkipWithError("wrong row");
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BarePrefixScan)->Apply(Configure);

// The control's matching pass, as the edit field's change notification runs it after a key:
// the text is in place with the caret at its end.
void BM_MatchingPass(benchmark::State& state) {
    cp::ComponentStart();
    cp::sim::World world;
    cp::sim::Form form(world);
    cp::sim::ControlHost& host = form.AddControl(
        [](const cp::ControlSite& site) { return std::make_unique<cp::ColumnPick>(site); });
    auto& control = host.ControlAs<cp::ColumnPick>();
    cp::ColumnPickProbe probe(control);
    std::string items;
    for (const std::string& row : RowTexts())
        items += (items.empty() ? "" : ";") + row;
    control.ColumnWidths("1500");
    control.AddList(items);
    probe.blnInternalTextChange() = true;
    control.Text(kTyped[state.range(0)]);
    probe.blnInternalTextChange() = false;
    const auto end = std::string(kTyped[state.range(0)]).size();
    cp::SendMessage(host.EditHwnd(), cp::EM_SETSEL, end, static_cast<cp::LPARAM>(end));
    for (auto _ : state) {
        probe.txtTextBox_Change();
        if (control.ListIndex() != kExpectedRow[state.range(0)]) state.SkipWithError("wrong row");
    }
    if (!world.MessageBoxes().empty()) state.SkipWithError(world.MessageBoxes()[0].prompt.c_str());
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_MatchingPass)->Apply(Configure);

}  // namespace

BENCHMARK_MAIN();
