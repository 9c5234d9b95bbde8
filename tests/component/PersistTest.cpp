// The design-time settings through a container's property bag and stream: every setting
// comes back after a round trip, defaults are not written, a value the control cannot take
// fails the load with its error (logged for the container), and a damaged stream changes
// nothing. The component may be unloaded once every object and lock is gone.
#include "tests/component/MemoryBag.h"

namespace cp::test {
namespace {

TEST(Persistence, APropertyBagGivesBackEverySettingAndHoldsNoDefault) {
    MemoryBag bag;
    {
        ComPtr<IDispatch> saved = CreateControl();
        ASSERT_EQ(As<IPersistPropertyBag>(saved.Get())->InitNew(), S_OK);
        ASSERT_EQ(As<IPersistPropertyBag>(saved.Get())->Save(&bag, TRUE, TRUE), S_OK);
        EXPECT_TRUE(bag.values.empty()) << "defaults are not written";
        SetEverySetting(saved.Get());
        ASSERT_EQ(As<IPersistPropertyBag>(saved.Get())->Save(&bag, TRUE, FALSE), S_OK);
    }
    ComPtr<IDispatch> loaded = CreateControl();
    ASSERT_EQ(As<IPersistPropertyBag>(loaded.Get())->Load(&bag, &bag), S_OK);
    ExpectEverySetting(loaded.Get());
    EXPECT_EQ(As<IPersistStreamInit>(loaded.Get())->IsDirty(), S_FALSE);
    EXPECT_EQ(As<IPersistPropertyBag>(loaded.Get())->Load(&bag, &bag), CO_E_ALREADYINITIALIZED);
}

TEST(Persistence, AValueTheControlCannotTakeFailsTheLoadWithItsError) {
    MemoryBag bag;
    Var rows(L"many"), color(0x00112233L);
    bag.Write(L"ForeColorNormal", &color.v);
    bag.Write(L"ListRows", &rows.v);
    ComPtr<IDispatch> control = CreateControl();
    EXPECT_EQ(As<IPersistPropertyBag>(control.Get())->Load(&bag, &bag),
              MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 13));
    EXPECT_EQ(bag.errors, Texts{"Type mismatch"});
    // The settings before the failing one were read, the rest keep their defaults, and the
    // control works.
    EXPECT_EQ(GetText(control.Get(), L"ForeColorNormal"), std::to_string(0x00112233));
    EXPECT_EQ(GetText(control.Get(), L"ListRows"), "8");
    Fill(control.Get(), L"", L"row");
    EXPECT_EQ(GetText(control.Get(), L"ListCount"), "1");
    // The colour read is the control's own from then on: a save keeps it.
    MemoryBag saved;
    ASSERT_EQ(As<IPersistPropertyBag>(control.Get())->Save(&saved, TRUE, TRUE), S_OK);
    ASSERT_EQ(saved.values.count(L"ForeColorNormal"), 1u);
    EXPECT_EQ(V_I4(&saved.values[L"ForeColorNormal"]), 0x00112233);
}

// Every setting, and a text of any length, come back through a stream; a stream cut short or
// one whose key claims more bytes than it holds fails the load and changes nothing.
TEST(Persistence, AStreamGivesBackEverySettingAndADamagedOneChangesNothing) {
    ComPtr<IStream> stream;
    ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()), S_OK);
    const std::wstring captions(17 << 20, L'c');
    {
        ComPtr<IDispatch> saved = CreateControl();
        ASSERT_EQ(As<IPersistStreamInit>(saved.Get())->InitNew(), S_OK);
        SetEverySetting(saved.Get());
        PutOk(saved.Get(), L"ColumnCaptions", Var(captions.c_str()).v);
        ULARGE_INTEGER size{};
        ASSERT_EQ(As<IPersistStreamInit>(saved.Get())->GetSizeMax(&size), S_OK);
        ASSERT_EQ(As<IPersistStreamInit>(saved.Get())->Save(stream.Get(), TRUE), S_OK);
        ULARGE_INTEGER end{};
        stream->Seek({}, STREAM_SEEK_CUR, &end);
        EXPECT_EQ(end.QuadPart, size.QuadPart);
    }
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    ComPtr<IDispatch> loaded = CreateControl();
    ASSERT_EQ(As<IPersistStreamInit>(loaded.Get())->Load(stream.Get()), S_OK);
    ExpectEverySetting(loaded.Get());
    EXPECT_EQ(GetText(loaded.Get(), L"ColumnCaptions").size(), captions.size());

    // A stream cut short after its first bytes.
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    ULARGE_INTEGER shortened{};
    shortened.QuadPart = 10;
    stream->SetSize(shortened);
    ComPtr<IDispatch> damaged = CreateControl();
    EXPECT_EQ(As<IPersistStreamInit>(damaged.Get())->Load(stream.Get()), STG_E_READFAULT);
    EXPECT_EQ(GetText(damaged.Get(), L"ListRows"), "8");
    EXPECT_EQ(GetText(damaged.Get(), L"Text"), "");

    // A key whose length claims more bytes than the stream holds.
    const char claimed[] = {'C', 'P', 'S', '1', 1, 0, 0, 0, '\xff', '\xff', '\xff', '\x7f', 'k'};
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(stream->Write(claimed, sizeof claimed, nullptr), S_OK);
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    ComPtr<IDispatch> claiming = CreateControl();
    EXPECT_EQ(As<IPersistStreamInit>(claiming.Get())->Load(stream.Get()), STG_E_READFAULT);
}

TEST(Lifetime, TheComponentMayBeUnloadedOnceEveryObjectAndLockIsGone) {
    {
        ComPtr<IDispatch> control = CreateControl();
        Fill(control.Get(), L"", L"a;b");
        EXPECT_EQ(CallEntryPoint("DllCanUnloadNow"), S_FALSE);
    }
    EXPECT_EQ(CallEntryPoint("DllCanUnloadNow"), S_OK);
    // A lock on the class factory holds the component after the factory itself has gone.
    for (const BOOL lock : {TRUE, FALSE}) {
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(
            ::CoGetClassObject(ControlClass(), CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(factory.GetAddressOf())),
            S_OK);
        EXPECT_EQ(factory->LockServer(lock), S_OK);
        factory.Reset();
        EXPECT_EQ(CallEntryPoint("DllCanUnloadNow"), lock ? S_FALSE : S_OK);
    }
}

}  // namespace
}  // namespace cp::test
