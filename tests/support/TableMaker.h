// Generated item tables, texts and keys for holding the indexes against the searches row by row
// (tests/support/RowScans.h): entries of every kind the table can hold, texts that share their
// beginnings in every case, and searches that mostly find something.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "platform/sim/UpperCase.h"
#include "runtime/Locale.h"
#include "runtime/Utf8.h"
#include "runtime/Variant.h"

namespace cp::test {

// Pieces of first-column texts: shared prefixes in every case, letters whose upper case is
// shorter or longer in bytes (ı, ſ, ÿ, ς), letters the host leaves alone (ß), a malformed
// byte and a NUL.
inline constexpr std::string_view kPieces[] = {
    "a", "b", "ab", "Ab", "AB", "ı", "I", "i", "ſ", "s", "S",  "ÿ",    "Ÿ",
    "ς", "σ", "Σ",  "ß",  "é",  "É", "ж", "Ж", " ", "1", ".5", "\xff", std::string_view("\0", 1)};

class TableMaker {
public:
    explicit TableMaker(unsigned start) : rng_(start) {}

    int Pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(rng_); }
    bool Chance(int percent) { return Pick(100) < percent; }

    std::string Word() {
        std::string word;
        // Long texts that agree beyond the sixteen bytes an index packs.
        if (Chance(10)) word = "Customer number 0000";
        for (int n = Pick(6); n > 0; --n)
            word += kPieces[Pick(static_cast<int>(std::size(kPieces)))];
        return word;
    }

    Variant Entry(bool objects) {
        const int kind = Pick(100);
        if (kind < 55) return Variant(Word());
        if (kind < 63) return Variant::Null();
        if (kind < 67) return Variant();
        if (kind < 73) return Variant(static_cast<std::int16_t>(Pick(30) - 10));
        if (kind < 79) return Variant(Pick(40) / 4.0);
        if (kind < 82) return Variant(Chance(50));
        if (kind < 85) return Variant(Currency{Pick(50) * 2500});
        if (kind < 87) return Variant(Date{36526.0 + Pick(3)});
        if (kind < 96) return Variant(std::to_string(Pick(20)));
        if (objects) return Variant(std::make_shared<VariantArray>());
        return Variant(std::string());
    }

    // A text to search for: mostly the beginning of an entry's text in another case.
    std::string Prefix(const VariantArray& table, std::int32_t count) {
        if (count == 0 || Chance(25)) return Chance(20) ? std::string() : Word();
        const Variant& entry = table.At(0, Pick(count));
        if (entry.IsNull() || entry.IsArray()) return Word();
        const std::string text = CStr(entry);
        std::string prefix(utf8::Left(text, static_cast<std::size_t>(Pick(8))));
        if (Chance(50)) prefix = sim::UpperCase(prefix);
        if (Chance(20)) prefix += Word();
        return prefix;
    }

    // A key to look for: mostly an entry of the column, as it is or as another type.
    Variant Key(const VariantArray& table, std::int32_t count, std::int32_t column) {
        if (count == 0 || Chance(20)) {
            const Variant odd[] = {
                Variant(),     Variant(""),    Variant(std::int16_t{0}), Variant(std::nan("")),
                Variant(-0.0), Variant(Word())};
            return odd[Pick(static_cast<int>(std::size(odd)))];
        }
        const Variant& entry = table.At(column, Pick(count));
        if (entry.IsNumeric() && Chance(50)) return Variant(entry.Number());
        if (entry.IsString() && Chance(20)) return Variant(sim::UpperCase(entry.String()));
        return entry;
    }

    VariantArray Table(std::int32_t columns, std::int32_t rows, bool objects) {
        VariantArray table({columns, rows});
        for (Variant& entry : table.Elements())
            entry = Entry(objects);
        return table;
    }

    // AddItem on a table of `count` rows: a row of new entries at the end.
    void AppendRow(VariantArray& table, std::int32_t& count, bool objects) {
        KeepRows(table, count + 1);
        for (std::int32_t c = 0; c < table.Extent(0); ++c)
            table.At(c, count) = Entry(objects);
        ++count;
    }

    // RemoveItem: the later rows move up; the only row stays allocated but uncounted.
    static void RemoveRow(VariantArray& table, std::int32_t& count, std::int32_t row) {
        const std::int32_t columns = table.Extent(0);
        auto& entries = table.Elements();
        const auto at = [&](std::int32_t r) { return entries.begin() + r * columns; };
        std::move(at(row + 1), at(count), at(row));
        if (count > 1) KeepRows(table, count - 1);
        --count;
    }

    // The table holds `rows` rows: the first ones it held, then empty ones (ReDim Preserve).
    static void KeepRows(VariantArray& table, std::int32_t rows) {
        const std::int32_t columns = table.Extent(0);
        BlockVector<Variant> entries = std::move(table.Elements());
        entries.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
        table = VariantArray({columns, rows}, std::move(entries));
    }

private:
    std::mt19937 rng_;
};

// The simulated host's upper case, Unicode letters included, for the length of a scope, as a
// host hands it over at start-up; the runtime's own (ASCII letters only) again afterwards.
class SimulatedUpperCase {
public:
    SimulatedUpperCase() { SetLocale({".", &sim::UpperCaseChar}); }
    ~SimulatedUpperCase() { SetLocale({}); }
    SimulatedUpperCase(const SimulatedUpperCase&) = delete;
    SimulatedUpperCase& operator=(const SimulatedUpperCase&) = delete;
};

}  // namespace cp::test
