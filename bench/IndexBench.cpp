// The item table's indexes against the searches row by row that they replaced, on the customer
// list at 10,000, 100,000 and 1,000,000 rows (bench/Customers.h), with the simulated host's
// upper case. The table alone: no control, no window system.
//
// - A typing session of realistic prefixes (1 to 12 characters of a customer's name, and texts
//   that stop matching after a few characters): each keystroke's search by the scan and by the
//   index, with the median and the worst keystroke.
// - The first searches after the rows are replaced, which build the index a stretch at a time.
// - Value lookups of customer codes: the median and the worst, by the scan and by the index, and
//   the first lookup after the rows are replaced, which builds its index.
//
// The whole keystroke of a control with these indexes, and the opening of its list, are
// measured by IndexedTypingBench.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/Customers.h"
#include "platform/sim/UpperCase.h"
#include "runtime/Locale.h"
#include "table/ItemTable.h"
#include "tests/support/RowScans.h"

namespace cp::bench {
namespace {

// The rows of the customer list in an item table, with the bound column of the codes.
class FilledTable {
public:
    explicit FilledTable(int rows) : customers(CustomersOf(rows)) { Fill(); }
    void Fill() { table.ReplaceRows(customers.Table()); }
    // Searches until every stretch of the first column's index stands.
    void BuildIndex() {
        for (const std::string& text : customers.Session())
            table.FindPrefix(text);
    }

    // The simulated host's upper case, Unicode letters included, as the control has it.
    struct UpperCase {
        UpperCase() { SetLocale({".", &sim::UpperCaseChar}); }
        ~UpperCase() { SetLocale({}); }
    };

    static constexpr std::int32_t kCodes = 1;
    UpperCase upperCase;
    const Customers& customers;
    ItemTable table;
};

// The search row by row, once for each text of a session, on a copy of the filled table.
template <class Search>
void ScanEach(benchmark::State& state, std::vector<std::string> (Customers::*texts)() const,
              Search&& search) {
    FilledTable t(static_cast<int>(state.range(0)));
    const VariantArray items = t.table.CopyOut();
    const std::int32_t count = t.table.Count();
    std::vector<double> times;
    for (auto _ : state) {
        for (const std::string& text : (t.customers.*texts)())
            times.push_back(Timed([&] { benchmark::DoNotOptimize(search(items, count, text)); }));
    }
    Report(state, times);
}

void BM_TypingScan(benchmark::State& state) {
    ScanEach(state, &Customers::Session,
             [](const VariantArray& items, std::int32_t count, const std::string& text) {
                 return test::ScanFirstColumn(items, count, text);
             });
}
BENCHMARK(BM_TypingScan)->Apply(Sizes);

void BM_TypingIndex(benchmark::State& state) {
    FilledTable t(static_cast<int>(state.range(0)));
    const std::vector<std::string> session = t.customers.Session();
    t.BuildIndex();
    std::vector<double> times;
    std::vector<std::int32_t> rows;
    for (auto _ : state) {
        for (const std::string& text : session)
            times.push_back(Timed([&] { rows.push_back(t.table.FindPrefix(text)); }));
    }
    // Checked after the session, so that the scans do not take the index out of the caches.
    const VariantArray copy = t.table.CopyOut();
    for (std::size_t k = 0; k < session.size(); ++k) {
        if (rows[k] != test::ScanFirstColumn(copy, t.table.Count(), session[k]))
            state.SkipWithError("wrong row");
    }
    Report(state, times);
}
BENCHMARK(BM_TypingIndex)->Apply(Sizes);

// New rows before a session: its first searches build the index, a stretch of rows each.
void BM_FirstSearchesAfterFill(benchmark::State& state) {
    FilledTable t(static_cast<int>(state.range(0)));
    const std::vector<std::string> session = t.customers.Session();
    std::vector<double> first;
    std::vector<double> all;
    for (auto _ : state) {
        for (int fill = 0; fill < 5; ++fill) {
            t.Fill();
            for (std::size_t k = 0; k < kBuildKeystrokes; ++k) {
                all.push_back(
                    Timed([&] { benchmark::DoNotOptimize(t.table.FindPrefix(session[k])); }));
                if (k == 0) first.push_back(all.back());
            }
        }
    }
    std::sort(first.begin(), first.end());
    state.counters["first_median_ms"] = first[first.size() / 2];
    Report(state, all);
}
BENCHMARK(BM_FirstSearchesAfterFill)->Apply(Sizes);

void BM_ValueScan(benchmark::State& state) {
    ScanEach(state, &Customers::Keys,
             [](const VariantArray& items, std::int32_t count, const std::string& key) {
                 return test::ScanColumn(items, count, FilledTable::kCodes, Variant(key));
             });
}
BENCHMARK(BM_ValueScan)->Apply(Sizes);

void BM_ValueIndex(benchmark::State& state) {
    FilledTable t(static_cast<int>(state.range(0)));
    t.table.FindValue(FilledTable::kCodes, Variant("C0"));  // the index stands
    std::vector<double> times;
    std::vector<std::int32_t> rows;
    for (auto _ : state) {
        for (const std::string& key : t.customers.Keys()) {
            times.push_back(Timed(
                [&] { rows.push_back(t.table.FindValue(FilledTable::kCodes, Variant(key))); }));
        }
    }
    const std::vector<std::string> keys = t.customers.Keys();
    const VariantArray copy = t.table.CopyOut();
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (rows[k] !=
            test::ScanColumn(copy, t.table.Count(), FilledTable::kCodes, Variant(keys[k])))
            state.SkipWithError("wrong row");
    }
    Report(state, times);
}
BENCHMARK(BM_ValueIndex)->Apply(Sizes);

void BM_FirstValueAfterFill(benchmark::State& state) {
    FilledTable t(static_cast<int>(state.range(0)));
    const Variant key(t.customers.codes.back());
    std::vector<double> times;
    std::int32_t found = -1;
    for (auto _ : state) {
        for (int fill = 0; fill < 5; ++fill) {
            t.Fill();
            times.push_back(Timed([&] { found = t.table.FindValue(FilledTable::kCodes, key); }));
        }
    }
    if (found < 0) state.SkipWithError("no row found");
    Report(state, times);
}
BENCHMARK(BM_FirstValueAfterFill)->Apply(Sizes);

}  // namespace
}  // namespace cp::bench

BENCHMARK_MAIN();
