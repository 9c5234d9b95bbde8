// A control with its indexes, on a simulated form, filled with the customer list at 10,000,
// 100,000 and 1,000,000 rows (bench/Customers.h):
//
// - the whole matching pass of each keystroke of a typing session (the search, the selection and
//   scroll of the list, the completed text), with the median and the worst keystroke;
// - the first keystrokes after a fill, which build the index a stretch at a time;
// - opening the list on a matched row and drawing its 15 rows.
//
// The searches of the indexes alone, against the scans, are measured by IndexBench.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "bench/Customers.h"
#include "control/ColumnPick.h"
#include "platform/sim/Form.h"
#include "platform/sim/World.h"
#include "reports/Startup.h"
#include "tests/support/ColumnPickProbe.h"

namespace cp::bench {
namespace {

constexpr int kListRows = 15;

// A control on a simulated form, filled with the customers.
class FilledControl {
public:
    explicit FilledControl(int rows) : customers(CustomersOf(rows)) {
        control.ColumnCount(std::int16_t{3});
        control.ColumnWidths("1800;900;900");
        control.ListRows(std::int16_t{kListRows});
        control.BoundColumn(std::int16_t{1});
        Fill();
    }
    void Fill() { control.AddList(customers.items); }
    // Searches until every stretch of the first column's index stands.
    void BuildIndex() {
        for (const std::string& text : customers.Session())
            probe.FindItemInArray(text);
    }
    // The matching pass after a keystroke that left text in the edit field, caret at its end.
    void Type(const std::string& text) {
        probe.blnInternalTextChange() = true;
        control.Text(text);
        probe.blnInternalTextChange() = false;
        SendMessage(host.EditHwnd(), EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
        probe.txtTextBox_Change();
    }
    bool Quiet() const { return world.MessageBoxes().empty(); }

    // The component is started on the thread before a control is made there.
    struct Started {
        Started() { ComponentStart(); }
    };

    const Customers& customers;
    sim::World world;
    Started started;
    sim::Form form{world};
    sim::ControlHost& host =
        form.AddControl([](const ControlSite& site) { return std::make_unique<ColumnPick>(site); });
    ColumnPick& control = host.ControlAs<ColumnPick>();
    ColumnPickProbe probe{control};
};

void BM_MatchingPassIndex(benchmark::State& state) {
    FilledControl c(static_cast<int>(state.range(0)));
    c.BuildIndex();
    std::vector<double> times;
    for (auto _ : state) {
        for (const std::string& text : c.customers.Session())
            times.push_back(Timed([&] { c.Type(text); }));
    }
    if (!c.Quiet()) state.SkipWithError("a message box was shown");
    Report(state, times);
}
BENCHMARK(BM_MatchingPassIndex)->Apply(Sizes);

// A new fill before a session: its first keystrokes build the index, a stretch of rows each.
void BM_FirstKeystrokesAfterFill(benchmark::State& state) {
    FilledControl c(static_cast<int>(state.range(0)));
    const std::vector<std::string> session = c.customers.Session();
    std::vector<double> first;
    std::vector<double> all;
    for (auto _ : state) {
        for (int fill = 0; fill < 5; ++fill) {
            c.Fill();
            for (std::size_t k = 0; k < kBuildKeystrokes; ++k) {
                all.push_back(Timed([&] { c.Type(session[k]); }));
                if (k == 0) first.push_back(all.back());
            }
        }
    }
    if (!c.Quiet()) state.SkipWithError(c.world.MessageBoxes()[0].prompt.c_str());
    std::sort(first.begin(), first.end());
    state.counters["first_median_ms"] = first[first.size() / 2];
    Report(state, all);
}
BENCHMARK(BM_FirstKeystrokesAfterFill)->Apply(Sizes);

// The list opens on the row that the text stands for, halfway down the table, and draws its
// rows; it is closed again between two openings.
void BM_OpenList(benchmark::State& state) {
    FilledControl c(static_cast<int>(state.range(0)));
    c.BuildIndex();
    c.Type(c.customers.names[c.customers.names.size() / 2]);
    std::vector<double> times;
    for (auto _ : state) {
        for (int open = 0; open < 50; ++open) {
            c.world.Graphics().ClearLog();
            times.push_back(Timed([&] { c.control.ShowDropDown(); }));
            const auto& log = c.world.Graphics().Log();
            const auto texts = std::count_if(log.begin(), log.end(), [](const auto& record) {
                return record.op == sim::DrawOp::DrawText;
            });
            if (texts < kListRows) state.SkipWithError("the rows were not drawn");
            c.control.HideListBox(AfterHide::FocusEditField);
        }
    }
    Report(state, times);
}
BENCHMARK(BM_OpenList)->Apply(Sizes);

}  // namespace
}  // namespace cp::bench

BENCHMARK_MAIN();
