// The indexes of the item table against the searches row by row that they replaced, over many
// generated tables and texts: every result and every failure must be the same, through the
// changes that the control tells the indexes of and those they notice themselves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/sim/UpperCase.h"
#include "platform/sim/World.h"
#include "runtime/Locale.h"
#include "runtime/RuntimeError.h"
#include "runtime/Utf8.h"
#include "table/PrefixIndex.h"
#include "table/ValueIndex.h"
#include "tests/support/BlockRecordset.h"
#include "tests/support/RowScans.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

using Outcome = SearchOutcome;

// Pieces of first-column texts: shared prefixes in every case, letters whose upper case is
// shorter or longer in bytes (ı, ſ, ÿ, ς), letters the host leaves alone (ß), a malformed
// byte and a NUL.
constexpr std::string_view kPieces[] = {
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

private:
    std::mt19937 rng_;
};

// Two tables of the same rows: one searched by the indexes, one by the scans, each changed as
// the control changes its table.
class DifferentialRun {
public:
    DifferentialRun(unsigned start, std::int32_t scannedRows, std::int32_t chunkRows)
        : make_(start), prefix_(scannedRows, chunkRows), value_(scannedRows) {
        objects_ = make_.Chance(15);
        columns_ = 1 + make_.Pick(3);
        Replace();
    }

    void Step() {
        const int change = make_.Pick(100);
        if (change < 15 && count_ > 0) {
            Remove(make_.Pick(count_));
        } else if (change < 30) {
            Append();
        } else if (change < 33) {
            Replace();
        } else if (change < 40) {
            column_ = make_.Pick(columns_ + 1);  // one beyond the table, now and then
        } else if (change < 42) {
            count_ = 0;  // an AddList without a whole row: the old table stays, uncounted
        }
        Compare();
    }

private:
    // AddList or a fill: a new table, which the indexes are told of.
    void Replace() {
        count_ = make_.Pick(300);
        table_ = make_.Table(columns_, count_, objects_);
        prefix_.Clear();
        value_.Clear();
    }
    // AddItem: a row at the end, which the indexes find out for themselves.
    void Append() {
        table_.ResizeLast(count_);
        table_.TryAppendLast([&](auto emplace) {
            for (std::int32_t c = 0; c < columns_; ++c)
                emplace(make_.Entry(objects_));
        });
        ++count_;
    }
    // RemoveItem: the later rows move up; the only row stays allocated but uncounted.
    void Remove(std::int32_t row) {
        auto& entries = table_.Elements();
        const auto at = [&](std::int32_t r) { return entries.begin() + r * columns_; };
        std::move(at(row + 1), at(count_), at(row));
        if (count_ > 1) table_.ResizeLast(count_ - 1);
        --count_;
        prefix_.RowRemoved(row);
        value_.RowRemoved(row);
    }

    void Compare() {
        for (int i = 0; i < 10; ++i) {
            const std::string text = make_.Prefix(table_, count_);
            EXPECT_EQ(OutcomeOf([&] { return prefix_.Find(table_, count_, text); }),
                      OutcomeOf([&] { return ScanFirstColumn(table_, count_, text); }))
                << "prefix \"" << text << "\" over " << count_ << " rows";
            const Variant key = make_.Key(table_, count_, std::min(column_, columns_ - 1));
            EXPECT_EQ(OutcomeOf([&] { return value_.Find(table_, count_, column_, key); }),
                      OutcomeOf([&] { return ScanColumn(table_, count_, column_, key); }))
                << "key \"" << DisplayText(key) << "\" of type " << static_cast<int>(key.Type())
                << " in column " << column_ << " over " << count_ << " rows";
        }
    }

    TableMaker make_;
    PrefixIndex prefix_;
    ValueIndex value_;
    bool objects_ = false;  // some entries are arrays, which have no text and equal nothing
    std::int32_t columns_ = 1;
    std::int32_t column_ = 0;  // the searched column of the value index
    std::int32_t count_ = 0;
    VariantArray table_;
};

// How many rows a search takes one by one after the index before it builds more, and how
// many rows one stretch of the first column's index holds.
struct IndexShape {
    std::int32_t scannedRows;
    std::int32_t chunkRows;
    friend void PrintTo(const IndexShape& shape, std::ostream* out) {
        *out << shape.scannedRows << " scanned, " << shape.chunkRows << " a stretch";
    }
};

class IndexDifferentialTest : public ::testing::TestWithParam<IndexShape> {
protected:
    sim::World world_;  // the simulated host's upper case, Unicode letters included
};

TEST_P(IndexDifferentialTest, AgreesWithTheScansThroughEveryChange) {
    for (unsigned start = 1; start <= 120; ++start) {
        SCOPED_TRACE("random start " + std::to_string(start));
        DifferentialRun run(start, GetParam().scannedRows, GetParam().chunkRows);
        for (int step = 0; step < 12; ++step)
            run.Step();
        if (HasFailure()) break;
    }
}

// Built at once in one stretch, in stretches of a few dozen rows built search by search with
// a few rows after them, and only ever searched row by row.
INSTANTIATE_TEST_SUITE_P(Shapes, IndexDifferentialTest,
                         ::testing::Values(IndexShape{0, kChunkRows}, IndexShape{8, 40},
                                           IndexShape{0, 16},
                                           IndexShape{kScannedRows, kChunkRows}));

// The upper case of a host whose locale treats i and ı apart, and whose answer for µ lies
// beyond Unicode, with a comma as its decimal separator.
char32_t DottedUpper(char32_t c) {
    if (c == U'i') return 0x0130;
    if (c == 0x00B5) return 0x110000;
    return sim::UpperCaseChar(c);
}

