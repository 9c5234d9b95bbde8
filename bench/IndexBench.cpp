// Indexed completion and value lookup against the searches row by row that they replaced, on a
// control of the simulated platform filled with 10,000, 100,000 and 1,000,000 rows x 3 columns
// of a customer list: "Surname, Given" (unsorted, with the duplicates and shared beginnings of
// real names, some with accented letters), a unique customer code (the bound column) and a town.
//
// - A typing session of realistic prefixes (1 to 12 characters of a customer's name, and texts
//   that stop matching after a few characters): each keystroke's search by the scan and by the
//   index, and the whole matching pass with the index, with the median and the worst keystroke.
// - The first keystroke after a fill, which builds the index.
// - Value writes by code: the median and the worst, by the scan and by the index, and the first
//   write after a fill, which builds its index.
// - Opening the list on a matched row and drawing its 15 rows.
//
// Every figure is processor time of the thread, each keystroke or write measured on its own, so
// that the other work of a shared machine does not add to it.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "control/ColumnPick.h"
#include "platform/sim/Form.h"
#include "platform/sim/World.h"
#include "reports/Startup.h"
#include "tests/support/ColumnPickProbe.h"
#include "tests/support/RowScans.h"

namespace cp::bench {
namespace {

constexpr int kKeystrokes = 400;
constexpr int kValueWrites = 400;
constexpr int kListRows = 15;
// Keystrokes after a fill while the index is built: a million rows take eight stretches.
constexpr std::size_t kBuildKeystrokes = 10;

double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Runs step and answers its processor time in milliseconds.
template <class Step>
double Timed(Step&& step) {
    const double start = ThreadMilliseconds();
    step();
    return ThreadMilliseconds() - start;
}

// The median and the worst of the times of a session, and their total as the run's time.
void Report(benchmark::State& state, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["worst_ms"] = times.back();
    double total = 0;
    for (double t : times)
        total += t;
    state.SetIterationTime(total / 1e3);
}

// The customer list: names of made-up surnames (2 or 3 syllables and an ending, as surnames of
// several languages are made) and common given names.
class Customers {
public:
    explicit Customers(int rows) {
        std::mt19937 rng(1234);
        const auto pick = [&](const auto& list) { return list[rng() % std::size(list)]; };
        static const char* const kOnsets[] = {"B",  "Br", "C", "Ch", "D", "F", "G", "H",  "J",
                                              "K",  "Kl", "L", "M",  "N", "P", "R", "S",  "Sch",
                                              "St", "T",  "V", "W",  "Z", "Ö", "É", "Gr", "Tr"};
        static const char* const kVowels[] = {"a", "e", "i", "o", "u", "ä", "ö", "ü", "é", "y"};
        static const char* const kCodas[] = {"", "", "n", "r", "s", "l", "t", "rt", "nd", "ck"};
        static const char* const kEndings[] = {"", "son", "mann", "ez", "ini", "ova", "sen", "er"};
        static const char* const kGiven[] = {
            "Anna",  "Ben",   "Carla", "David",  "Eva",  "Felix", "Greta", "Hugo",   "Ida",
            "Jonas", "Klara", "Lukas", "Maria",  "Noah", "Olga",  "Paul",  "Rosa",   "Sven",
            "Tanja", "Uwe",   "Vera",  "Walter", "Zoé",  "José",  "Léa",   "Jürgen", "Ana"};
        for (int r = 0; r < rows; ++r) {
            std::string surname;
            for (int s = 2 + static_cast<int>(rng() % 2); s > 0; --s)
                surname.append(pick(kOnsets)).append(pick(kVowels)).append(pick(kCodas));
            surname += pick(kEndings);
            names.push_back(surname.append(", ").append(pick(kGiven)));
            codes.push_back(std::string("C").append(std::to_string(1'000'000 + r)));
        }
        std::shuffle(codes.begin(), codes.end(), rng);
        for (int r = 0; r < rows; ++r) {
            if (r) items += ';';
            items.append(names[static_cast<std::size_t>(r)]).append(";");
            items.append(codes[static_cast<std::size_t>(r)]).append(";Town ");
            items += std::to_string(r % 500);
        }
    }

    // The texts typed, keystroke by keystroke: a customer's name up to 1 to 12 characters, or
    // (one word in five) a text that no name goes on with.
    std::vector<std::string> Session() const {
        std::mt19937 rng(99);
        std::vector<std::string> typed;
        while (typed.size() < kKeystrokes) {
            std::string word = names[rng() % names.size()];
            if (rng() % 5 == 0) word = word.substr(0, 1 + rng() % 3) + "qxz wv";
            const std::size_t length = 1 + rng() % 12;
            for (std::size_t n = 1; n <= length && n <= word.size(); ++n)
                typed.push_back(word.substr(0, n));
        }
        return typed;
    }

