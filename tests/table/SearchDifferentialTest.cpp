// The search index of the word-start and contains searches against the search row by row, over
// generated tables: every answer must be the same, whole, cut to the first rows or found a
// stretch of rows at a time, for texts
// typed one character after another (which the index answers from its previous answer), through
// additions, removals, replacements, changes of the searched columns and a locale change.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/sim/UpperCase.h"
#include "runtime/Locale.h"
#include "runtime/Utf8.h"
#include "table/ItemTable.h"
#include "table/RowSearch.h"
#include "table/SearchIndex.h"
#include "tests/support/TableMaker.h"

namespace cp::test {
namespace {

// The first `limit` rows of an answer, as a search cut to them answers.
std::vector<std::int32_t> FirstRows(const std::vector<std::int32_t>& rows, std::size_t limit) {
    return {rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(std::min(limit, rows.size()))};
}

class SearchRun {
public:
    // Every other run indexes the word starts of the smallest tables too.
    explicit SearchRun(unsigned start) : make_(start), index_(start % 2 == 0 ? 0 : kScannedRows) {
        columns_ = 1 + make_.Pick(3);
        Replace();
    }

    void Step() {
        const int change = make_.Pick(100);
        if (change < 10 && count_ > 0) {
            Remove(make_.Pick(count_));
        } else if (change < 20) {
            Append();
        } else if (change < 23) {
            Replace();
        } else if (change < 35) {
            rule_ = Rule();
        }
        TypeOneByOne(Text());
    }

private:
    SearchRule Rule() {
        SearchRule rule;
        rule.mode = static_cast<MatchMode>(make_.Pick(3));
        rule.columns.clear();
        // Now and then a column that the table does not have, as after a lower ColumnCount.
        for (std::int16_t c = 0; c <= columns_; ++c)
            if (make_.Chance(50)) rule.columns.push_back(c);
        if (rule.columns.empty()) rule.columns.push_back(0);
        if (make_.Chance(30)) std::ranges::reverse(rule.columns);
        return rule;
    }

    // A text to type: mostly a piece from inside an entry, in another case now and then.
    std::string Text() {
        if (count_ == 0 || make_.Chance(25)) return make_.Word();
        const Variant& entry = table_.At(make_.Pick(columns_), make_.Pick(count_));
        if (entry.IsNull() || entry.IsArray()) return make_.Word();
        const std::string text = CStr(entry);
        std::size_t offset = 0;
        for (int skip = make_.Pick(static_cast<int>(utf8::Length(text)) + 1);
             skip > 0 && offset < text.size(); --skip) {
            utf8::Next(text, offset);
        }
        std::string piece(utf8::Left(std::string_view(text).substr(offset),
                                     static_cast<std::size_t>(make_.Pick(6))));
        if (make_.Chance(40)) piece = sim::UpperCase(piece);
        return piece;
    }

    // Each keystroke's text is looked for whole and for the first rows only, now and then with
    // some rows folded ahead of it as the idle steps after a fill fold them.
    void TypeOneByOne(const std::string& text) {
        for (std::size_t n = 0; n <= utf8::Length(text); ++n) {
            const std::string typed(utf8::Left(text, n));
            if (make_.Chance(30))
                index_.FoldAhead(CellTable(table_), count_, rule_, make_.Pick(60));
            const std::vector<std::int32_t> expected = ScanMatches(table_, count_, rule_, typed);
            const std::size_t limit = 1 + static_cast<std::size_t>(make_.Pick(4));
            const std::vector<std::int32_t> first = FirstRows(expected, limit);
            if (make_.Chance(30)) {
                ASSERT_EQ(index_.Find(CellTable(table_), count_, rule_, typed, limit), first)
                    << "first " << limit << " of \"" << typed << "\"";
            }
            if (make_.Chance(40)) {
                if (!Stepped(typed, limit, expected)) return;
                continue;
            }
            ASSERT_EQ(index_.Find(CellTable(table_), count_, rule_, typed), expected)
                << "\"" << typed << "\"";
        }
    }

    // The whole answer a stretch of rows at a time, now and then left unfinished for the next
    // keystroke (which goes on from it) or for a change of the rows; false on a failure.
    bool Stepped(const std::string& typed, std::size_t first,
                 const std::vector<std::int32_t>& expected) {
        const CellTable cells(table_);
        const FirstMatches start = index_.Start(cells, count_, rule_, typed, first);
        // A whole answer may come at once, however long it is.
        EXPECT_EQ(start.rows, start.whole ? expected : FirstRows(expected, first))
            << "first " << first << " of \"" << typed << "\"";
        EXPECT_TRUE(start.whole || expected.size() >= first) << "\"" << typed << "\"";
        if (!start.whole && make_.Chance(30)) return !::testing::Test::HasFailure();
        std::vector<std::int32_t> found = start.rows;
        AnswerProgress progress = start.whole ? AnswerProgress::Whole : AnswerProgress::More;
        while (progress == AnswerProgress::More)
            progress = index_.Resume(cells, count_, 1 + make_.Pick(40), found);
        EXPECT_EQ(progress, AnswerProgress::Whole) << "\"" << typed << "\"";
        EXPECT_EQ(found, expected) << "stepped \"" << typed << "\"";
        return !::testing::Test::HasFailure();
    }

    void Replace() {
        count_ = make_.Pick(200);
        table_ = make_.Table(columns_, count_, make_.Chance(10));
        index_.Clear();
    }
    void Append() { make_.AppendRow(table_, count_, false); }
    void Remove(std::int32_t row) {
        TableMaker::RemoveRow(table_, count_, row);
        index_.RowRemoved(row);
    }

