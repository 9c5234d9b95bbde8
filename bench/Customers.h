// The customer list that the benchmarks of the indexes search, 10,000 to 1,000,000 rows x 3
// columns: "Surname, Given" (unsorted, with the duplicates and shared beginnings of real names,
// some with accented letters), a unique customer code (the bound column) and a town; with the
// texts of a typing session and the keys of Value writes, and the timing of one step each.
//
// Every figure is processor time of the thread, each keystroke or write measured on its own, so
// that the other work of a shared machine does not add to it.
#pragma once

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"
#include "table/ItemString.h"

namespace cp::bench {

inline constexpr int kKeystrokes = 400;
inline constexpr int kValueWrites = 400;
// Keystrokes after a fill while the index is built: a million rows take eight stretches.
inline constexpr std::size_t kBuildKeystrokes = 10;

inline double ThreadMilliseconds() {
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
inline void Report(benchmark::State& state, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["worst_ms"] = times.back();
    double total = 0;
    for (double t : times)
        total += t;
    state.SetIterationTime(total / 1e3);
}

// The three sizes, each run once with the time of its steps.
inline void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Iterations(1)->UseManualTime();
    b->Unit(benchmark::kMillisecond);
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

    // The rows as AddList makes them of items: name, code and town, all Strings.
    VariantArray Table() const {
        BlockVector<Variant> cells;
        ForEachField(items, [&](std::string_view field) { cells.emplace_back(field); });
        return VariantArray({3, static_cast<std::int32_t>(names.size())}, std::move(cells));
    }

    std::vector<std::string> names;
    std::vector<std::string> codes;
    std::string items;
};

inline const Customers& CustomersOf(int rows) {
    static std::map<int, std::unique_ptr<Customers>> made;
    auto& customers = made[rows];
    if (!customers) customers = std::make_unique<Customers>(rows);
    return *customers;
}

}  // namespace cp::bench
