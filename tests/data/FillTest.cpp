// The fills from a query and from a recordset, on a control placed on the simulated form and
// real SQLite files: what reaches the table, the list window, the mouse pointer and the user.
// The reports of the database's failures are checked end to end by the component's scripts and
// its late-bound fill test, which build them with the same words.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "control/ColumnPick.h"
#include "data/sqlite/SqliteDatabase.h"
#include "platform/sim/SimWindowApi.h"
#include "runtime/Conversions.h"
#include "tests/data/TempDatabase.h"
#include "tests/support/RecordsetChecks.h"
#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {
namespace {

constexpr const char* kFruit =
    "CREATE TABLE fruit (id INTEGER, name TEXT, origin TEXT);"
    "INSERT INTO fruit VALUES (1, 'apple', 'Kent'), (2, 'pear', NULL), (3, 'plum', 'Agen'),"
    " (4, 'quince', NULL), (5, 'sloe', 'Kent');";

constexpr const char* kRecordsetMessage =
    "Unable to execute the Function FillComboBoxMultiColumnRecordset!";

class FillTest : public ControlOnForm {
protected:
    // Two columns, widths set, two rows from an item string, row 1 current and committed.
    void PrepareTwoRows() {
        control().ColumnCount(std::int16_t{2});
        control().ColumnWidths("1000;1800");
        control().AddList("a;first;b;second");
        control().ListIndex(1);
        world().ClearMessageBoxes();
    }
    // The table as the host reads it back.
    VariantArray Table() { return *control().ArrayWithItems().Array(); }

    static Variant AsObject(std::shared_ptr<Object> object) { return Variant(std::move(object)); }

    TempDatabase file_{kFruit};
    std::shared_ptr<sqlite::SqliteDatabase> db_ = file_.Open();
};

TEST_F(FillTest, WithoutWidthsOnlyTheMessageIsShown) {
    control().FillComboBoxMultiColumn(*db_, "fruit");
    control().FillComboBoxMultiColumnRecordset(AsObject(db_->OpenRecordset("fruit", 4)));
    ASSERT_EQ(world().MessageBoxes().size(), 2u);
    for (const sim::MessageBoxRecord& box : world().MessageBoxes()) {
        EXPECT_EQ(box.prompt,
                  "You must specify the width of the columns before filling the combobox! "
                  "Example: ColumnPick1.ColumnWidths = \"\" for one column (the width of the "
                  "listbox equals the combobox width) or \"1000;1800\" for two columns.");
        EXPECT_EQ(box.buttons, vbOKOnly);
        EXPECT_FALSE(box.title.has_value());
    }
    EXPECT_TRUE(world().MousePointerHistory().empty());
    EXPECT_EQ(control().ListCount(), 0);
    EXPECT_FALSE(Table().Allocated());
}

TEST_F(FillTest, QueryRowsBecomeTheTableAsTheyAre) {
    PrepareTwoRows();
    control().FillComboBoxMultiColumn(*db_, "SELECT name, origin, id FROM fruit ORDER BY id");
    EXPECT_TRUE(world().MessageBoxes().empty());
    EXPECT_EQ(world().MousePointerHistory(), (std::vector<int>{vbHourglass, vbDefault}));
    EXPECT_EQ(ListState().count, 5);
    EXPECT_EQ(ListState().selection, -1);
    EXPECT_EQ(control().ListCount(), 5);

    // Three fields with two columns: all stored as they came, the column count left alone.
    const VariantArray table = Table();
    ASSERT_EQ(table.Extent(0), 3);
    ASSERT_EQ(table.Extent(1), 5);
    EXPECT_EQ(control().ColumnCount(), 2);
    EXPECT_EQ(CStr(table.At(0, 3)), "quince");

    // Two columns are drawn; a Null cell stays empty.
    world().Graphics().ClearLog();
    sim::ShowWindow(host().ListHwnd(), true);
    std::vector<std::string> texts;
    for (const sim::DrawRecord& r : world().Graphics().Log()) {
        if (r.op == sim::DrawOp::DrawText && r.window == host().ListHwnd()) texts.push_back(r.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"apple", "Kent", "pear", "plum", "Agen", "quince",
                                               "sloe", "Kent"}));

