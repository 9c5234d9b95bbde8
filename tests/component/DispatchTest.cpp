// A C++ client that binds late: the standard dispatch errors with the argument they blame, and
// arguments passed by reference. What a script sees (members by name in any case, the default
// member, the run-time errors' numbers, descriptions and source) its own test checks.
#include <cstdint>

#include "tests/component/ComponentFixture.h"
#include "tests/component/InPlaceSite.h"
#include "tests/support/win32/HeapInUse.h"

#include "ColumnPick_h.h"

namespace cp::test {
namespace {

struct Dispatch : ::testing::Test {
    void SetUp() override {
        control = CreateControl();
        ASSERT_TRUE(control);
        Fill(control.Get(), L"1000;1000", L"1;one;2;two;3;three");
    }
    ComPtr<IDispatch> control;
};

TEST_F(Dispatch, WrongCountsTypesAndMalformedCallsGiveTheStandardErrors) {
    const DISPID addItem = IdOf(control.Get(), L"AddItem");
    EXPECT_EQ(InvokeId(control.Get(), addItem, DISPATCH_METHOD, {}).hr, DISP_E_PARAMNOTOPTIONAL);
    Var a(L"x"), b(L"y");
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

    // Calls that no caller should make, answered without reading past what they pass.
    Var rows(short{5});
    DISPID named[] = {DISPID_PROPERTYPUT, DISPID_PROPERTYPUT};
    auto invoke = [&](DISPPARAMS params, WORD flags, REFIID iid = IID_NULL) {
        return control->Invoke(listRows, iid, 0, flags, &params, nullptr, nullptr, nullptr);
    };
    EXPECT_EQ(invoke({&rows.v, named, 1, 2}, DISPATCH_PROPERTYPUT), E_INVALIDARG)
        << "more named arguments than arguments";
    EXPECT_EQ(invoke({nullptr, named, 0, 1}, DISPATCH_PROPERTYPUT), E_INVALIDARG)
        << "a put without its value";
    EXPECT_EQ(invoke({nullptr, nullptr, 1, 0}, DISPATCH_METHOD), E_INVALIDARG)
        << "arguments counted but not given";
    EXPECT_EQ(invoke({&rows.v, named, 1, 1}, DISPATCH_PROPERTYPUT, IID_IDispatch),
              DISP_E_UNKNOWNINTERFACE);
    EXPECT_EQ(GetText(control.Get(), L"ListRows"), "8") << "nothing was put";

    VARIANT nothing;
    V_VT(&nothing) = VT_BYREF | VT_I2;
    V_I2REF(&nothing) = nullptr;
    const Answer byNull = InvokeId(control.Get(), listRows, DISPATCH_PROPERTYPUT, {nothing});
    EXPECT_EQ(byNull.hr, DISP_E_TYPEMISMATCH) << "a reference to nothing";
    EXPECT_EQ(byNull.argError, 0u);

    LPOLESTR names[] = {nullptr, const_cast<LPOLESTR>(L"intColumn")};
    DISPID ids[] = {0, 0};
    EXPECT_EQ(control->GetIDsOfNames(IID_NULL, names, 2, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ((std::vector{ids[0], ids[1]}), (std::vector<DISPID>{DISPID_UNKNOWN, DISPID_UNKNOWN}));
    names[0] = const_cast<LPOLESTR>(L"Column");
    names[1] = nullptr;
    EXPECT_EQ(control->GetIDsOfNames(IID_NULL, names, 2, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    EXPECT_EQ(control->GetIDsOfNames(IID_IDispatch, names, 1, 0, ids), DISP_E_UNKNOWNINTERFACE);
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
    VARIANT byRef{};
    V_VT(&byRef) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&byRef) = &inner.v;
    ::LONG first = 0;
    VARIANT firstRef{};
    V_VT(&firstRef) = VT_BYREF | VT_I4;
    V_I4REF(&firstRef) = &first;
    for (const VARIANT& argument : {byRef, firstRef})
        CallOk(control.Get(), L"RemoveItem", {argument});
    EXPECT_EQ(GetText(control.Get(), L"ListCount"), "1");
    PutOk(control.Get(), L"ListIndex", Var(0L).v);
    EXPECT_EQ(GetText(control.Get(), L"Value"), "3");
}

// An object that a host hands over and that has no IDispatch.
using PlainObject = StackObject<IUnknown>;

// A SAFEARRAY of 256 Longs: an array, but not one of Variants.
SAFEARRAY* LongArray() {
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_I4, 0, 256);
    ::LONG* data = nullptr;
    ::SafeArrayAccessData(array, reinterpret_cast<void**>(&data));
    for (::LONG i = 0; i < 256; ++i)
        data[i] = i;
    ::SafeArrayUnaccessData(array);
    return array;
}

// Values that become a Variant parameter's type but that the control cannot hold: the caller
// hears of a type mismatch of that argument, with nothing kept of what it passed.
TEST_F(Dispatch, AnArgumentTheControlCannotHoldIsATypeMismatchThatKeepsNothing) {
    PlainObject plain;
    Var longs;
    V_VT(&longs.v) = VT_ARRAY | VT_I4;
    V_ARRAY(&longs.v) = LongArray();
    Var object;
    V_VT(&object.v) = VT_UNKNOWN;
    V_UNKNOWN(&object.v) = &plain;
    plain.AddRef();
    Var error;
    V_VT(&error.v) = VT_ERROR;
    V_ERROR(&error.v) = E_FAIL;
    const DISPID value = IdOf(control.Get(), L"Value");
    const DISPID fill = IdOf(control.Get(), L"FillComboBoxMultiColumnRecordset");
    for (const VARIANT* argument : {&longs.v, &object.v, &error.v}) {
        const std::string label = "argument of type " + std::to_string(V_VT(argument));
        const Answer put = InvokeId(control.Get(), value, DISPATCH_PROPERTYPUT, {*argument});
        EXPECT_EQ(put.hr, DISP_E_TYPEMISMATCH) << label;
        EXPECT_EQ(put.argError, 0u) << label;
        const Answer call = InvokeId(control.Get(), fill, DISPATCH_METHOD, {*argument});
        EXPECT_EQ(call.hr, DISP_E_TYPEMISMATCH) << label;
        EXPECT_EQ(call.argError, 0u) << label;
    }
    EXPECT_EQ(plain.OthersReferences(), 1u) << "only the test's VARIANT holds the object";
    const std::int64_t before = HeapBytesInUse();
    for (int i = 0; i < 200; ++i)
        InvokeId(control.Get(), value, DISPATCH_PROPERTYPUT, {longs.v});
    EXPECT_LT(HeapBytesInUse() - before, 4096) << "the copies of the array are not kept";
    EXPECT_EQ(GetText(control.Get(), L"ListCount"), "3");
}

// COM's callers free what an [out] parameter holds, failure or not: a failed call leaves it
// empty, whatever the caller had put there. In design mode Value and ListIndex fail.
TEST_F(Dispatch, AFailedCallLeavesItsResultEmptyAndTellsItsError) {
    InPlaceSite site;
    site.userMode = false;
    ComPtr<IDispatch> designed = CreateControl(&site);
    ComPtr<_ColumnPick> dual;
    ASSERT_EQ(designed.As(&dual), S_OK);
    ASSERT_EQ(As<IPersistStreamInit>(designed.Get())->InitNew(), S_OK);

    Var result(123L);
    const Answer get = InvokeId(designed.Get(), IdOf(designed.Get(), L"Value"),
                                DISPATCH_PROPERTYGET, {}, &result.v);
    EXPECT_EQ(get.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(V_VT(&result.v), VT_EMPTY);
    EXPECT_EQ(get.scode, static_cast<SCODE>(0x800A018A)) << "error 394";

    // The same through the dual interface's vtable.
    VARIANT value;
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = reinterpret_cast<BSTR>(static_cast<std::uintptr_t>(0xDEAD));
    EXPECT_TRUE(FAILED(dual->get_Value(&value)));
    EXPECT_EQ(V_VT(&value), VT_EMPTY);
    ::LONG index = 77;
    EXPECT_TRUE(FAILED(dual->get_ListIndex(&index)));
    EXPECT_EQ(index, 0);
    As<IOleObject>(designed.Get())->SetClientSite(nullptr);
}

// Containers and object browsers list the connection points (the events, then property
// changes); the list holds the control.
TEST_F(Dispatch, EnumConnectionPointsListsTheEventsAndPropertyChanges) {
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(control.As(&container), S_OK);
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(points.GetAddressOf()), S_OK);
    control.Reset();
    container.Reset();
    IConnectionPoint* got[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(3, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    std::vector<IID> served(2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(got[i]->GetConnectionInterface(&served[i]), S_OK);
        got[i]->Release();
    }
    EXPECT_EQ(served, (std::vector<IID>{__uuidof(__ColumnPick), IID_IPropertyNotifySink}));
    EXPECT_EQ(points->Next(1, got, nullptr), S_FALSE) << "at the end";
    EXPECT_EQ(points->Reset(), S_OK);
    EXPECT_EQ(points->Skip(3), S_FALSE);
    ComPtr<IEnumConnectionPoints> copy;
    ASSERT_EQ(points->Reset(), S_OK);
    ASSERT_EQ(points->Clone(copy.GetAddressOf()), S_OK);
    EXPECT_EQ(copy->Next(1, got, nullptr), S_OK);
    got[0]->Release();
}

// Each put tells the container of the change, and keeps nothing of it.
TEST_F(Dispatch, PropertyPutsDoNotGrowMemory) {
    const DISPID text = IdOf(control.Get(), L"Text");
    Var one(L"one"), two(L"two");
    for (int i = 0; i < 200; ++i)
        InvokeId(control.Get(), text, DISPATCH_PROPERTYPUT, {(i % 2 ? one : two).v});
    const std::int64_t before = HeapBytesInUse();
    for (int i = 0; i < 3000; ++i)
        InvokeId(control.Get(), text, DISPATCH_PROPERTYPUT, {(i % 2 ? one : two).v});
    EXPECT_LT(HeapBytesInUse() - before, 16384);
}

}  // namespace
}  // namespace cp::test