    // Codes to look up: one in ten is no customer's.
    std::vector<std::string> Keys() const {
        std::mt19937 rng(7);
        std::vector<std::string> keys;
        for (int i = 0; i < kValueWrites; ++i)
            keys.push_back(i % 10 == 0 ? "C0" : codes[rng() % codes.size()]);
        return keys;
    }

    std::vector<std::string> names;
    std::vector<std::string> codes;
    std::string items;
};

const Customers& CustomersOf(int rows) {
    static std::map<int, std::unique_ptr<Customers>> made;
    auto& customers = made[rows];
    if (!customers) customers = std::make_unique<Customers>(rows);
    return *customers;
}

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
    // The table as the control holds it, for the scans.
    VariantArray Table() const { return *control.ArrayWithItems().Array(); }
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

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Iterations(1)->UseManualTime();
    b->Unit(benchmark::kMillisecond);
}

// Today's search row by row, once for each text of a session, on a copy of the filled table.
template <class Search>
void ScanEach(benchmark::State& state, std::vector<std::string> (Customers::*texts)() const,
              Search&& search) {
    FilledControl c(static_cast<int>(state.range(0)));
    const VariantArray table = c.Table();
    const std::int32_t count = c.control.ListCount();
    std::vector<double> times;
    for (auto _ : state) {
        for (const std::string& text : (c.customers.*texts)())
            times.push_back(Timed([&] { benchmark::DoNotOptimize(search(table, count, text)); }));
    }
    Report(state, times);
}

void BM_TypingScan(benchmark::State& state) {
    ScanEach(state, &Customers::Session,
             [](const VariantArray& table, std::int32_t count, const std::string& text) {
                 return test::ScanFirstColumn(table, count, text);
             });
}
BENCHMARK(BM_TypingScan)->Apply(Sizes);

void BM_TypingIndex(benchmark::State& state) {
    FilledControl c(static_cast<int>(state.range(0)));
    const std::vector<std::string> session = c.customers.Session();
    c.BuildIndex();
    std::vector<double> times;
    std::vector<std::int32_t> rows;
    for (auto _ : state) {
        for (const std::string& text : session)
            times.push_back(Timed([&] { rows.push_back(c.probe.FindItemInArray(text)); }));
    }
    // Checked after the session, so that the scans do not take the index out of the caches.
    const VariantArray table = c.Table();
    for (std::size_t k = 0; k < session.size(); ++k) {
        if (rows[k] != test::ScanFirstColumn(table, c.control.ListCount(), session[k]))
            state.SkipWithError("wrong row");
    }
    Report(state, times);
}
BENCHMARK(BM_TypingIndex)->Apply(Sizes);

// The whole pass: the search, the selection and scroll of the list, the completed text.
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

void BM_ValueScan(benchmark::State& state) {
    ScanEach(state, &Customers::Keys,
             [](const VariantArray& table, std::int32_t count, const std::string& key) {
                 return test::ScanColumn(table, count, 1, Variant(key));
             });
}
BENCHMARK(BM_ValueScan)->Apply(Sizes);

void BM_ValueIndex(benchmark::State& state) {
    FilledControl c(static_cast<int>(state.range(0)));
    c.control.Value(Variant("C0"));  // the index stands
    std::vector<double> times;
    for (auto _ : state) {
        for (const std::string& key : c.customers.Keys())
            times.push_back(Timed([&] { c.control.Value(Variant(key)); }));
    }
    if (c.control.ListIndex() < 0 || !c.Quiet()) state.SkipWithError("no row found");
    Report(state, times);
}
BENCHMARK(BM_ValueIndex)->Apply(Sizes);

void BM_FirstValueAfterFill(benchmark::State& state) {
    FilledControl c(static_cast<int>(state.range(0)));
    const std::string key = c.customers.codes.back();
    std::vector<double> times;
    for (auto _ : state) {
        for (int fill = 0; fill < 5; ++fill) {
            c.Fill();
            times.push_back(Timed([&] { c.control.Value(Variant(key)); }));
        }
    }
    if (c.control.ListIndex() < 0) state.SkipWithError("no row found");
    Report(state, times);
}
BENCHMARK(BM_FirstValueAfterFill)->Apply(Sizes);

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
