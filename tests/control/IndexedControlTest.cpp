// The control's searches through each of its own changes of the item table, with enough rows
// for its indexes to be built: typing and Value find what the searches row by row of a copy of
// its table find.
#include <gtest/gtest.h>

#include <string>

#include "runtime/RuntimeError.h"
#include "tests/support/BlockRecordset.h"
#include "tests/support/RowScans.h"
#include "tests/support/TableMaker.h"
#include "tests/support/sim/SimControl.h"

namespace cp::test {
namespace {

class IndexedControlTest : public ::testing::Test {
protected:
    static constexpr std::int32_t kRows = 3000;

    void SetUp() override {
        s.Fill(3, "", Items(kRows));
        ExpectAgreement("AddList");
    }

    std::string Items(std::int32_t rows) {
        std::string items;
        for (std::int32_t r = 0; r < rows; ++r)
            items +=
                make_.Word() + ";" + std::to_string(make_.Pick(rows)) + ";" + make_.Word() + ";";
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
            // An edit field holds no NUL: the table's own tests search for those.
            if (!text.empty() && text.find('\0') == std::string::npos) {
                s.control().Text(text);
                EXPECT_EQ(s.control().ListIndex(), ScanFirstColumn(table, count, text))
                    << "prefix \"" << text << "\"";
            }
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

// An AddList without a whole row leaves the old table allocated but uncounted; the rows added
// after it replace the old ones, however many there are before the next search.
TEST_F(IndexedControlTest, TypingAndValueFindWhatTheScansFindThroughEveryChange) {
    s.control().AddList("only;two");
    EXPECT_EQ(s.control().ListCount(), 0);
    s.world().ClearMessageBoxes();
    for (std::int32_t r = 0; r < kRows; ++r)
        s.control().AddItem(Items(1));
    // The searches and the copy read the same table: only its size shows old rows kept.
    EXPECT_EQ(s.control().ArrayWithItems().Array()->Extent(1), kRows);
    ExpectAgreement("AddItem after the failed AddList");

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
    s.control().BoundColumn(1);
    s.Fill(2, "", Items(kRows));
    ExpectAgreement("ColumnCount and AddList");

    VariantArray block({2, kRows});
    for (Variant& entry : block.Elements())
        entry = make_.Entry(false);
    s.control().FillComboBoxMultiColumnRecordset(BlockRecordset::Of(block));
    ExpectAgreement("the recordset fill");

    // The rows have moved up before the list window is told; when it fails, the searches find
    // the rows where they now are.
    s.world().FailNext("ListBox.RemoveItem", vberr::InvalidProcedureCall);
    EXPECT_THROW(s.control().RemoveItem(kRows / 3), RuntimeError);
    ExpectAgreement("the refused RemoveItem");
}

}  // namespace
}  // namespace cp::test
