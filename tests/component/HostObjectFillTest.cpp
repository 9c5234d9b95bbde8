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
// How a recordset's failure begins its description.
const std::string kOccured = std::string("The following error occured: ") + kParagraph;

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

ScriptedDispatch::Handler ReturnsArray(std::function<SAFEARRAY*()> make) {
    return Returns([make](VARIANT* v) {
        V_VT(v) = VT_ARRAY | VT_VARIANT;
        V_ARRAY(v) = make();
    });
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
    rs.Answer(L"EOF", Returns(Var(false).v));
    rs.Answer(L"MoveLast", [counted](const std::vector<VARIANT>&, VARIANT*, EXCEPINFO*) {
        *counted = true;
        return S_OK;
    });
    rs.Answer(L"MoveFirst", Returns(Var().v));
    rs.Answer(L"GetRows", ReturnsArray([rows] { return Block({2, static_cast<ULONG>(rows)}); }));
    rs.Answer(L"Close", Returns(Var().v));
}

// A host object's answer, and the error number and description that the report shows for it.
struct Failure {
    ScriptedDispatch::Handler answer;
    long number;
    std::string description;
};

struct HostObjectFill : ::testing::Test {
    void SetUp() override {
        control = CreateControl();
        ASSERT_TRUE(control);
        Fill(control.Get(), L"600;600;600", L"a;first;x;b;second;y");
        PutOk(control.Get(), L"ListIndex", Var(1L).v);
    }

    void FillFrom(IDispatch* recordset) {
        CallOk(control.Get(), L"FillComboBoxMultiColumnRecordset", {Var(recordset).v});
    }
    void Query(IDispatch* database, const wchar_t* query) {
        CallOk(control.Get(), L"FillComboBoxMultiColumn", {Var(database).v, Var(query).v});
    }
    // A recordset that knows its count.
    void AnswerCounted(long rows) {
        rs.Answer(L"RecordCount", Returns(Var(rows).v));
        rs.Answer(L"EOF", Returns(Var(false).v));
    }

