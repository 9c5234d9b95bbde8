// The fills from a query and from a recordset, on a control placed on the simulated form and
// real SQLite files: what reaches the table, the list window, the mouse pointer and the user.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "control/ColumnPick.h"
#include "control/Startup.h"
#include "data/sqlite/SqliteDatabase.h"
#include "platform/sim/Form.h"
#include "platform/sim/SimWindowApi.h"
#include "platform/sim/World.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"
#include "tests/data/TempDatabase.h"
#include "tests/support/ColumnPickProbe.h"

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

// A list-window message that the fills send: LB_RESETCONTENT (the list's Clear) or
// LB_SETCOUNT.
struct ListMessage {
    UINT message;
    WPARAM wParam;
    friend bool operator==(const ListMessage&, const ListMessage&) = default;
};

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

class FillTest : public ::testing::Test {
protected:
    FillTest() {
        ComponentStart();
        host_ = &form_.AddControl(
            [](const ControlSite& site) { return std::make_unique<ColumnPick>(site); });
        recording_ = this;
        hook_ = SetWindowsHookEx(WH_CALLWNDPROC, RecordListMessage, nullptr, world_.ThreadId());
    }
    ~FillTest() override {
        UnhookWindowsHookEx(hook_);
        recording_ = nullptr;
    }

    ColumnPick& Control() { return host_->ControlAs<ColumnPick>(); }
    ColumnPickProbe Probe() { return ColumnPickProbe(Control()); }

    // Two columns, widths set, two rows from an item string, row 1 current, the text typed.
    void PrepareTwoRows() {
        Control().ColumnCount(std::int16_t{2});
        Control().ColumnWidths("1000;1800");
        Control().AddList("a;first;b;second");
        // The text first: its matching pass would otherwise move the current row.
        host_->TextBox().SetText("sec");
        Probe().lngListIndex() = 1;
        Probe().lngHotRow() = 1;
        Probe().lngCommittedIndex() = 1;
        world_.ClearMessageBoxes();
        messages_.clear();
    }

    // The one message box that a failed fill shows, checked for its frame; returns its text.
    std::string ReportText(const char* message, std::int32_t number) {
        EXPECT_EQ(world_.MessageBoxes().size(), 1u);
        if (world_.MessageBoxes().empty()) return {};
        const sim::MessageBoxRecord& box = world_.MessageBoxes().back();
        EXPECT_EQ(box.buttons, vbCritical);
        EXPECT_EQ(box.title.value_or(""), "ColumnPick - FillComboBoxMultiColumn");
        const std::string head =
            std::string(message) + "\r\n\r\nError " + std::to_string(number) + ": ";
        EXPECT_EQ(box.prompt.substr(0, head.size()), head) << box.prompt;
        EXPECT_EQ(world_.MousePointer(), vbDefault);
        return box.prompt.substr(std::min(head.size(), box.prompt.size()));
    }