    // The committed row is forgotten; the current row and the text are not.
    EXPECT_EQ(control().ListIndex(), 1);
    EXPECT_EQ(control().Text(), "b");
    EXPECT_EQ(RowEscapeRestores(), -1);
}

TEST_F(FillTest, QueryWithoutRowsEmptiesTheListButKeepsTheOldTable) {
    PrepareTwoRows();
    control().FillComboBoxMultiColumn(*db_, "SELECT id, name FROM fruit WHERE id > 9");
    EXPECT_TRUE(world().MessageBoxes().empty());
    EXPECT_EQ(control().ListCount(), 0);
    EXPECT_EQ(ListState().count, 0);
    EXPECT_EQ(Table().Extent(1), 2);
    EXPECT_EQ(CStr(Table().At(1, 1)), "second");
}

// A query that would change data is refused with the report of every other failure, and the
// list and the file are left as they were.
TEST_F(FillTest, AQueryThatWouldChangeDataIsReportedAndChangesNothing) {
    PrepareTwoRows();
    const std::string message = "Unable to execute the sub FillComboBoxMultiColumn!\r\n\r\n";
    const std::pair<const char*, std::string> cases[] = {
        {"DELETE FROM fruit RETURNING id",
         "Error 3219: Invalid operation: only a query that reads rows can be opened."},
        {"SELECT 1; DELETE FROM fruit", "Error 3142: Characters found after end of SQL statement."},
    };
    for (const auto& [query, report] : cases) {
        world().ClearMessageBoxes();
        control().FillComboBoxMultiColumn(*db_, query);
        ASSERT_EQ(world().MessageBoxes().size(), 1u) << query;
        EXPECT_EQ(world().MessageBoxes()[0].prompt, message + report);
        EXPECT_EQ(control().ListCount(), 2) << query;
    }
    EXPECT_EQ(RowsOf(*db_, "SELECT count(*) FROM fruit"), "5\n");
}

TEST_F(FillTest, ARecordsetIsLoadedFromWhereItStandsAndStaysOpen) {
    PrepareTwoRows();
    auto rs = db_->OpenRecordset("SELECT name FROM fruit ORDER BY id", dbOpenSnapshot);
    rs->GetRows(2);
    control().FillComboBoxMultiColumnRecordset(AsObject(rs));
    EXPECT_TRUE(world().MessageBoxes().empty());
    EXPECT_EQ(control().ListCount(), 3);
    EXPECT_EQ(ListState().count, 3);
    EXPECT_EQ(CStr(Table().At(0, 0)), "plum");
    EXPECT_EQ(CLng(rs->RecordCount()), 5);
}

TEST_F(FillTest, ARecordsetThatIsNoObjectIsReportedAndEmptiesTheList) {
    PrepareTwoRows();
    EXPECT_NO_THROW(control().FillComboBoxMultiColumnRecordset(Variant("fruit")));
    ASSERT_EQ(world().MessageBoxes().size(), 1u);
    const sim::MessageBoxRecord& box = world().MessageBoxes()[0];
    EXPECT_EQ(box.title.value_or(""), "ColumnPick - FillComboBoxMultiColumn");
    EXPECT_EQ(box.buttons, vbCritical);
    EXPECT_EQ(box.prompt, std::string(kRecordsetMessage) +
                              "\r\n\r\nError 424: The following error occured: \r\n\r\nObject "
                              "required\r\n\r\nDid you set the CursorType of the recordset?");
    EXPECT_EQ(world().MousePointer(), vbDefault);
    EXPECT_EQ(control().ListCount(), 0);
    EXPECT_EQ(ListState().count, 0);
}

}  // namespace
}  // namespace cp::test
