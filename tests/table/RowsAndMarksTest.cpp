// A row removed from the item table: the marks that stand on the rows move with them, and the
// searches find the rows where they now are, even when the list window refuses the removal.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "runtime/RuntimeError.h"
#include "table/ItemTable.h"

namespace cp::test {
namespace {

// A one-column table of the texts, with its marks set.
ItemTable Table(const std::vector<std::string>& texts, std::int32_t current, std::int32_t committed,
                std::int32_t hot) {
    ItemTable table;
    VariantArray items({1, static_cast<std::int32_t>(texts.size())});
    for (std::size_t r = 0; r < texts.size(); ++r)
        items.At(0, static_cast<std::int32_t>(r)) = Variant(texts[r]);
    table.ReplaceRows(std::move(items));
    table.SetListIndex(committed);
    table.CommitListIndex();
    table.SetListIndex(current);
    table.SetHotRow(hot);
    return table;
}

// The current, committed and hot rows.
using Marks = std::tuple<std::int32_t, std::int32_t, std::int32_t>;

Marks MarksOf(const ItemTable& table) {
    return {table.ListIndex(), table.CommittedIndex(), table.HotRow()};
}

std::vector<std::string> Texts(const ItemTable& table) {
    std::vector<std::string> texts;
    for (std::int32_t r = 0; r < table.Count(); ++r)
        texts.push_back(table.Items().At(0, r).String());
    return texts;
}

TEST(ItemTableRows, ARemovalMovesTheMarksWithTheRowsAndARefusedOneLeavesTheSearchesRight) {
    struct Case {
        std::int32_t removed;
        CommittedRow what;
        Marks after;
        std::vector<std::string> texts;
    };
    // Before each removal: current row 3, committed row 2, hot row 1, over a to e.
    const Case cases[] = {
        {0, CommittedRow::MovedUp, {1, 1, 0}, {"b", "c", "d", "e"}},
        {2, CommittedRow::Removed, {-1, -1, 1}, {"a", "b", "d", "e"}},
        // The current row, which nobody committed, goes with its item.
        {3, CommittedRow::Stays, {-1, 2, 1}, {"a", "b", "c", "e"}},
        {4, CommittedRow::Stays, {3, 2, 1}, {"a", "b", "c", "d"}},
        {5, CommittedRow::Stays, {3, 2, 1}, {"a", "b", "c", "d", "e"}},
        {-1, CommittedRow::Stays, {3, 2, 1}, {"a", "b", "c", "d", "e"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("removing row " + std::to_string(c.removed));
        ItemTable table = Table({"a", "b", "c", "d", "e"}, 3, 2, 1);
        int told = 0;
        EXPECT_EQ(table.RemoveRow(c.removed, [&] { ++told; }), c.what);
        EXPECT_EQ(MarksOf(table), c.after);
        EXPECT_EQ(Texts(table), c.texts);
        EXPECT_EQ(told, c.texts.size() == 5 ? 0 : 1);
        for (std::size_t r = 0; r < c.texts.size(); ++r)
            EXPECT_EQ(table.FindPrefix(c.texts[r]), static_cast<std::int32_t>(r));
    }

    // The list window is told before the last row goes and after the later rows have moved up: a
    // list window that refuses leaves the last row in place, or the rows moved up over the removed
    // one with their old last place still counted, and the searches find each row where it is.
    const auto refuse = [] { Raise(vberr::InvalidProcedureCall); };
    ItemTable last = Table({"a", "b", "c"}, -1, -1, -1);
    EXPECT_THROW(last.RemoveRow(2, refuse), RuntimeError);
    EXPECT_EQ(Texts(last), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(last.FindPrefix("c"), 2);

    ItemTable middle = Table({"a", "b", "c"}, -1, -1, -1);
    EXPECT_THROW(middle.RemoveRow(0, refuse), RuntimeError);
    EXPECT_EQ(middle.Count(), 3);
    EXPECT_EQ(middle.Items().At(0, 0).String(), "b");
    EXPECT_EQ(middle.Items().At(0, 1).String(), "c");
    EXPECT_EQ((std::vector{middle.FindPrefix("b"), middle.FindPrefix("c"), middle.FindPrefix("a")}),
              (std::vector{0, 1, -1}));
}

}  // namespace
}  // namespace cp::test
