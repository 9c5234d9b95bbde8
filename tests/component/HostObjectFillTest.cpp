// The database fills from a host's own automation objects, reached late-bound through
// IDispatch as a DAO or an ADO recordset would be: the calls in the fill's order, GetRows's
// values kept as they come, and the host's failures in the error report with their own numbers
// and descriptions, whatever shape they take.
#include <functional>

#include "platform/win32/Wide.h"
#include "tests/component/ScriptedDispatch.h"
#include "tests/support/win32/MessageBoxWatch.h"

namespace cp::test {
namespace {

constexpr const char* kQueryMessage = "Unable to execute the sub FillComboBoxMultiColumn!";
constexpr const char* kRecordsetMessage =
    "Unable to execute the Function FillComboBoxMultiColumnRecordset!";
constexpr const char* kParagraph = "\r\n\r\n";
constexpr const char* kParameterAdvice =
    "In some cases, this message is generated when unknown field names or expressions are "
    "interpreted as query parameters. Be sure to enclose field names containing spaces or "
    "punctuation with square brackets [ ].";
constexpr const char* kCursorAdvice = "Did you set the CursorType of the recordset?";

using Cell = std::function<void(::LONG field, ::LONG row, VARIANT* v)>;

// A SAFEARRAY of VARIANTs with the given extents, each cell made by `cell` (two dimensions:
// field and row; any other number of dimensions gets Empty cells).
SAFEARRAY* Block(std::vector<ULONG> extents, const Cell& cell = {}) {
    std::vector<SAFEARRAYBOUND> bounds;
    for (ULONG extent : extents)
        bounds.push_back({extent, 0});
    SAFEARRAY* array =
        ::SafeArrayCreate(VT_VARIANT, static_cast<UINT>(bounds.size()), bounds.data());
    if (cell && extents.size() == 2) {
        for (::LONG row = 0; row < static_cast<::LONG>(extents[1]); ++row) {
            for (::LONG field = 0; field < static_cast<::LONG>(extents[0]); ++field) {
                Var v;
                cell(field, row, &v.v);
                ::LONG at[] = {field, row};
                ::SafeArrayPutElement(array, at, &v.v);
            }
        }
    }
    return array;
}

ScriptedDispatch::Handler ReturnsArray(std::function<SAFEARRAY*()> make, VARTYPE type) {
    return Returns([make, type](VARIANT* v) {
        V_VT(v) = VT_ARRAY | type;
        V_ARRAY(v) = make();
    });
}

// Rows of two fields: the row's number and "row n".
ScriptedDispatch::Handler ReturnsNumberedRows() {
    return [](const std::vector<VARIANT>& args, VARIANT* result, EXCEPINFO*) {
        const auto rows = static_cast<ULONG>(V_I4(&args.at(0)));
        V_VT(result) = VT_ARRAY | VT_VARIANT;
        V_ARRAY(result) = Block({2, rows}, [](::LONG field, ::LONG row, VARIANT* v) {
            if (field == 0) {
                V_VT(v) = VT_I4;
                V_I4(v) = row;
            } else {
                V_VT(v) = VT_BSTR;
                V_BSTR(v) = ::SysAllocString((L"row " + std::to_wstring(row)).c_str());
            }
        });
        return S_OK;
    };
}

// A recordset that knows its count only once it has been to its last row.
void AnswerAsLazyRecordset(ScriptedDispatch& rs, long rows) {
    auto counted = std::make_shared<bool>(false);
    rs.Answer(L"RecordCount",
              [counted, rows](const std::vector<VARIANT>&, VARIANT* result, EXCEPINFO*) {
                  V_VT(result) = VT_I4;
                  V_I4(result) = *counted ? rows : -1;
                  return S_OK;
              });
    rs.Answer(L"EOF", ReturnsBoolean(false));
    rs.Answer(L"MoveLast", [counted](const std::vector<VARIANT>&, VARIANT*, EXCEPINFO*) {
        *counted = true;
        return S_OK;
    });
    rs.Answer(L"MoveFirst", Succeeds());
    rs.Answer(L"GetRows", ReturnsNumberedRows());
    rs.Answer(L"Close", Succeeds());
}

struct HostObjectFill : ::testing::Test {
    void SetUp() override {
        control = CreateControl();
        ASSERT_TRUE(control);
        PutOk(control.Get(), L"ColumnCount", Var(short{3}).v);
        PutOk(control.Get(), L"ColumnWidths", Var(L"600;600;600").v);
        CallOk(control.Get(), L"AddList", {Var(L"a;first;x;b;second;y").v});
        PutOk(control.Get(), L"ListIndex", Var(1L).v);
    }