    TableMaker make_;
    std::int32_t columns_ = 1;
    std::int32_t count_ = 0;
    VariantArray table_;
    SearchRule rule_;
    SearchIndex index_;
};

TEST(SearchDifferential, EverySearchAnswersAsTheSearchRowByRow) {
    const SimulatedUpperCase upper;
    for (unsigned start = 1; start <= 60; ++start) {
        SCOPED_TRACE("run " + std::to_string(start));
        SearchRun run(start);
        for (int step = 0; step < 40; ++step) {
            run.Step();
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

// The runtime's own upper case (ASCII letters only) first, then the host's: the rows folded
// under the first are folded again.
TEST(SearchDifferential, ALocaleChangeFoldsTheRowsAgain) {
    VariantArray table({1, 2});
    table.At(0, 0) = Variant("Ärger");
    table.At(0, 1) = Variant("ärmel");
    SearchIndex index;
    const SearchRule contains{MatchMode::Contains, {0}};
    EXPECT_EQ(index.Find(CellTable(table), 2, contains, "ä"), (std::vector<std::int32_t>{1}));
    const SimulatedUpperCase upper;
    EXPECT_EQ(index.Find(CellTable(table), 2, contains, "ä"), (std::vector<std::int32_t>{0, 1}));
}

// An answer left unfinished is gone once its rows are no longer the ones it searched, or once
// the host's upper case changed under its folded rows: going on with it says so.
TEST(SearchSteps, ARemovalOrALocaleChangeDropsAnUnfinishedAnswer) {
    VariantArray table({1, 40});
    for (int r = 0; r < 40; ++r)
        table.At(0, r) = Variant("row " + std::to_string(r));
    const CellTable cells(table);
    const SearchRule contains{MatchMode::Contains, {0}};
    SearchIndex index(0, 4);
    std::vector<std::int32_t> found;
    ASSERT_FALSE(index.Start(cells, 40, contains, "row", 2).whole);
    index.RowRemoved(30);
    EXPECT_EQ(index.Resume(cells, 39, 100, found), AnswerProgress::Dropped);
    ASSERT_FALSE(index.Start(cells, 39, contains, "row", 2).whole);
    const SimulatedUpperCase upper;
    EXPECT_EQ(index.Resume(cells, 39, 100, found), AnswerProgress::Dropped);
    EXPECT_EQ(found, (std::vector<std::int32_t>{}));
}

// What a word is, and the texts that find no word.
TEST(SearchRules, WordsStartAfterSpacesAndPunctuationAndSearchColumnsAreDistinct) {
    const SimulatedUpperCase upper;
    VariantArray table({2, 4});
    const char* cells[] = {"Papua New Guinea", "PG", "Guinea-Bissau",           "GW",
                           "Saint-Barthélemy", "BL", "Bonaire, Sint Eustatius", "BQ"};
    for (int i = 0; i < 8; ++i)
        table.At(i % 2, i / 2) = Variant(cells[i]);
    SearchIndex index;
    const SearchRule words{MatchMode::WordStart, {0, 1}};
    const auto find = [&](std::string_view text) {
        return index.Find(CellTable(table), 4, words, text);
    };
    const std::pair<const char*, std::vector<std::int32_t>> cases[] = {
        {"new", {0}},  {"bis", {1}},  {"BARTHÉ", {2}}, {"eus", {3}},
        {"uinea", {}}, {"g", {0, 1}}, {" ", {}},       {", -", {}}};
    for (const auto& [text, rows] : cases)
        EXPECT_EQ(find(text), rows) << '"' << text << '"';
    // A text far longer than any entry finds nothing, quickly.
    EXPECT_EQ(find(std::string(100000, 'a')), (std::vector<std::int32_t>{}));
    // The search columns are distinct columns of the table.
    using Columns = std::vector<std::int16_t>;
    EXPECT_EQ(ParseSearchColumns("0;2", 3), (Columns{0, 2}));
    EXPECT_EQ(ParseSearchColumns("2;0", 3), (Columns{2, 0}));
    for (const char* bad : {"", "3", "0;0", "0;", ";0", "-1", "a", "0;;1", " 1", "1 ", "99999"})
        EXPECT_EQ(ParseSearchColumns(bad, 3), std::nullopt) << bad;
    EXPECT_EQ(SearchColumnsText({2, 0}), "2;0");
}

// Texts longer than the bytes the word starts are sorted by, and places in the last bytes of
// the folded rows, where the sixteen-at-a-time search hands over to the byte search.
TEST(SearchDifferential, LongTextsAndTheLastPlacesAreFound) {
    const SimulatedUpperCase upper;
    VariantArray table({2, 40});
    for (int r = 0; r < 40; ++r) {
        table.At(0, r) = Variant("Town hall-" + std::to_string(r) + " Überlingen");
        table.At(1, r) = Variant(std::string(static_cast<std::size_t>(r % 7), 'x') + "yz");
    }
    SearchIndex index(0);
    for (const MatchMode mode : {MatchMode::WordStart, MatchMode::Contains}) {
        const SearchRule rule{mode, {0, 1}};
        for (const char* text : {"town hall-3", "TOWN HALL-39 Ü", "hall-1", "überlingen", "xyz",
                                 "xxxxxxyz", "z", "yz", "town hall-4 x"}) {
            const std::vector<std::int32_t> expected = ScanMatches(table, 40, rule, text);
            EXPECT_EQ(index.Find(CellTable(table), 40, rule, text), expected)
                << static_cast<int>(mode) << " \"" << text << "\"";
            EXPECT_EQ(index.Find(CellTable(table), 40, rule, text, 2), FirstRows(expected, 2))
                << static_cast<int>(mode) << " \"" << text << "\"";
        }
    }
}

}  // namespace
}  // namespace cp::test
