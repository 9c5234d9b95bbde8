// A C++ client that binds late: every member of the table by name, the standard dispatch
// errors, run-time errors as exceptions with their facility and source, and arguments passed
// by reference. What a script sees of the same (the default member, the errors' numbers and
// descriptions) its own test checks.
#include "control/PublicInterface.h"
#include "platform/win32/Wide.h"
#include "tests/component/ComponentFixture.h"

namespace cp::test {
namespace {

struct Dispatch : ::testing::Test {
    void SetUp() override {
        control = CreateControl();
        ASSERT_TRUE(control);
        PutOk(control.Get(), L"ColumnCount", Var(short{2}).v);
        PutOk(control.Get(), L"ColumnWidths", Var(L"1000;1000").v);
        CallOk(control.Get(), L"AddList", {Var(L"1;one;2;two;3;three").v});
    }
    ComPtr<IDispatch> control;
};

TEST_F(Dispatch, EveryMemberOfTheTableIsFoundByItsNameInAnyCase) {
    for (const iface::Member& m : iface::Members()) {
        std::wstring name = win32::Widen(m.name);
        for (auto& c : name)
            c = static_cast<wchar_t>(::towlower(c));
        EXPECT_EQ(IdOf(control.Get(), name.c_str()), m.dispid) << m.name;
    }
    DISPID id = 0;
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    EXPECT_EQ(control->GetIDsOfNames(IID_NULL, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
}

TEST_F(Dispatch, WrongCountsAndTypesGiveTheStandardErrors) {
    const DISPID addItem = IdOf(control.Get(), L"AddItem");
    EXPECT_EQ(InvokeId(control.Get(), addItem, DISPATCH_METHOD, {}).hr, DISP_E_PARAMNOTOPTIONAL);
    Var a(L"x");
    Var b(L"y");
    EXPECT_EQ(InvokeId(control.Get(), addItem, DISPATCH_METHOD, {a.v, b.v}).hr,
              DISP_E_BADPARAMCOUNT);
    // Column(intColumn): a text that is no number is a type mismatch of argument 0.
    Var notNumber(L"abc");
    const Answer mismatch = InvokeId(control.Get(), IdOf(control.Get(), L"Column"),
                                     DISPATCH_PROPERTYGET, {notNumber.v});
    EXPECT_EQ(mismatch.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(mismatch.argError, 0u);
    Var huge(100000L);
    EXPECT_EQ(Put(control.Get(), L"ListRows", huge.v), DISP_E_OVERFLOW);
    // ColumnWidths and ColumnLineForeColor have no Get.
    Var result;
    EXPECT_EQ(Get(control.Get(), L"ColumnWidths", result), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Get(control.Get(), L"ColumnLineForeColor", result), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(InvokeId(control.Get(), 12345, DISPATCH_METHOD, {}).hr, DISP_E_MEMBERNOTFOUND);
    // Nothing of this changed the control.
    EXPECT_EQ(GetText(control.Get(), L"ListCount"), "3");
}

TEST_F(Dispatch, RunTimeErrorsCarryTheirNumberDescriptionAndSource) {
    Var beyond(99L);
    const Answer list = InvokeId(control.Get(), IdOf(control.Get(), L"ListIndex"),
                                 DISPATCH_PROPERTYPUT, {beyond.v});
    EXPECT_EQ(list.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(list.scode, MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 380));
    EXPECT_EQ(list.description, "Invalid property value");
    EXPECT_EQ(list.source, "ColumnPick.ColumnPick");
    EXPECT_EQ(GetText(control.Get(), L"ListIndex"), "-1") << "the old value stays";

    // The dual interface answers with the HRESULT itself and the thread's error object.
    ComPtr<IUnknown> unknown;
    control.As(&unknown);
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(unknown.As(&support), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_OK);
}

TEST_F(Dispatch, ByReferenceArgumentsAreReadThrough) {
    // A script passes its variables as references to VARIANTs.
    Var inner(short{1});
    VARIANT byRef;
    ::VariantInit(&byRef);
    V_VT(&byRef) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&byRef) = &inner.v;
    PutOk(control.Get(), L"BoundColumn", byRef);
    EXPECT_EQ(GetText(control.Get(), L"BoundColumn"), "1");
    PutOk(control.Get(), L"Value", Var(L"three").v);
    EXPECT_EQ(GetText(control.Get(), L"ListIndex"), "2");

    ::LONG index = 0;
    VARIANT indexRef;
    ::VariantInit(&indexRef);
    V_VT(&indexRef) = VT_BYREF | VT_I4;
    V_I4REF(&indexRef) = &index;
    CallOk(control.Get(), L"RemoveItem", {indexRef});
    EXPECT_EQ(GetText(control.Get(), L"ListCount"), "2");
}

}  // namespace
}  // namespace cp::test
