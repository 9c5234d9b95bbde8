// A C++ client that binds late: the standard dispatch errors with the argument they blame, and
// arguments passed by reference. What a script sees (members by name in any case, the default
// member, the run-time errors' numbers, descriptions and source) its own test checks.
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
    // ListRows is an Integer.
    Var huge(100000L);
    const DISPID listRows = IdOf(control.Get(), L"ListRows");
    EXPECT_EQ(InvokeId(control.Get(), listRows, DISPATCH_PROPERTYPUT, {huge.v}).hr,
              DISP_E_OVERFLOW);
    EXPECT_EQ(InvokeId(control.Get(), 12345, DISPATCH_METHOD, {}).hr, DISP_E_MEMBERNOTFOUND);
    // Nothing of this changed the control.
    EXPECT_EQ(GetText(control.Get(), L"ListCount"), "3");

    // The dual interface answers its callers with the HRESULT itself and the thread's error
    // object.
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(control.As(&support), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_OK);
}

TEST_F(Dispatch, ByReferenceArgumentsAreReadThrough) {
    // A script passes its variables as references to VARIANTs, a typed client as references to
    // values.
    Var inner(short{1});
    VARIANT byRef;
    ::VariantInit(&byRef);
    V_VT(&byRef) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&byRef) = &inner.v;
    CallOk(control.Get(), L"RemoveItem", {byRef});
    ::LONG first = 0;
    VARIANT firstRef;
    ::VariantInit(&firstRef);
    V_VT(&firstRef) = VT_BYREF | VT_I4;
    V_I4REF(&firstRef) = &first;
    CallOk(control.Get(), L"RemoveItem", {firstRef});
    EXPECT_EQ(GetText(control.Get(), L"ListCount"), "1");
    PutOk(control.Get(), L"ListIndex", Var(0L).v);
    EXPECT_EQ(GetText(control.Get(), L"Value"), "3");
}

}  // namespace
}  // namespace cp::test
