#include "fuzz/SearchCheck.h"

#include <optional>
#include <string>
#include <vector>

#include "fuzz/Outcome.h"
#include "platform/sim/UpperCase.h"
#include "runtime/RuntimeError.h"
#include "runtime/Utf8.h"
#include "tests/support/ColumnPickProbe.h"
#include "tests/support/RowScans.h"

namespace cp::fuzz {
namespace {

// The entry at (column, row), or Empty where the table has none.
Variant EntryOrEmpty(const VariantArray& table, std::int32_t column, std::int32_t row) {
    try {
        return table.At(column, row);
    } catch (const RuntimeError&) {
        return Variant();
    }
}

// The text form of an entry, or none for one without (Null, an object, a date the host cannot
// show).
std::optional<std::string> TextOf(const Variant& entry) {
    if (!entry.IsString() && !entry.IsNumeric()) return std::nullopt;
    try {
        return CStr(entry);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

// A key as the failure names it.
std::string KeyText(const Variant& key) {
    if (const std::optional<std::string> text = TextOf(key)) return "\"" + *text + "\"";
    return "of type " + std::to_string(static_cast<int>(key.Type()));
}

// The texts to search for, taken from the first column's entries of the given rows.
std::vector<std::string> Prefixes(const VariantArray& table, const std::vector<std::int32_t>& at) {
    std::vector<std::string> texts{"", "\xC3\x9F"};  // ß, which the host does not upper-case
    for (std::int32_t row : at) {
        const std::optional<std::string> text = TextOf(EntryOrEmpty(table, 0, row));
        if (!text) continue;
        texts.push_back(*text);
        texts.emplace_back(utf8::Left(*text, 1));
        texts.push_back(sim::UpperCase(utf8::Left(*text, 3)));
    }
    return texts;
}

}  // namespace

void IndexEveryTable(Session& s) {
    ColumnPickProbe(s.control()).indexes().IndexEveryTable(kSessionChunkRows);
}

void CheckSearches(Session& s, std::string_view step, const VariantArray& table,
                   std::int32_t count) {
    ColumnPickProbe probe(s.control());
    std::vector<std::int32_t> rows;
    if (count > 0) rows = {0, count / 2, count - 1};
    for (const std::string& text : Prefixes(table, rows)) {
        const test::SearchOutcome indexed =
            test::OutcomeOf([&] { return probe.IndexedPrefix(text); });
        const test::SearchOutcome scanned =
            test::OutcomeOf([&] { return test::ScanFirstColumn(table, count, text); });
        if (indexed != scanned) {
            Fail(step, "the index finds " + indexed.Describe() + " for the prefix \"" + text +
                           "\", the rows one by one " + scanned.Describe());
        }
    }
    const std::int32_t column = s.control().BoundColumn();
    for (std::int32_t row : rows) {
        const Variant key = EntryOrEmpty(table, column, row);
        const test::SearchOutcome indexed =
            test::OutcomeOf([&] { return probe.IndexedValue(key); });
        const test::SearchOutcome scanned =
            test::OutcomeOf([&] { return test::ScanColumn(table, count, column, key); });
        if (indexed != scanned) {
            Fail(step, "the index finds " + indexed.Describe() + " for the value " + KeyText(key) +
                           ", the rows one by one " + scanned.Describe());
        }
    }
}

}  // namespace cp::fuzz
