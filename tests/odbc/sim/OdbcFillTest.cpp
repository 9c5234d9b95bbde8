// The fills through the ODBC layer on a control placed on the simulated form: rows from the
// server reach the table as they are, and the server's failures reach the user in the error
// report, the table keeping what it had.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "control/ColumnPick.h"
#include "data/odbc/OdbcDatabase.h"
#include "runtime/Conversions.h"
#include "tests/odbc/OdbcTestSupport.h"
#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {
namespace {

class OdbcFillTest : public ControlOnForm {
protected:
    OdbcFillTest() {
        control().ColumnCount(std::int16_t{2});
        control().ColumnWidths("1000;1800");
        control().AddList("a;first;b;second");
        db_->Execute(
            "CREATE TEMP TABLE fruit (id integer, name text, origin text);"
            "INSERT INTO fruit VALUES (1, 'äpple', 'Kent'), (2, 'pear', NULL), (3, '梨', 'Agen');");
    }

    // The text of the one error report shown, after its message and error number.
    std::string Report(const std::string& message, std::int32_t number) {
        EXPECT_EQ(world().MessageBoxes().size(), 1u);
        if (world().MessageBoxes().empty()) return {};
        const std::string& prompt = world().MessageBoxes().back().prompt;
        const std::string head = message + "\r\n\r\nError " + std::to_string(number) + ": ";
        EXPECT_EQ(prompt.substr(0, head.size()), head) << prompt;
        return prompt.substr(std::min(head.size(), prompt.size()));
    }

    std::shared_ptr<odbc::OdbcDatabase> db_ =
        odbc::OdbcDatabase::Open(PostgresConnection("PWD=secret"));
};

TEST_F(OdbcFillTest, ServerRowsBecomeTheTable) {
    control().FillComboBoxMultiColumn(*db_, "SELECT name, origin, id FROM fruit ORDER BY id");
    EXPECT_TRUE(world().MessageBoxes().empty());
    EXPECT_EQ(control().ListCount(), 3);
    const VariantArray& table = probe().varItems();
    ASSERT_EQ(table.Extent(0), 3);
    EXPECT_EQ(CStr(table.At(0, 2)), "梨");
    EXPECT_TRUE(table.At(1, 1).IsNull());
    EXPECT_EQ(table.At(2, 1).Type(), VarType::Long);
    // The id is a number, so a number finds its row.
    control().FillComboBoxMultiColumn(*db_, "SELECT name, id FROM fruit ORDER BY id");
    control().BoundColumn(std::int16_t{1});
    control().Value(Variant(std::int32_t{3}));
    EXPECT_EQ(control().Text(), "梨");
}

TEST_F(OdbcFillTest, AnUnknownTableNamesTheDatabaseButNotItsPassword) {
    control().FillComboBoxMultiColumn(*db_, "SELECT name FROM fruits");
    const std::string text =
        Report("Unable to execute the sub FillComboBoxMultiColumn!", kErrInputTableNotFound);
    const std::string head =
        "In database: " + PostgresConnection() + " the following error occured: \r\n\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_NE(text.find("relation \"fruits\" does not exist"), std::string::npos) << text;
    EXPECT_EQ(text.find("secret"), std::string::npos);
    EXPECT_EQ(CStr(probe().varItems().At(1, 1)), "second");
}

TEST_F(OdbcFillTest, AConnectionLostDuringGetRowsKeepsTheTable) {
    auto db = odbc::OdbcDatabase::Open(PostgresConnection("UseDeclareFetch=1;Fetch=100"));
    auto rs = db->OpenRecordset("SELECT pg_backend_pid() AS pid, g FROM generate_series(1, 5000) g",
                                dbOpenDynaset);
    db_->Execute("SELECT pg_terminate_backend(" + CStr(Block(rs->GetRows(1)).At(0, 0)) + ")");
    control().FillComboBoxMultiColumnRecordset(Variant(std::shared_ptr<Object>(rs)));
    const std::string text =
        Report("Unable to execute the Function FillComboBoxMultiColumnRecordset!", 3146);
    EXPECT_NE(text.find("Did you set the CursorType of the recordset?"), std::string::npos);
    EXPECT_EQ(control().ListCount(), 0);
    EXPECT_EQ(probe().varItems().Extent(1), 2);
    EXPECT_EQ(CStr(probe().varItems().At(1, 1)), "second");
}

}  // namespace
}  // namespace cp::test