    static VARIANT Object(IDispatch* object) {
        VARIANT v;
        V_VT(&v) = VT_DISPATCH;
        V_DISPATCH(&v) = object;
        return v;
    }
    void FillFrom(IDispatch* recordset) {
        CallOk(control.Get(), L"FillComboBoxMultiColumnRecordset", {Object(recordset)});
    }
    void Query(IDispatch* database, const wchar_t* query) {
        CallOk(control.Get(), L"FillComboBoxMultiColumn", {Object(database), Var(query).v});
    }

    // The description of the one error report shown since the last call, after its frame.
    std::string Report(const char* message, long number) {
        EXPECT_EQ(boxes.Calls().size(), 1u);
        if (boxes.Calls().empty()) return {};
        const ShownMessageBox box = boxes.Calls().back();
        boxes.Clear();
        EXPECT_EQ(box.caption, "ColumnPick - FillComboBoxMultiColumn");
        EXPECT_EQ(box.style, 16);
        const std::string head =
            std::string(message) + kParagraph + "Error " + std::to_string(number) + ": ";
        EXPECT_EQ(box.prompt.substr(0, head.size()), head) << box.prompt;
        return box.prompt.substr(std::min(head.size(), box.prompt.size()));
    }

    // The table's cell as the host reads it back.
    VARTYPE CellType(::LONG field, ::LONG row, Var& cell) {
        Var table;
        EXPECT_EQ(Get(control.Get(), L"ArrayWithItems", table), S_OK);
        ::LONG at[] = {field, row};
        if ((V_VT(&table.v) & VT_ARRAY) == 0 ||
            FAILED(::SafeArrayGetElement(V_ARRAY(&table.v), at, &cell.v))) {
            return VT_ILLEGAL;
        }
        return V_VT(&cell.v);
    }