    // The description of the one error report shown since the last call, after its frame.
    std::string Report(const char* message, long number) {
        EXPECT_EQ(boxes.Calls().size(), 1u);
        if (boxes.Calls().empty()) return {};
        const ShownMessageBox box = boxes.Calls().back();
        boxes.Clear();
        EXPECT_EQ(box.caption + " " + std::to_string(box.style),
                  "ColumnPick - FillComboBoxMultiColumn 16");
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

// The types that a script's own values never take (a 64-bit integer, a decimal of more digits
// than a Double holds, text beyond Latin-1) and a Long and a Boolean.
TEST_F(HostObjectFill, ValuesKeepTheirTypes) {
    Var cells[5] = {Var(), Var(), Var(L"Z\u00fcrich \u5217"), Var(7L), Var(true)};
    V_VT(&cells[0].v) = VT_I8;
    V_I8(&cells[0].v) = 1LL << 40;
    wchar_t digits[] = L"12345678901234567890.25";
    ::VarDecFromStr(digits, LOCALE_INVARIANT, 0, &V_DECIMAL(&cells[1].v));
    V_VT(&cells[1].v) = VT_DECIMAL;
    AnswerCounted(1);
    rs.Answer(L"GetRows", ReturnsArray([&cells] {
                  return Block({5, 1}, [&cells](::LONG field, ::LONG, VARIANT* v) {
                      ::VariantCopy(v, &cells[field].v);
                  });
              }));
    FillFrom(&rs);
    Texts kept;
    for (::LONG field = 0; field < 5; ++field) {
        Var value;
        const VARTYPE type = CellType(field, 0, value);
        kept.push_back(std::to_string(type) + " " + value.Text());
    }
    EXPECT_EQ(kept, (Texts{"5 1099511627776", "8 12345678901234567890.25", "8 Z\u00fcrich \u5217",
                           "3 7", "11 True"}))
        << "VT_R8 5, VT_BSTR 8, VT_I4 3, VT_BOOL 11";
}

TEST_F(HostObjectFill, QueryOpensASnapshotClosesItAndNamesTheDatabaseInItsFailures) {
    AnswerAsLazyRecordset(rs, 2);
    ScriptedDispatch db;
    // The recordset comes with a reference for the caller; the handler itself keeps none.
    db.Answer(L"OpenRecordset", Returns([this](VARIANT* v) {
                  V_VT(v) = VT_DISPATCH;
                  V_DISPATCH(v) = &rs;
                  rs.AddRef();
              }));
    db.Answer(L"Name", Returns(Var(L"C:\\data\\fruit.mdb").v));
    Query(&db, L"SELECT id, name FROM fruit");
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(db.log, (Texts{"OpenRecordset(SELECT id, name FROM fruit, 4)"}));
    // A count that is not known yet is asked for at the end; the fill closes what it opened.
    EXPECT_EQ(rs.log, (Texts{"RecordCount", "EOF", "MoveLast", "RecordCount", "MoveFirst",
                             "GetRows(2)", "Close"}));
    EXPECT_EQ(GetText(control.Get(), L"ListCount"), "2");
    EXPECT_EQ(db.OthersReferences() + rs.OthersReferences(), 0u);

    const std::string where =
        std::string("In database: C:\\data\\fruit.mdb the following error occured: ") + kParagraph;
    const Failure failures[] = {
        {Raises(3061, L"Too few parameters. Expected 1."), 3061,
         where + "Too few parameters. Expected 1." + kParagraph + kParameterAdvice},
        // The engine's code in the scode of the exception, under the control facility.
        {Raises(MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 3078),
                L"No input table or query 'fruits'."),
         3078, where + "No input table or query 'fruits'."},
        // Any other failure keeps its own description.
        {Raises(3146, L"ODBC--call failed."), 3146, "ODBC--call failed."},
        {nullptr, 438, "Object doesn't support this property or method"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.number);
        db.Answer(L"OpenRecordset", failure.answer);
        Query(&db, L"fruits");
        EXPECT_EQ(Report(kQueryMessage, failure.number), failure.description);
        EXPECT_EQ(GetText(control.Get(), L"ListCount"), "2");
    }
}

TEST_F(HostObjectFill, RecordsetFailuresKeepTheirFullNumberAndAskForTheCursorType) {
    AnswerCounted(-1);
    // An OLE DB code: far outside 16 bits, and kept whole.
    const auto cannotFetchBackwards = static_cast<HRESULT>(0x80040E24);
    rs.Answer(L"MoveLast",
              Raises(cannotFetchBackwards, L"Rowset does not support fetching backward."));
    FillFrom(&rs);
    EXPECT_EQ(Report(kRecordsetMessage, -2147217884),
              kOccured + "Rowset does not support fetching backward." + kParagraph + kCursorAdvice);
    EXPECT_EQ(rs.log, (Texts{"RecordCount", "EOF", "MoveLast"}));
    EXPECT_EQ(GetText(control.Get(), L"ListCount"), "0");
}

TEST_F(HostObjectFill, GetRowsThatFailsOrIsNoBlockLeavesTheTable) {
    AnswerCounted(3);
    const std::string noBlock = kOccured +
                                "GetRows returned no two-dimensional array of fields and rows." +
                                kParagraph + kCursorAdvice;
    const std::string mismatch = kOccured + "Type mismatch" + kParagraph + kCursorAdvice;
    const Failure answers[] = {
        // A name taken for a parameter, as a failed HRESULT with no exception to describe it.
        {Fails(MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 3061)), 3061,
         kOccured + "Application-defined or object-defined error" + kParagraph + kParameterAdvice},
        {Returns(Var(L"rows").v), 13, noBlock},
        {ReturnsArray([] {
             return Block({2, 3, 1});
         }),
         13, noBlock},
        // Numbers passed off as VARIANTs: read as VARIANTs, they would be read past their end.
        {ReturnsArray([] {
             SAFEARRAYBOUND bounds[] = {{2, 0}, {3, 0}};
             return ::SafeArrayCreate(VT_I4, 2, bounds);
         }),
         13, mismatch},
        // A cell that refers to itself.
        {ReturnsArray([] {
             SAFEARRAY* block = Block({2, 3});
             VARIANT* cells = nullptr;
             ::SafeArrayAccessData(block, reinterpret_cast<void**>(&cells));
             V_VT(&cells[0]) = VT_BYREF | VT_VARIANT;
             V_VARIANTREF(&cells[0]) = &cells[0];
             ::SafeArrayUnaccessData(block);
             return block;
         }),
         13, mismatch},
    };
    for (std::size_t i = 0; i < std::size(answers); ++i) {
        SCOPED_TRACE("answer " + std::to_string(i));
        rs.Answer(L"GetRows", answers[i].answer);
        FillFrom(&rs);
        EXPECT_EQ(Report(kRecordsetMessage, answers[i].number), answers[i].description);
        EXPECT_EQ(GetText(control.Get(), L"ListCount"), "0");
        Var kept;
        EXPECT_EQ(CellType(1, 1, kept), VT_BSTR);
        EXPECT_EQ(kept.Text(), "second");
    }
}

}  // namespace
}  // namespace cp::test
