// The fills from a query and from a recordset, on a control placed on the simulated form and
// real SQLite files: what reaches the table, the list window, the mouse pointer and the user.
// The reports of the database's failures are checked end to end by the component's scripts and
// its late-bound fill test, which build them with the same words.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "control/ColumnPick.h"
#include "data/sqlite/SqliteDatabase.h"
#include "runtime/Conversions.h"
#include "runtime/LateBound.h"
#include "runtime/RuntimeError.h"
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

    static Variant AsObject(std::shared_ptr<Object> object) { return Variant(std::move(object)); }

    // Each message box as "title | buttons | prompt", the title "-" for the default one.
    std::vector<std::string> Boxes() {
        std::vector<std::string> boxes;
        for (const sim::MessageBoxRecord& box : world().MessageBoxes())
            boxes.push_back(box.title.value_or("-") + " | " + std::to_string(box.buttons) + " | " +
                            box.prompt);
        return boxes;
    }

    // What the header shows, column by column, as a reader reads it.
    std::vector<std::string> Captions() {
        std::vector<std::string> captions;
        for (const ColumnHeading& heading : control().ColumnHeadings())
            captions.push_back(heading.caption);
        return captions;
    }

    TempDatabase file_{kFruit};
    std::shared_ptr<sqlite::SqliteDatabase> db_ = file_.Open();
};

TEST_F(FillTest, WithoutWidthsOnlyTheMessageIsShown) {
    control().FillComboBoxMultiColumn(*db_, "fruit");
    control().FillComboBoxMultiColumnRecordset(AsObject(db_->OpenRecordset("fruit", 4)));
    const std::string box =
        "- | " + std::to_string(vbOKOnly) +
        " | You must specify the width of the columns before filling the combobox! "
        "Example: ColumnPick1.ColumnWidths = \"\" for one column (the width of the "
        "listbox equals the combobox width) or \"1000;1800\" for two columns.";
    EXPECT_EQ(Boxes(), (std::vector<std::string>{box, box}));
    EXPECT_TRUE(world().MousePointerHistory().empty());
    EXPECT_EQ(control().ListCount(), 0);
    EXPECT_FALSE(control().ArrayWithItems().Array()->Allocated());
}

TEST_F(FillTest, QueryRowsBecomeTheTableAsTheyAre) {
    PrepareTwoRows();
    control().FillComboBoxMultiColumn(*db_, "SELECT name, origin, id FROM fruit ORDER BY id");
    EXPECT_TRUE(world().MessageBoxes().empty());
    EXPECT_EQ(world().MousePointerHistory(), (std::vector<int>{vbHourglass, vbDefault}));
    EXPECT_EQ((std::tuple{ListState().count, ListState().selection, control().ListCount()}),
              std::tuple(5, -1, 5));

    // Three fields with two columns: all stored as they came, the column count left alone.
    EXPECT_EQ(BlockText(control().ArrayWithItems()),
              "apple|Kent|1\npear|Null|2\nplum|Agen|3\nquince|Null|4\nsloe|Kent|5\n");
    EXPECT_EQ(control().ColumnCount(), 2);

    // The committed row is forgotten; the current row and the text are not.
    EXPECT_EQ((std::tuple{control().ListIndex(), control().Text(), RowEscapeRestores()}),
              std::tuple(1, "b", -1));
}

// A query that would change data is refused with the report of every other failure, and the
// list is left as it was (the database layer's tests see the file unchanged); a query without rows
// empties the list but keeps the old table.
TEST_F(FillTest, AQueryThatWouldChangeDataIsRefusedAndOneWithoutRowsEmptiesTheList) {
    PrepareTwoRows();
    const std::string message = "Unable to execute the sub FillComboBoxMultiColumn!\r\n\r\n";
    for (const auto& [query, report] : {
             std::pair{
                 "DELETE FROM fruit RETURNING id",
                 "Error 3219: Invalid operation: only a query that reads rows can be opened."},
             std::pair{"SELECT 1; DELETE FROM fruit",
                       "Error 3142: Characters found after end of SQL statement."},
         }) {
        world().ClearMessageBoxes();
        control().FillComboBoxMultiColumn(*db_, query);
        EXPECT_EQ(Prompts(), std::vector<std::string>{message + report});
        EXPECT_EQ(control().ListCount(), 2) << query;
    }

    world().ClearMessageBoxes();
    control().FillComboBoxMultiColumn(*db_, "SELECT id, name FROM fruit WHERE id > 9");
    EXPECT_TRUE(world().MessageBoxes().empty());
    EXPECT_EQ((std::tuple{control().ListCount(), ListState().count}), std::tuple(0, 0));
    EXPECT_EQ(BlockText(control().ArrayWithItems()), "a|first\nb|second\n");
}