    MessageBoxWatch boxes;
    ComPtr<IDispatch> control;
    ScriptedDispatch rs;
};

TEST_F(HostObjectFill, RecordsetIsCountedInTheFillsOrderAndLeftAsItIs) {
    AnswerAsLazyRecordset(rs, 3);
    FillFrom(&rs);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(rs.log, (std::vector<std::string>{"RecordCount", "EOF", "MoveLast", "RecordCount",
                                                "MoveFirst", "GetRows(3)"}));
    EXPECT_EQ(GetText(control.Get(), L"ListCount"), "3");
    EXPECT_EQ(rs.OthersReferences(), 0u) << "the control keeps no reference";
    // The current row stays where it was, now on the new rows.
    EXPECT_EQ(GetText(control.Get(), L"ListIndex"), "1");
    Var column;
    EXPECT_EQ(Get(control.Get(), L"Column", column, {Var(short{1}).v}), S_OK);
    EXPECT_EQ(column.Text(), "row 1");
}

TEST_F(HostObjectFill, ValuesKeepTheirTypes) {
    rs.Answer(L"RecordCount", ReturnsLong(2));
    rs.Answer(L"EOF", ReturnsBoolean(false));
    rs.Answer(L"GetRows", ReturnsArray(
                              [] {
                                  return Block({4, 2}, [](::LONG field, ::LONG row, VARIANT* v) {
                                      const int cell = row * 4 + field;
                                      if (cell == 0) V_VT(v) = VT_I4, V_I4(v) = 7;
                                      if (cell == 1) V_VT(v) = VT_DATE, V_DATE(v) = 45351.75;
                                      if (cell == 2) V_VT(v) = VT_NULL;
                                      if (cell == 3) {
                                          V_VT(v) = VT_BSTR;
                                          V_BSTR(v) = ::SysAllocString(L"Z\u00fcrich \u5217");
                                      }
                                      if (cell == 4) V_VT(v) = VT_I8, V_I8(v) = 1LL << 40;
                                      if (cell == 5) {
                                          V_VT(v) = VT_DECIMAL;
                                          wchar_t digits[] = L"12345678901234567890.25";
                                          ::VarDecFromStr(digits, LOCALE_INVARIANT, 0,
                                                          &V_DECIMAL(v));
                                      }
                                      if (cell == 6) V_VT(v) = VT_R8, V_R8(v) = 2.5;
                                      if (cell == 7) V_VT(v) = VT_BOOL, V_BOOL(v) = VARIANT_TRUE;
                                  });
                              },
                              VT_VARIANT));
    FillFrom(&rs);
    EXPECT_TRUE(boxes.Calls().empty());
    const VARTYPE expected[] = {VT_I4, VT_DATE, VT_NULL, VT_BSTR, VT_R8, VT_BSTR, VT_R8, VT_BOOL};
    const char* const texts[] = {
        "7", "", "", "Z\u00fcrich \u5217", "1099511627776", "12345678901234567890.25", "", ""};
    for (::LONG cell = 0; cell < 8; ++cell) {
        SCOPED_TRACE("cell " + std::to_string(cell));
        Var value;
        EXPECT_EQ(CellType(cell % 4, cell / 4, value), expected[cell]);
        if (*texts[cell] != '\0') {
            EXPECT_EQ(value.Text(), texts[cell]);
        }
    }
    Var date;
    ASSERT_EQ(CellType(1, 0, date), VT_DATE);
    EXPECT_EQ(V_DATE(&date.v), 45351.75);
}

TEST_F(HostObjectFill, QueryOpensASnapshotClosesItAndNamesTheDatabaseInItsFailures) {
    AnswerAsLazyRecordset(rs, 2);
    ScriptedDispatch db;
    db.Answer(L"OpenRecordset", ReturnsObject(&rs));
    db.Answer(L"Name", Returns([](VARIANT* v) {
                  V_VT(v) = VT_BSTR;
                  V_BSTR(v) = ::SysAllocString(L"C:\\data\\fruit.mdb");
              }));
    Query(&db, L"SELECT id, name FROM fruit");
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(db.log, (std::vector<std::string>{"OpenRecordset(SELECT id, name FROM fruit, 4)"}));
    EXPECT_EQ(rs.log.back(), "Close");
    EXPECT_EQ(GetText(control.Get(), L"ListCount"), "2");
    EXPECT_EQ(db.OthersReferences() + rs.OthersReferences(), 0u);

    const std::string where = "In database: C:\\data\\fruit.mdb the following error occured: ";
    db.Answer(L"OpenRecordset", Raises(3061, L"Too few parameters. Expected 1."));
    Query(&db, L"SELECT nmae FROM fruit");
    EXPECT_EQ(Report(kQueryMessage, 3061), where + kParagraph + "Too few parameters. Expected 1." +
                                               kParagraph + kParameterAdvice);
    // The engine's code in the scode of the exception, under the control facility.
    db.Answer(L"OpenRecordset", RaisesCode(MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 3078),
                                           L"No input table or query 'fruits'."));
    Query(&db, L"fruits");
    EXPECT_EQ(Report(kQueryMessage, 3078),
              where + kParagraph + "No input table or query 'fruits'.");
    // Any other failure keeps its own description.
    db.Answer(L"OpenRecordset", Raises(3146, L"ODBC--call failed."));
    Query(&db, L"fruit");
    EXPECT_EQ(Report(kQueryMessage, 3146), "ODBC--call failed.");
    EXPECT_EQ(GetText(control.Get(), L"ListCount"), "2");
}

TEST_F(HostObjectFill, ForwardOnlyRecordsetAsksForTheCursorTypeWithTheFullErrorNumber) {
    rs.Answer(L"RecordCount", ReturnsLong(-1));
    rs.Answer(L"EOF", ReturnsBoolean(false));
    // An OLE DB code: far outside 16 bits, and kept whole.
    const HRESULT cannotFetchBackwards = static_cast<HRESULT>(0x80040E24);
    rs.Answer(L"MoveLast",
              RaisesCode(cannotFetchBackwards, L"Rowset does not support fetching backward."));
    FillFrom(&rs);
    EXPECT_EQ(Report(kRecordsetMessage, -2147217884),
              std::string("The following error occured: ") + kParagraph +
                  "Rowset does not support fetching backward." + kParagraph + kCursorAdvice);
    EXPECT_EQ(rs.log, (std::vector<std::string>{"RecordCount", "EOF", "MoveLast"}));
    EXPECT_EQ(GetText(control.Get(), L"ListCount"), "0");

    // A name taken for a parameter, as a failed HRESULT with no exception to describe it.
    rs.Answer(L"RecordCount", ReturnsLong(2));
    rs.Answer(L"GetRows", Fails(MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 3061)));
    FillFrom(&rs);
    EXPECT_EQ(Report(kRecordsetMessage, 3061),
              std::string("The following error occured: ") + kParagraph +
                  "Application-defined or object-defined error" + kParagraph + kParameterAdvice);
}

