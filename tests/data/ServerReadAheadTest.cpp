// Rows read ahead of the open list's scrolling come into the rows read only where they still
// follow on: after the list moved, a new chain began or the rows were read meanwhile they are
// dropped, so that no row shows twice or out of its place.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "control/ServerRows.h"
#include "data/KeyedRows.h"
#include "tests/data/TempDatabase.h"

namespace cp::test {
namespace {

// 300 names "n000" to "n299", in the list's order.
constexpr const char* kNames =
    "CREATE TABLE names (name TEXT, code TEXT);"
    "CREATE INDEX names_name ON names (name COLLATE NOCASE);"
    "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 299)"
    " INSERT INTO names SELECT printf('n%03d', (i * 7) % 300), printf('C%03d', i) FROM n;";

class ServerReadAheadTest : public ::testing::Test {
protected:
    ServerReadAheadTest() { rows_.Connect(source_); }

    // The rows that the read ahead would bring, read as the query thread reads them.
    std::vector<KeyedRow> Read(const AheadRead& asked) {
        return asked.down ? source_->RowsAfter(asked.from, ServerRows::kPageRows)
                          : source_->RowsBefore(asked.from, ServerRows::kPageRows);
    }
    // The first column of each of the list's rows listRows.
    std::vector<std::string> NamesAt(const std::vector<std::int32_t>& listRows) {
        std::vector<std::string> names;
        for (const std::int32_t listRow : listRows) {
            std::int32_t at = 0;
            const VariantArray* page = rows_.PageOf(rows_.Slot(listRow), at);
            names.push_back(page ? CStr(page->At(0, at)) : "?");
        }
        return names;
    }

    TempDatabase file_{kNames};
    std::shared_ptr<KeyedRows> source_ = file_.Open()->OpenKeyedRows("names", "");
    ServerRows rows_;
};

TEST_F(ServerReadAheadTest, RowsReadAheadAreKeptOnlyWhereTheyStillFollowOn) {
    // The first 64 rows are read: a list within a page of their end reads on from it, and
    // nothing above the table's first row.
    ASSERT_TRUE(rows_.Holds(0, 64));
    const std::vector<AheadRead> top = rows_.AheadOf(30, 8);
    ASSERT_EQ(top.size(), 1u);
    ASSERT_TRUE(top[0].down);
    const std::vector<KeyedRow> next = Read(top[0]);
    ASSERT_TRUE(rows_.KeepAhead(top[0], next));
    EXPECT_TRUE(rows_.Holds(64, 64));
    EXPECT_EQ(NamesAt({63, 64, 127}), (std::vector<std::string>{"n063", "n064", "n127"}));
    // The same answer again, or one read from a row that no longer ends the run: dropped.
    EXPECT_FALSE(rows_.KeepAhead(top[0], next));
    EXPECT_FALSE(rows_.KeepAhead(top[0], Read(top[0])));
    // Far enough from the end, the list asks for nothing.
    EXPECT_TRUE(rows_.AheadOf(10, 8).empty());

    // A new chain far down: an answer read after the old chain's end is not among its rows.
    const AheadRead stale = rows_.AheadOf(100, 8).at(0);
    const std::vector<KeyedRow> staleRows = Read(stale);
    ServerMarks marks;
    const std::int32_t found = rows_.ListRow(rows_.FindPrefix("n250", marks));
    ASSERT_GE(found, 0);
    EXPECT_FALSE(rows_.KeepAhead(stale, staleRows));
    // Near the table's end both ways are asked for, down first. Down is a short read, which
    // the list's own read places; up, the rows land next to the row found.
    const std::vector<AheadRead> around = rows_.AheadOf(found, 8);
    ASSERT_EQ(around.size(), 2u);
    ASSERT_TRUE(around[0].down);
    EXPECT_LT(std::ssize(Read(around[0])), ServerRows::kPageRows);
    EXPECT_FALSE(rows_.KeepAhead(around[0], Read(around[0])));
    ASSERT_FALSE(around[1].down);
    ASSERT_TRUE(rows_.KeepAhead(around[1], Read(around[1])));
    EXPECT_EQ(NamesAt({found, found - 50, found - 17, rows_.Count() - 1}),
              (std::vector<std::string>{"n250", "n200", "n233", "n299"}));
}

}  // namespace
}  // namespace cp::test
