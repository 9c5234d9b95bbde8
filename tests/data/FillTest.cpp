// The fills from a query and from a recordset, on a control placed on the simulated form and
// real SQLite files: what reaches the table, the list window, the mouse pointer and the user.
// The sample database's stored query fills the control in the component's database script.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "control/ColumnPick.h"
#include "data/sqlite/SqliteDatabase.h"
#include "platform/sim/SimWindowApi.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "tests/data/TempDatabase.h"
#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {
namespace {

constexpr const char* kFruit =
    "CREATE TABLE fruit (id INTEGER, name TEXT, price REAL, origin TEXT);"
    "INSERT INTO fruit VALUES (1, 'apple', 0.5, 'Kent'), (2, 'pear', 1.75, NULL),"
    " (3, 'plum', 1.25, 'Agen'), (4, 'quince', 2.0, NULL), (5, 'sloe', 0.25, 'Kent');";

constexpr const char* kQueryMessage = "Unable to execute the sub FillComboBoxMultiColumn!";
constexpr const char* kRecordsetMessage =
    "Unable to execute the Function FillComboBoxMultiColumnRecordset!";
constexpr const char* kParameterAdvice =
    "In some cases, this message is generated when unknown field names or expressions are "
    "interpreted as query parameters. Be sure to enclose field names containing spaces or "
    "punctuation with square brackets [ ].";

// A recordset whose every member fails with the given error.
class FailingRecordset final : public Recordset {
public:
    FailingRecordset(std::int32_t number, std::string description)
        : error_(number, std::move(description)) {}
    Variant RecordCount() override { throw error_; }
    Variant Eof() override { throw error_; }
    void MoveLast() override { throw error_; }
    void MoveFirst() override { throw error_; }
    Variant GetRows(std::int32_t) override { throw error_; }
    void Close() override { throw error_; }

private:
    RuntimeError error_;
};

class FillTest : public ControlOnForm {
protected:
    // Two columns, widths set, two rows from an item string, row 1 current, the text typed.
    void PrepareTwoRows() {
        control().ColumnCount(std::int16_t{2});
        control().ColumnWidths("1000;1800");
        control().AddList("a;first;b;second");
        // The text first: its matching pass would otherwise move the current row.
        host().TextBox().SetText("sec");
        probe().lngListIndex() = 1;
        probe().lngHotRow() = 1;
        probe().lngCommittedIndex() = 1;
        world().ClearMessageBoxes();
    }

    // The one message box that a failed fill shows, checked for its frame; returns its text.
    std::string ReportText(const char* message, std::int32_t number) {
        EXPECT_EQ(world().MessageBoxes().size(), 1u);
        if (world().MessageBoxes().empty()) return {};
        // A copy: the record goes with the boxes cleared for the next case.
        const sim::MessageBoxRecord box = world().MessageBoxes().back();
        EXPECT_EQ(box.buttons, vbCritical);
        EXPECT_EQ(box.title.value_or(""), "ColumnPick - FillComboBoxMultiColumn");
        const std::string head =
            std::string(message) + "\r\n\r\nError " + std::to_string(number) + ": ";
        EXPECT_EQ(box.prompt.substr(0, head.size()), head) << box.prompt;
        EXPECT_EQ(world().MousePointer(), vbDefault);
        world().ClearMessageBoxes();
        return box.prompt.substr(std::min(head.size(), box.prompt.size()));
    }

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
    EXPECT_FALSE(probe().varItems().Allocated());
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
    const VariantArray& table = probe().varItems();
    ASSERT_EQ(table.Extent(0), 3);
    ASSERT_EQ(table.Extent(1), 5);
    EXPECT_EQ(control().ColumnCount(), 2);
    EXPECT_EQ(CStr(table.At(0, 3)), "quince");
    EXPECT_TRUE(table.At(1, 1).IsNull());
    EXPECT_EQ(table.At(2, 1).Type(), VarType::Long);

    // Two columns are drawn; a Null cell stays empty.
    world().Graphics().ClearLog();
    sim::ShowWindow(host().ListHwnd(), true);
    std::vector<std::string> texts;
    for (const sim::DrawRecord& r : world().Graphics().Log()) {
        if (r.op == sim::DrawOp::DrawText && r.window == host().ListHwnd()) texts.push_back(r.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"apple", "Kent", "pear", "plum", "Agen", "quince",
                                               "sloe", "Kent"}));

    // The selection state is cleared; the current row and the text are not.
    EXPECT_EQ(probe().lngHotRow(), -1);
    EXPECT_EQ(probe().lngCommittedIndex(), -1);
    EXPECT_EQ(control().ListIndex(), 1);
    EXPECT_EQ(control().Text(), "sec");
}