TEST_F(HostObjectFill, GetRowsThatIsNoBlockLeavesTheTable) {
    rs.Answer(L"RecordCount", ReturnsLong(3));
    rs.Answer(L"EOF", ReturnsBoolean(false));
    const std::string noBlock = std::string("The following error occured: ") + kParagraph +
                                "GetRows returned no two-dimensional array of fields and rows." +
                                kParagraph + kCursorAdvice;
    const std::string mismatch = std::string("The following error occured: ") + kParagraph +
                                 "Type mismatch" + kParagraph + kCursorAdvice;
    const std::pair<ScriptedDispatch::Handler, std::string> answers[] = {
        {Returns([](VARIANT* v) {
             V_VT(v) = VT_BSTR;
             V_BSTR(v) = ::SysAllocString(L"rows");
         }),
         noBlock},
        {ReturnsArray(
             [] {
                 return Block({2, 3, 1});
             },
             VT_VARIANT),
         noBlock},
        // Numbers passed off as VARIANTs: read as VARIANTs, they would be read past their end.
        {ReturnsArray(
             [] {
                 SAFEARRAYBOUND bounds[] = {{2, 0}, {3, 0}};
                 return ::SafeArrayCreate(VT_I4, 2, bounds);
             },
             VT_VARIANT),
         mismatch},
        // A cell that refers to itself.
        {ReturnsArray(
             [] {
                 SAFEARRAY* block = Block({2, 3});
                 VARIANT* cells = nullptr;
                 ::SafeArrayAccessData(block, reinterpret_cast<void**>(&cells));
                 V_VT(&cells[0]) = VT_BYREF | VT_VARIANT;
                 V_VARIANTREF(&cells[0]) = &cells[0];
                 ::SafeArrayUnaccessData(block);
                 return block;
             },
             VT_VARIANT),
         mismatch},
    };
    for (std::size_t i = 0; i < std::size(answers); ++i) {
        SCOPED_TRACE("answer " + std::to_string(i));
        rs.Answer(L"GetRows", answers[i].first);
        FillFrom(&rs);
        EXPECT_EQ(Report(kRecordsetMessage, 13), answers[i].second);
        EXPECT_EQ(GetText(control.Get(), L"ListCount"), "0");
        Var kept;
        EXPECT_EQ(CellType(1, 1, kept), VT_BSTR);
        EXPECT_EQ(kept.Text(), "second");
    }
}

TEST_F(HostObjectFill, MissingMembersAreError438) {
    AnswerAsLazyRecordset(rs, 3);
    rs.Forget(L"MoveFirst");
    FillFrom(&rs);
    EXPECT_EQ(Report(kRecordsetMessage, 438),
              std::string("The following error occured: ") + kParagraph +
                  "Object doesn't support this property or method" + kParagraph + kCursorAdvice);
    ScriptedDispatch nothing;
    Query(&nothing, L"fruit");
    EXPECT_EQ(Report(kQueryMessage, 438), "Object doesn't support this property or method");
}

}  // namespace
}  // namespace cp::test