    static LRESULT RecordListMessage(int code, WPARAM wParam, LPARAM lParam) {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (recording_ && m->hwnd == recording_->host_->ListHwnd() &&
            (m->message == LB_SETCOUNT || m->message == LB_RESETCONTENT)) {
            recording_->messages_.push_back({m->message, m->wParam});
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline FillTest* recording_ = nullptr;
    sim::World world_;
    sim::Form form_{world_};
    sim::ControlHost* host_ = nullptr;
    HHOOK hook_ = nullptr;
    std::vector<ListMessage> messages_;  // what the list window was sent, in order
    TempDatabase file_{kFruit};
    std::shared_ptr<sqlite::SqliteDatabase> db_ = file_.Open();
};

TEST_F(FillTest, WithoutWidthsOnlyTheMessageIsShown) {
    Control().FillComboBoxMultiColumn(*db_, "fruit");
    Control().FillComboBoxMultiColumnRecordset(
        Variant(std::shared_ptr<Object>(db_->OpenRecordset("fruit", dbOpenSnapshot))));
    ASSERT_EQ(world_.MessageBoxes().size(), 2u);
    for (const sim::MessageBoxRecord& box : world_.MessageBoxes()) {
        EXPECT_EQ(box.prompt,
                  "You must specify the width of the columns before filling the combobox! "
                  "Example: ColumnPick1.ColumnWidths = \"\" for one column (the width of the "
                  "listbox equals the combobox width) or \"1000;1800\" for two columns.");
        EXPECT_EQ(box.buttons, vbOKOnly);
        EXPECT_FALSE(box.title.has_value());
    }
    EXPECT_TRUE(world_.MousePointerHistory().empty());
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(Control().ListCount(), 0);
    EXPECT_FALSE(Probe().varItems().Allocated());
}

TEST_F(FillTest, QueryRowsBecomeTheTableAsTheyAre) {
    PrepareTwoRows();
    Control().FillComboBoxMultiColumn(*db_, "SELECT name, origin, id FROM fruit ORDER BY id");
    EXPECT_TRUE(world_.MessageBoxes().empty());
    EXPECT_EQ(world_.MousePointerHistory(), (std::vector<int>{vbHourglass, vbDefault}));
    EXPECT_EQ(messages_, (std::vector<ListMessage>{{LB_RESETCONTENT, 0}, {LB_SETCOUNT, 5}}));
    EXPECT_EQ(Control().ListCount(), 5);

    // Three fields with two columns: all stored as they came, the column count left alone.
    const VariantArray& table = Probe().varItems();
    ASSERT_EQ(table.Extent(0), 3);
    ASSERT_EQ(table.Extent(1), 5);
    EXPECT_EQ(Control().ColumnCount(), 2);
    EXPECT_EQ(CStr(table.At(0, 3)), "quince");
    EXPECT_TRUE(table.At(1, 1).IsNull());
    EXPECT_EQ(table.At(2, 1).Type(), VarType::Long);

    // Two columns are drawn; a Null cell stays empty.
    world_.Graphics().ClearLog();
    sim::ShowWindow(host_->ListHwnd(), true);
    std::vector<std::string> texts;
    for (const sim::DrawRecord& r : world_.Graphics().Log()) {
        if (r.op == sim::DrawOp::DrawText && r.window == host_->ListHwnd()) texts.push_back(r.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"apple", "Kent", "pear", "plum", "Agen", "quince",
                                               "sloe", "Kent"}));

    // The selection state is cleared; the current row and the text are not.
    EXPECT_EQ(Probe().lngHotRow(), -1);
    EXPECT_EQ(Probe().lngCommittedIndex(), -1);
    EXPECT_EQ(Control().ListIndex(), 1);
    EXPECT_EQ(Control().Text(), "sec");
}

TEST_F(FillTest, NumbersKeepTheirTypeSoValueFindsThemAsNumbers) {
    PrepareTwoRows();
    Control().FillComboBoxMultiColumn(*db_, "SELECT price, name FROM fruit ORDER BY id");
    EXPECT_EQ(Probe().varItems().At(0, 2).Type(), VarType::Double);
    // A text that reads like the number is no key; the number is.
    Control().Value(Variant("1.25"));
    EXPECT_EQ(Control().ListIndex(), 1);
    Control().Value(Variant(1.25));
    EXPECT_EQ(Control().ListIndex(), 2);
}

TEST_F(FillTest, QueryWithoutRowsKeepsTheOldTableUncounted) {
    PrepareTwoRows();
    Control().FillComboBoxMultiColumn(*db_, "SELECT id, name FROM fruit WHERE id > 9");
    EXPECT_TRUE(world_.MessageBoxes().empty());
    EXPECT_EQ(Control().ListCount(), 0);
    EXPECT_EQ(messages_, (std::vector<ListMessage>{{LB_RESETCONTENT, 0}, {LB_SETCOUNT, 0}}));
    EXPECT_EQ(Probe().varItems().Extent(1), 2);
    EXPECT_EQ(CStr(Probe().varItems().At(1, 1)), "second");
}

TEST_F(FillTest, QueryFailuresNameTheDatabase) {
    PrepareTwoRows();
    const std::string where =
        "In database: " + file_.Path() + " the following error occured: \r\n\r\n";

    Control().FillComboBoxMultiColumn(*db_, "SELECT id, nmae FROM fruit");
    EXPECT_EQ(ReportText(kQueryMessage, 3061),
              where + "no such column: nmae\r\n\r\n" + kParameterAdvice);
    world_.ClearMessageBoxes();

    Control().FillComboBoxMultiColumn(*db_, "vegetables");
    EXPECT_EQ(ReportText(kQueryMessage, 3078), where + "no such table or query: vegetables");
    world_.ClearMessageBoxes();

    Control().FillComboBoxMultiColumn(*db_, "SELEC id FROM fruit");
    EXPECT_EQ(ReportText(kQueryMessage, 3101), "near \"SELEC\": syntax error");

    // The query never opened: the list and the table are as they were.
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(Control().ListCount(), 2);
}

TEST_F(FillTest, LazilyCountedRecordsetIsCountedAndLoadedWhole) {
    PrepareTwoRows();
    auto rs = db_->OpenRecordset("SELECT name, id FROM fruit ORDER BY id", dbOpenDynaset);
    Control().FillComboBoxMultiColumnRecordset(Variant(std::shared_ptr<Object>(rs)));
    EXPECT_TRUE(world_.MessageBoxes().empty());
    EXPECT_EQ(Control().ListCount(), 5);
    EXPECT_EQ(messages_.back(), (ListMessage{LB_SETCOUNT, 5}));
    EXPECT_EQ(CStr(Probe().varItems().At(0, 4)), "sloe");
    // The host's recordset stays open.
    EXPECT_EQ(CLng(rs->RecordCount()), 5);
}

TEST_F(FillTest, RecordsetPastItsFirstRowCountsWhatItDelivers) {
    PrepareTwoRows();
    auto rs = db_->OpenRecordset("SELECT name FROM fruit ORDER BY id", dbOpenSnapshot);
    rs->GetRows(2);
    Control().FillComboBoxMultiColumnRecordset(Variant(std::shared_ptr<Object>(rs)));
    EXPECT_TRUE(world_.MessageBoxes().empty());
    EXPECT_EQ(Control().ListCount(), 3);
    EXPECT_EQ(Probe().varItems().Extent(1), 3);
    EXPECT_EQ(messages_.back(), (ListMessage{LB_SETCOUNT, 3}));
    EXPECT_EQ(CStr(Probe().varItems().At(0, 0)), "plum");
}

TEST_F(FillTest, ForwardOnlyRecordsetAsksForTheCursorType) {
    PrepareTwoRows();
    auto rs = db_->OpenRecordset("SELECT name FROM fruit", dbOpenForwardOnly);
    Control().FillComboBoxMultiColumnRecordset(Variant(std::shared_ptr<Object>(rs)));
    EXPECT_EQ(ReportText(kRecordsetMessage, 3251),
              "The following error occured: \r\n\r\nOperation is not supported for this type of "
              "object.\r\n\r\nDid you set the CursorType of the recordset?");
    // The list was emptied before the failure, and the count went with it.
    EXPECT_EQ(Control().ListCount(), 0);
    EXPECT_EQ(messages_, (std::vector<ListMessage>{{LB_RESETCONTENT, 0}}));
}

TEST_F(FillTest, RecordsetFailuresAreReportedWithAdvice) {
    PrepareTwoRows();
    struct Case {
        Variant rec;
        std::int32_t number;
        std::string description;
    };
    const Case cases[] = {
        // An engine's number beyond 16 bits keeps its full value.
        {Variant(std::shared_ptr<Object>(std::make_shared<FailingRecordset>(
             -2147217904, "No value given for one or more required parameters."))),
         -2147217904,
         "The following error occured: \r\n\r\nNo value given for one or more required "
         "parameters.\r\n\r\nDid you set the CursorType of the recordset?"},
        {Variant(std::shared_ptr<Object>(
             std::make_shared<FailingRecordset>(3061, "Too few parameters. Expected 1."))),
         3061,
         std::string("The following error occured: \r\n\r\nToo few parameters. Expected "
                     "1.\r\n\r\n") +
             kParameterAdvice},
        {Variant("fruit"), 424,
         "The following error occured: \r\n\r\nObject required\r\n\r\nDid you set the "
         "CursorType of the recordset?"},
        {Variant(std::shared_ptr<Object>(db_)), 438,
         "The following error occured: \r\n\r\nObject doesn't support this property or "
         "method\r\n\r\nDid you set the CursorType of the recordset?"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        world_.ClearMessageBoxes();
        EXPECT_NO_THROW(Control().FillComboBoxMultiColumnRecordset(cases[i].rec));
        EXPECT_EQ(ReportText(kRecordsetMessage, cases[i].number), cases[i].description);
        EXPECT_EQ(Control().ListCount(), 0);
    }
}

TEST_F(FillTest, SampleDatabaseFillsTheCountries) {
    auto iso = sqlite::SqliteDatabase::Open(CP_SAMPLE_DATABASE);
    Control().ColumnCount(std::int16_t{3});
    Control().ColumnWidths("");
    Control().FillComboBoxMultiColumn(*iso, "countries_by_name");
    EXPECT_TRUE(world_.MessageBoxes().empty());
    EXPECT_GT(Control().ListCount(), 200);
    EXPECT_EQ(CStr(Probe().varItems().At(0, 0)), "Afghanistan");
}

}  // namespace
}  // namespace cp::test