TEST(IndexLocale, ANewUpperCaseOrSeparatorOrdersTheTextsAnew) {
    sim::World world;
    VariantArray table({1, 6});
    const Variant entries[] = {Variant("Ivy"), Variant("ivy"), Variant("µm"),
                               Variant("ıvy"), Variant(1.5),   Variant("1,5")};
    std::copy(std::begin(entries), std::end(entries), table.Elements().begin());
    PrefixIndex index(0, 2);
    const auto agree = [&](const char* text) {
        EXPECT_EQ(OutcomeOf([&] { return index.Find(table, 6, text); }),
                  OutcomeOf([&] { return ScanFirstColumn(table, 6, text); }))
            << text;
    };
    for (const char* text : {"iv", "IV", "ıv", "µ", "Μ", "1.", "1,"})
        agree(text);
    SetLocale({",", &DottedUpper});
    for (const char* text : {"iv", "IV", "ıv", "µ", "Μ", "1.", "1,"})
        agree(text);
    EXPECT_EQ(index.Find(table, 6, "i"), 1);   // İ: only the dotted i
    EXPECT_EQ(index.Find(table, 6, "1,"), 4);  // 1.5 reads 1,5 now and comes first
}

TEST(IndexedSearch, ATextBeyondASixteenBitCountFailsEvenOnAnEmptyTable) {
    PrefixIndex index;
    const std::string longest(32767, 'x');
    EXPECT_EQ(OutcomeOf([&] { return index.Find(VariantArray(), 0, longest); }), (Outcome{-1, 0}));
    EXPECT_EQ(OutcomeOf([&] { return index.Find(VariantArray(), 0, longest + "é"); }),
              (Outcome{-1, vberr::Overflow}));
}

// The control itself, with enough rows for its indexes to be built, through each of its own
// changes of the table: typing and Value find what the scans of a copy of its table find.
class IndexedControlTest : public ::testing::Test {
protected:
    static constexpr std::int32_t kRows = 3000;

    void SetUp() override {
        s.Fill(3, "", Items(kRows));
        ExpectAgreement("AddList");
    }

    std::string Items(std::int32_t rows) {
        std::string items;
        for (std::int32_t r = 0; r < rows; ++r) {
            items +=
                make_.Word() + ";" + std::to_string(make_.Pick(rows)) + ";" + make_.Word() + ";";
        }
        items.pop_back();
        return items;
    }

    void ExpectAgreement(const char* after) {
        SCOPED_TRACE(after);
        const Variant copy = s.control().ArrayWithItems();
        const VariantArray& table = *copy.Array();
        const std::int32_t count = s.control().ListCount();
        const std::int32_t column = s.control().BoundColumn();
        for (int i = 0; i < 40; ++i) {
            const std::string text = make_.Prefix(table, count);
            EXPECT_EQ(s.probe().FindItemInArray(text), ScanFirstColumn(table, count, text))
                << "prefix \"" << text << "\"";
            const Variant key = make_.Key(table, count, column);
            // Null clears the selection; a key that no row holds changes nothing.
            const std::int32_t before = s.control().ListIndex();
            const std::int32_t found = ScanColumn(table, count, column, key);
            s.control().Value(key);
            EXPECT_EQ(s.control().ListIndex(), key.IsNull()  ? -1
                                               : found == -1 ? before
                                                             : found)
                << "key \"" << DisplayText(key) << "\"";
        }
        EXPECT_TRUE(s.world().MessageBoxes().empty());
    }

    TableMaker make_{11};
    SimControl s;
};

TEST_F(IndexedControlTest, TypingAndValueFindWhatTheScansFindThroughEveryChange) {
    s.control().RemoveItem(kRows / 2);
    s.control().RemoveItem(0);
    ExpectAgreement("RemoveItem");
    for (std::int32_t r = 0; r < 2 * kRows; ++r)
        s.control().AddItem(Items(1));
    ExpectAgreement("AddItem beyond the rows searched one by one");
    s.control().BoundColumn(2);
    ExpectAgreement("BoundColumn");
    s.control().Clear();
    ExpectAgreement("Clear");
    s.control().ColumnCount(2);
    s.control().ColumnWidths("");
    s.control().BoundColumn(1);
    s.control().AddList(Items(kRows));
    ExpectAgreement("ColumnCount and AddList");

    VariantArray block({2, kRows});
    for (Variant& entry : block.Elements())
        entry = make_.Entry(false);
    s.control().FillComboBoxMultiColumnRecordset(BlockRecordset::Of(block));
    ExpectAgreement("the recordset fill");
}

// An AddList without a whole row leaves the old table allocated but uncounted; the rows added
// after it replace the old ones, however many there are before the next search.
TEST_F(IndexedControlTest, RowsAddedAfterAnAddListWithoutAWholeRowAreSearchedAsTheyAre) {
    s.control().AddList("only;two");
    EXPECT_EQ(s.control().ListCount(), 0);
    s.world().ClearMessageBoxes();
    for (std::int32_t r = 0; r < kRows; ++r)
        s.control().AddItem(Items(1));
    ExpectAgreement("AddItem after the failed AddList");
}

// The rows have moved up before the list window is told; when it fails, the searches find the
// rows where they now are.
TEST_F(IndexedControlTest, ARemovalThatTheListWindowRefusesLeavesTheSearchesRight) {
    s.world().FailNext("ListBox.RemoveItem", vberr::InvalidProcedureCall);
    EXPECT_THROW(s.control().RemoveItem(kRows / 3), RuntimeError);
    ExpectAgreement("the refused RemoveItem");
}

}  // namespace
}  // namespace cp::test