// A recordset that is no object is reported and empties the list.
TEST_F(FillTest, ARecordsetThatIsNoObjectIsReportedAndEmptiesTheList) {
    PrepareTwoRows();
    EXPECT_NO_THROW(control().FillComboBoxMultiColumnRecordset(Variant("fruit")));
    EXPECT_EQ(Boxes(), std::vector<std::string>{
                           "ColumnPick - FillComboBoxMultiColumn | " + std::to_string(vbCritical) +
                           " | " + kRecordsetMessage +
                           "\r\n\r\nError 424: The following error occured: \r\n\r\nObject "
                           "required\r\n\r\nDid you set the CursorType of the recordset?"});
    EXPECT_EQ(world().MousePointer(), vbDefault);
    EXPECT_EQ((std::tuple{control().ListCount(), ListState().count}), std::tuple(0, 0));
}

// A host's recordset reached by its members' names: DAO's and ADO's Fields(i).Name, or, for
// fields == nullopt, an object without Fields. It answers no move and no Close: a fill reads a
// recordset that knows its count from where it stands, and leaves it open.
class NamedFieldsRecordset final : public LateBound {
public:
    explicit NamedFieldsRecordset(std::optional<std::vector<std::string>> fields)
        : fields_(std::move(fields)) {}

    Variant CallByName(std::string_view name, CallType, std::vector<Variant>) override {
        if (name == "RecordCount") return std::int32_t{1};
        if (name == "EOF") return false;
        if (name == "GetRows") {
            auto block = std::make_shared<VariantArray>(std::vector<std::int32_t>{2, 1});
            block->At(0, 0) = Variant("Kent");
            block->At(1, 0) = Variant("KE");
            return Variant(std::move(block));
        }
        if (name == "Fields" && fields_) return Variant(std::make_shared<Collection>(*fields_));
        Raise(vberr::NoSuchMember);
    }

private:
    struct Field final : LateBound {
        explicit Field(std::string name) : name_(std::move(name)) {}
        Variant CallByName(std::string_view member, CallType, std::vector<Variant>) override {
            if (member != "Name") Raise(vberr::NoSuchMember);
            return Variant(name_);
        }
        std::string name_;
    };
    struct Collection final : LateBound {
        explicit Collection(std::vector<std::string> names) : names_(std::move(names)) {}
        Variant CallByName(std::string_view member, CallType, std::vector<Variant> args) override {
            if (member == "Count") return static_cast<std::int32_t>(names_.size());
            if (member != "Item") Raise(vberr::NoSuchMember);
            return Variant(
                std::make_shared<Field>(names_.at(static_cast<std::size_t>(CLng(args.at(0))))));
        }
        std::vector<std::string> names_;
    };

    std::optional<std::vector<std::string>> fields_;
};

TEST_F(FillTest, FieldNamesAreTheCaptionsUntilTheHostGivesItsOwnOrFillsFromStrings) {
    using Names = std::vector<std::string>;
    PrepareTwoRows();
    control().ColumnHeads(true);
    control().FillComboBoxMultiColumn(*db_, "SELECT name AS \"Fruit name\", origin, id FROM fruit");
    EXPECT_EQ(Captions(), (Names{"Fruit name", "origin"}));
    // The property keeps what the host set, so a stored form never freezes the names.
    EXPECT_EQ(control().ColumnCaptions(), "");
    control().ColumnCaptions("Name");
    EXPECT_EQ(Captions(), (Names{"Name", ""}));
    control().ColumnCaptions("");
    EXPECT_EQ(Captions(), (Names{"Fruit name", "origin"}));

    // A result without rows still names its fields; a table read whole, its columns.
    control().FillComboBoxMultiColumn(*db_, "SELECT origin AS Place, id FROM fruit WHERE id > 9");
    EXPECT_EQ(Captions(), (Names{"Place", "id"}));
    control().FillComboBoxMultiColumnRecordset(AsObject(db_->OpenRecordset("fruit", 4)));
    EXPECT_EQ(Captions(), (Names{"id", "name"}));
    // A query that cannot open leaves the rows and their names; a fill that fails on the way
    // leaves neither.
    control().FillComboBoxMultiColumn(*db_, "SELECT nothing FROM fruit");
    EXPECT_EQ(Captions(), (Names{"id", "name"}));
    control().FillComboBoxMultiColumnRecordset(
        AsObject(db_->OpenRecordset("fruit", dbOpenForwardOnly)));
    EXPECT_EQ(Captions(), (Names{"", ""}));
    EXPECT_EQ(world().MessageBoxes().size(), 2u);

    control().FillComboBoxMultiColumn(*db_, "fruit");
    control().AddList("a;first");
    EXPECT_EQ(Captions(), (Names{"", ""}));
    control().FillComboBoxMultiColumn(*db_, "fruit");
    control().Clear();
    EXPECT_EQ(Captions(), (Names{"", ""}));

    // A host's recordset names its fields, or is filled without names.
    world().ClearMessageBoxes();
    control().FillComboBoxMultiColumnRecordset(
        AsObject(std::make_shared<NamedFieldsRecordset>(Names{"County", "Code"})));
    EXPECT_EQ(Captions(), (Names{"County", "Code"}));
    control().FillComboBoxMultiColumnRecordset(
        AsObject(std::make_shared<NamedFieldsRecordset>(std::nullopt)));
    EXPECT_TRUE(world().MessageBoxes().empty());
    EXPECT_EQ(control().ListCount(), 1);
    EXPECT_EQ(Captions(), (Names{"", ""}));
}

}  // namespace
}  // namespace cp::test
