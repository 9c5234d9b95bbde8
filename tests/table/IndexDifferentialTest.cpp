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
#include "runtime/Locale.h"
#include "runtime/RuntimeError.h"
#include "table/PrefixIndex.h"
#include "table/ValueIndex.h"
#include "tests/support/RowScans.h"
#include "tests/support/TableMaker.h"

namespace cp::test {
namespace {

using Outcome = SearchOutcome;

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
    void Append() { make_.AppendRow(table_, count_, objects_); }
    void Remove(std::int32_t row) {
        TableMaker::RemoveRow(table_, count_, row);
        prefix_.RowRemoved(row);
        value_.RowRemoved(row);
    }

    void Compare() {
        for (int i = 0; i < 10; ++i) {
            const std::string text = make_.Prefix(table_, count_);
            EXPECT_EQ(OutcomeOf([&] { return prefix_.Find(CellTable(table_), count_, text); }),
                      OutcomeOf([&] { return ScanFirstColumn(table_, count_, text); }))
                << "prefix \"" << text << "\" over " << count_ << " rows";
            const Variant key = make_.Key(table_, count_, std::min(column_, columns_ - 1));
            EXPECT_EQ(
                OutcomeOf([&] { return value_.Find(CellTable(table_), count_, column_, key); }),
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
    SimulatedUpperCase upperCase_;
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

TEST(IndexLocale, ANewUpperCaseOrSeparatorOrdersTheTextsAnewAndLongTextsFail) {
    // A text beyond a sixteen-bit count fails, even on an empty table.
    PrefixIndex empty;
    const std::string longest(32767, 'x');
    EXPECT_EQ(OutcomeOf([&] { return empty.Find(CellTable(), 0, longest); }), (Outcome{-1, 0}));
    EXPECT_EQ(OutcomeOf([&] { return empty.Find(CellTable(), 0, longest + "é"); }),
              (Outcome{-1, vberr::Overflow}));

    SimulatedUpperCase upperCase;
    VariantArray table({1, 6});
    const Variant entries[] = {Variant("Ivy"), Variant("ivy"), Variant("µm"),
                               Variant("ıvy"), Variant(1.5),   Variant("1,5")};
    std::copy(std::begin(entries), std::end(entries), table.Elements().begin());
    PrefixIndex index(0, 2);
    const auto agree = [&](const char* text) {
        EXPECT_EQ(OutcomeOf([&] { return index.Find(CellTable(table), 6, text); }),
                  OutcomeOf([&] { return ScanFirstColumn(table, 6, text); }))
            << text;
    };
    for (const char* text : {"iv", "IV", "ıv", "µ", "Μ", "1.", "1,"})
        agree(text);
    const LocaleFacts before = CurrentLocale();
    SetLocale({",", &DottedUpper});
    for (const char* text : {"iv", "IV", "ıv", "µ", "Μ", "1.", "1,"})
        agree(text);
    EXPECT_EQ(index.Find(CellTable(table), 6, "i"), 1);   // İ: only the dotted i
    EXPECT_EQ(index.Find(CellTable(table), 6, "1,"), 4);  // 1.5 reads 1,5 now and comes first
    SetLocale(before);
}

}  // namespace
}  // namespace cp::test
