// Recordsets whose rows come in a shape the item table cannot take.
#include <gtest/gtest.h>

#include "runtime/RuntimeError.h"
#include "tests/support/BlockRecordset.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

// Rows without a single field have nothing to show or to look up: the fill reports them as a
// type mismatch, as it does any block that is no (field, row) table, and keeps the column
// count a user set.
TEST(RecordsetShape, RowsWithoutFieldsAreATypeMismatch) {
    SimControl s;
    s.Fill(2, "1000;1000", "1;one;2;two");
    s.control().ShowDropDown();
    s.control().FillComboBoxMultiColumnRecordset(BlockRecordset::Of(VariantArray({0, 5})));

    ASSERT_EQ(s.ReportTitles(), std::vector<std::string>{"ColumnPick - FillComboBoxMultiColumn"});
    EXPECT_NE(s.world().MessageBoxes()[0].prompt.find("Error 13: "), std::string::npos);
    EXPECT_EQ((std::tuple{s.control().ListCount(), s.ListState().count, s.control().ColumnCount()}),
              (std::tuple{0, 0, 2}));
}

}  // namespace
}  // namespace cp::test
