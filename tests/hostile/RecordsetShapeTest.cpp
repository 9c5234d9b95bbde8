// Recordsets whose rows come in a shape the item table cannot take.
#include <gtest/gtest.h>

#include "data/Database.h"
#include "runtime/RuntimeError.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

// A recordset that counts its rows and hands them over as the block it was given.
class BlockRecordset final : public Recordset {
public:
    explicit BlockRecordset(VariantArray block) : block_(std::move(block)) {}
    Variant RecordCount() override { return block_.Extent(1); }
    Variant Eof() override { return block_.Extent(1) == 0; }
    void MoveLast() override {}
    void MoveFirst() override {}
    Variant GetRows(std::int32_t) override { return std::make_shared<VariantArray>(block_); }
    void Close() override {}

private:
    VariantArray block_;
};

// Rows without a single field have nothing to show or to look up: the fill reports them as a
// type mismatch, as it does any block that is no (field, row) table, and keeps the column
// count a user set.
TEST(RecordsetShape, RowsWithoutFieldsAreATypeMismatch) {
    SimControl s;
    s.Fill(2, "1000;1000", "1;one;2;two");
    s.control().ShowDropDown();
    const auto rec = std::make_shared<BlockRecordset>(VariantArray({0, 5}));
    s.control().FillComboBoxMultiColumnRecordset(Variant(std::shared_ptr<Object>(rec)));

    ASSERT_EQ(s.world().MessageBoxes().size(), 1u);
    EXPECT_EQ(s.world().MessageBoxes()[0].title, "ColumnPick - FillComboBoxMultiColumn");
    EXPECT_NE(s.world().MessageBoxes()[0].prompt.find("Error 13: "), std::string::npos);
    EXPECT_EQ(s.control().ListCount(), 0);
    EXPECT_EQ(s.ListWindowCount(), 0);
    EXPECT_EQ(s.control().ColumnCount(), 2);
}

}  // namespace
}  // namespace cp::test
