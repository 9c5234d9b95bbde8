#include "fuzz/SearchCheck.h"

#include <optional>
#include <string>
#include <vector>

#include "fuzz/Outcome.h"
#include "platform/sim/UpperCase.h"
#include "runtime/RuntimeError.h"
#include "runtime/Utf8.h"
#include "table/RowSearch.h"
#include "table/SearchIndex.h"
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

// The rules the search index answers for, the control's own first: each mode over its searched
// columns, and every column.
std::vector<SearchRule> Rules(ColumnPick& control) {
    SearchRule own{static_cast<MatchMode>(control.MatchMode()), {}};
    own.columns =
        ParseSearchColumns(control.SearchColumns(), 0x7FFF).value_or(std::vector<std::int16_t>{0});
    std::vector<SearchRule> rules{own};
    for (const MatchMode mode : {MatchMode::WordStart, MatchMode::Contains})
        rules.push_back({mode, {2, 1, 0}});
    return rules;
}

// Pieces from inside the entries of every column, as they are and upper-cased.
std::vector<std::string> Pieces(const VariantArray& table, const std::vector<std::int32_t>& at) {
    std::vector<std::string> texts{" ", "-"};
    const std::int32_t columns = table.Dimensions() == 2 ? table.Extent(0) : 0;
    for (std::int32_t row : at) {
        for (std::int32_t c = 0; c < columns; ++c) {
            const std::optional<std::string> text = TextOf(EntryOrEmpty(table, c, row));
            if (!text || text->empty()) continue;
            std::size_t offset = 0;
            utf8::Next(*text, offset);
            texts.emplace_back(utf8::Left(std::string_view(*text).substr(offset), 2));
            texts.push_back(sim::UpperCase(*text));
        }
    }
    return texts;
}

// The word-start and contains searches of the index against the rows one by one, each text
// typed one character after another as the index refines its answers.
void CheckPartSearches(Session& s, std::string_view step, const VariantArray& table,
                       std::int32_t count, const std::vector<std::int32_t>& rows) {
    ColumnPickProbe probe(s.control());
    const CellTable cells(table);
    for (const SearchRule& rule : Rules(s.control())) {
        for (const std::string& text : Pieces(table, rows)) {
            for (std::size_t n = 1; n <= utf8::Length(text); ++n) {
                const std::string typed(utf8::Left(text, n));
                if (probe.indexes().FindMatches(cells, count, rule, typed, kAllMatches) !=
                    ScanMatches(table, count, rule, typed)) {
                    Fail(step, "the search index and the rows one by one differ for \"" + typed +
                                   "\" in mode " + std::to_string(static_cast<int>(rule.mode)));
                }
            }
        }
    }
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
    CheckPartSearches(s, step, table, count, rows);
}

}  // namespace cp::fuzz