TEST_F(FillTest, NumbersKeepTheirTypeSoValueFindsThemAsNumbers) {
    PrepareTwoRows();
    control().FillComboBoxMultiColumn(*db_, "SELECT price, name FROM fruit ORDER BY id");
    EXPECT_EQ(probe().varItems().At(0, 2).Type(), VarType::Double);
    // A text that reads like the number is no key; the number is.
    control().Value(Variant("1.25"));
    EXPECT_EQ(control().ListIndex(), 1);
    control().Value(Variant(1.25));
    EXPECT_EQ(control().ListIndex(), 2);
}

TEST_F(FillTest, QueryWithoutRowsEmptiesTheListButKeepsTheOldTable) {
    PrepareTwoRows();
    control().FillComboBoxMultiColumn(*db_, "SELECT id, name FROM fruit WHERE id > 9");
    EXPECT_TRUE(world().MessageBoxes().empty());
    EXPECT_EQ(control().ListCount(), 0);
    EXPECT_EQ(ListState().count, 0);
    EXPECT_EQ(probe().varItems().Extent(1), 2);
    EXPECT_EQ(CStr(probe().varItems().At(1, 1)), "second");
}

TEST_F(FillTest, QueryFailuresNameTheDatabaseAndChangeNothing) {
    PrepareTwoRows();
    const std::string where =
        "In database: " + file_.Path() + " the following error occured: \r\n\r\n";
    const struct {
        const char* query;
        std::int32_t number;
        std::string description;
    } cases[] = {
        {"SELECT id, nmae FROM fruit", 3061,
         where + "no such column: nmae\r\n\r\n" + kParameterAdvice},
        {"vegetables", 3078, where + "no such table or query: vegetables"},
        {"SELEC id FROM fruit", 3101, "near \"SELEC\": syntax error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        control().FillComboBoxMultiColumn(*db_, c.query);
        EXPECT_EQ(ReportText(kQueryMessage, c.number), c.description);
        // The query never opened: the list and the table are as they were.
        EXPECT_EQ(ListState().count, 2);
        EXPECT_EQ(control().ListCount(), 2);
    }
}

TEST_F(FillTest, RecordsetsAreCountedAndLoadedFromWhereTheyStand) {
    const struct {
        const char* query;
        int type;
        int alreadyRead;
        std::int32_t count;
        const char* first;
    } cases[] = {
        {"SELECT name, id FROM fruit ORDER BY id", dbOpenDynaset, 0, 5, "apple"},
        {"SELECT name FROM fruit ORDER BY id", dbOpenSnapshot, 2, 3, "plum"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        PrepareTwoRows();
        auto rs = db_->OpenRecordset(c.query, c.type);
        if (c.alreadyRead > 0) rs->GetRows(c.alreadyRead);
        control().FillComboBoxMultiColumnRecordset(AsObject(rs));
        EXPECT_TRUE(world().MessageBoxes().empty());
        EXPECT_EQ(control().ListCount(), c.count);
        EXPECT_EQ(ListState().count, c.count);
        EXPECT_EQ(probe().varItems().Extent(1), c.count);
        EXPECT_EQ(CStr(probe().varItems().At(0, 0)), c.first);
        // The host's recordset stays open.
        EXPECT_EQ(CLng(rs->RecordCount()), 5);
    }
}

TEST_F(FillTest, RecordsetFailuresEmptyTheListAndAreReportedWithAdvice) {
    PrepareTwoRows();
    const std::string occured = "The following error occured: \r\n\r\n";
    const std::string cursorAdvice = "\r\n\r\nDid you set the CursorType of the recordset?";
    const struct {
        Variant rec;
        std::int32_t number;
        std::string description;
    } cases[] = {
        {AsObject(db_->OpenRecordset("SELECT name FROM fruit", dbOpenForwardOnly)), 3251,
         occured + "Operation is not supported for this type of object." + cursorAdvice},
        // An engine's number beyond 16 bits keeps its full value.
        {AsObject(std::make_shared<FailingRecordset>(
             -2147217904, "No value given for one or more required parameters.")),
         -2147217904,
         occured + "No value given for one or more required parameters." + cursorAdvice},
        {AsObject(std::make_shared<FailingRecordset>(3061, "Too few parameters. Expected 1.")),
         3061, occured + "Too few parameters. Expected 1.\r\n\r\n" + kParameterAdvice},
        {Variant("fruit"), 424, occured + "Object required" + cursorAdvice},
        {AsObject(db_), 438,
         occured + "Object doesn't support this property or method" + cursorAdvice},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        EXPECT_NO_THROW(control().FillComboBoxMultiColumnRecordset(cases[i].rec));
        EXPECT_EQ(ReportText(kRecordsetMessage, cases[i].number), cases[i].description);
        EXPECT_EQ(control().ListCount(), 0);
        EXPECT_EQ(ListState().count, 0);
    }
}

}  // namespace
}  // namespace cp::test
