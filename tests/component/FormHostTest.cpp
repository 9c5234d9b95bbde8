// The control as form hosts that ask more of it meet it: a quick-activating host that hands
// over its sinks and ambients in one call and then persists in the managed host's order, a
// compound-document host that keeps the control in a storage of a file, data binding that
// hears of every change and may refuse one of Value, a form designer, a host at a cautious
// security setting, and a container with accelerators of its own.
#include <cstddef>
#include <string>
#include <tuple>

#include "tests/component/AtlContainer.h"
#include "tests/component/EventSink.h"
#include "tests/component/InPlaceSite.h"
#include "tests/component/MemoryBag.h"

#include <objsafe.h>

namespace cp::test {
namespace {

TEST(FormHost, AQuickActivatingHostGetsItsSinksConnectedAndPersistsInTheManagedHostsOrder) {
    BareSite site;
    ComPtr<IStream> stream;
    ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()), S_OK);
    {
        ComPtr<IDispatch> control = CreateControl();
        NotifySink notify(control.Get());
        EventSink events;
        QACONTAINER container = QuickContainer(&site, &notify, &events);
        QACONTROL answer{};
        answer.cbSize = sizeof(QACONTROL);
        ASSERT_EQ(As<IQuickActivate>(control.Get())->QuickActivate(&container, &answer), S_OK);
        EXPECT_EQ((std::vector<::DWORD>{answer.dwEventCookie != 0, answer.dwPropNotifyCookie != 0,
                                        answer.dwMiscStatus, answer.dwViewStatus}),
                  (std::vector<::DWORD>{1, 1, 0x20191, VIEWSTATUS_OPAQUE}))
            << "both cookies given, the misc status and the view status";
        EXPECT_EQ(site.OthersReferences(), 1u) << "the site is the control's, as SetClientSite";
        SIZEL size{5000, 600};
        EXPECT_EQ(As<IQuickActivate>(control.Get())->SetContentExtent(&size), S_OK);
        SIZEL now{};
        EXPECT_EQ(As<IQuickActivate>(control.Get())->GetContentExtent(&now), S_OK);
        EXPECT_EQ(now.cx, 5000);
        // The managed host prefers IPersistStreamInit.
        ASSERT_EQ(As<IPersistStreamInit>(control.Get())->InitNew(), S_OK);
        PutOk(control.Get(), L"ListRows", Var(12L).v);
        ASSERT_EQ(As<IPersistStreamInit>(control.Get())->Save(stream.Get(), TRUE), S_OK);
        // The sinks handed over are connected as if advised: the host unadvises them so.
        ComPtr<IConnectionPoint> point;
        ASSERT_EQ(As<IConnectionPointContainer>(control.Get())
                      ->FindConnectionPoint(IID_IPropertyNotifySink, point.GetAddressOf()),
                  S_OK);
        EXPECT_EQ(point->Unadvise(answer.dwPropNotifyCookie), S_OK);
        EXPECT_EQ(notify.OthersReferences(), 0u);
        As<IOleObject>(control.Get())->SetClientSite(nullptr);
    }
    EXPECT_EQ(site.OthersReferences(), 0u);

    // A host of the older, shorter structure, which loads through IPersistStream.
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    ComPtr<IDispatch> loaded = CreateControl();
    QACONTAINER older = QuickContainer(&site);
    older.cbSize = offsetof(QACONTAINER, pBindHost);
    QACONTROL answer{};
    answer.cbSize = offsetof(QACONTROL, dwPointerActivationPolicy);
    EXPECT_EQ(As<IQuickActivate>(loaded.Get())->QuickActivate(&older, &answer), S_OK);
    ASSERT_EQ(As<IPersistStream>(loaded.Get())->Load(stream.Get()), S_OK);
    EXPECT_EQ(GetText(loaded.Get(), L"ListRows"), "12");
    // One too short to hold the sinks is refused, and the control goes on.
    older.cbSize = offsetof(QACONTAINER, pPropertyNotifySink);
    EXPECT_EQ(As<IQuickActivate>(loaded.Get())->QuickActivate(&older, &answer), E_INVALIDARG);
    EXPECT_EQ(As<IQuickActivate>(loaded.Get())->QuickActivate(nullptr, &answer), E_POINTER);
    EXPECT_EQ(GetText(loaded.Get(), L"ListRows"), "12");
    As<IOleObject>(loaded.Get())->SetClientSite(nullptr);
}

std::wstring TempFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

ComPtr<IStorage> OpenDocument(const std::wstring& path, ::DWORD mode) {
    ComPtr<IStorage> storage;
    EXPECT_EQ(::StgOpenStorage(path.c_str(), nullptr, mode | STGM_SHARE_EXCLUSIVE, nullptr, 0,
                               storage.GetAddressOf()),
              S_OK);
    return storage;
}

TEST(FormHost, ACompoundDocumentKeepsEverySettingThroughSaveHandsOffAndReopening) {
    const std::wstring path = TempFile(L"columnpick-document.stg");
    {
        ComPtr<IStorage> document;
        ASSERT_EQ(
            ::StgCreateDocfile(path.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                               document.GetAddressOf()),
            S_OK);
        ComPtr<IDispatch> control = CreateControl();
        ComPtr<IPersistStorage> persist = As<IPersistStorage>(control.Get());
        ASSERT_TRUE(persist);
        ASSERT_EQ(persist->InitNew(document.Get()), S_OK);
        EXPECT_EQ(persist->IsDirty(), S_FALSE);
        SetEverySetting(control.Get());
        EXPECT_EQ(persist->IsDirty(), S_OK);
        ASSERT_EQ(persist->Save(document.Get(), TRUE), S_OK);
        EXPECT_EQ(persist->SaveCompleted(nullptr), S_OK);
        EXPECT_EQ(persist->IsDirty(), S_FALSE);
        EXPECT_EQ(persist->HandsOffStorage(), S_OK);
        EXPECT_EQ(persist->Save(nullptr, TRUE), E_POINTER) << "no storage after HandsOffStorage";
        ASSERT_EQ(document->Commit(STGC_DEFAULT), S_OK);
    }
    {
        ComPtr<IStorage> document = OpenDocument(path, STGM_READ);
        ASSERT_TRUE(document);
        ComPtr<IDispatch> control = CreateControl();
        ASSERT_EQ(As<IPersistStorage>(control.Get())->Load(document.Get()), S_OK);
        ExpectEverySetting(control.Get());
        EXPECT_EQ(As<IPersistStorage>(control.Get())->Load(document.Get()),
                  CO_E_ALREADYINITIALIZED);
    }
    // A storage without the control's stream: the load fails and leaves a control with its
    // defaults that works.
    {
        ComPtr<IStorage> document = OpenDocument(path, STGM_READWRITE);
        ASSERT_EQ(document->DestroyElement(L"Contents"), S_OK);
        ComPtr<IDispatch> missing = CreateControl();
        EXPECT_EQ(As<IPersistStorage>(missing.Get())->Load(document.Get()), STG_E_FILENOTFOUND);
        EXPECT_EQ(GetText(missing.Get(), L"ListRows"), "8");
        Fill(missing.Get(), L"", L"row");
        EXPECT_EQ(GetText(missing.Get(), L"ListCount"), "1");
    }
    ::DeleteFileW(path.c_str());
}

TEST(FormHost, DataBindingHearsEveryChangeInOrderAndMayRefuseOneOfValue) {
    AtlContainer atl;
    ASSERT_TRUE(atl.control);
    ComPtr<IDispatch> control = atl.Dispatch();
    Fill(control.Get(), L"1500;600", L"Austria;AT;Belgium;BE;Bulgaria;BG;Croatia;HR");
    NotifySink field(control.Get());
    ASSERT_TRUE(field.Connect());

    // Typing changes nothing bound until the user commits the row: the commit is the first heard.
    ::SetFocus(atl.Edit());
    atl.Loop();
    atl.Type(L"be");
    atl.Key(VK_RETURN);
    atl.Key(VK_DOWN, true);
    atl.ClickRow(3);
    EXPECT_EQ(GetText(control.Get(), L"Value"), "Croatia");
    PutOk(control.Get(), L"ListRows", Var(short{5}).v);
    PutOk(control.Get(), L"Text", Var(L"Austria").v);
    PutOk(control.Get(), L"ColumnWidths", Var(L"1000;600").v);
    const Texts session = {"RequestEdit(Value)", "Changed(Value)",       "Changed(Text)",
                           "RequestEdit(Value)", "Changed(Value)",       "Changed(Text)",
                           "Changed(ListRows)",  "RequestEdit(Text)",    "Changed(Text)",
                           "Changed(Value)",     "Changed(ColumnWidths)"};
    EXPECT_EQ(field.log, session);

    // A field that refuses Value: a put fails with error 383 and changes nothing; a pick of the
    // user's returns the text to the row committed before.
    field.log.clear();
    field.refuse = iface::DISPID_VALUE;
    Var value(L"Bulgaria");
    const Answer put =
        InvokeId(control.Get(), iface::DISPID_VALUE, DISPATCH_PROPERTYPUT, {value.v});
    EXPECT_EQ(put.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(GetText(control.Get(), L"Text"), "Austria");
    atl.Key(VK_DOWN, true);
    atl.ClickRow(1);
    EXPECT_EQ(GetText(control.Get(), L"Text"), "Austria");
    EXPECT_EQ(field.log, (Texts{"RequestEdit(Value)", "RequestEdit(Value)"}));
    field.Disconnect();
}

// A form designer: the control in design mode refuses run-time members, saves as a property bag
// and loads back from it, and follows the container into run mode when its ambient changes.
TEST(FormHost, AFormDesignerSavesAsAPropertyBagAndSwitchesToRunModeByAnAmbientChange) {
    MemoryBag bag;
    InPlaceSite form;
    form.userMode = false;
    ComPtr<IDispatch> designed = CreateControl(&form);
    ASSERT_EQ(As<IPersistStreamInit>(designed.Get())->InitNew(), S_OK);
    PutOk(designed.Get(), L"ListRows", Var(short{12}).v);
    ASSERT_EQ(As<IPersistPropertyBag>(designed.Get())->Save(&bag, TRUE, FALSE), S_OK);
    Close(designed.Get());
    ComPtr<IDispatch> control = CreateControl(&form);
    ASSERT_EQ(As<IPersistPropertyBag>(control.Get())->Load(&bag, &bag), S_OK);
    Fill(control.Get(), L"", L"one;two;three");
    ASSERT_EQ(form.Activate(control.Get()), S_OK);
    Var two(L"two");
    EXPECT_EQ(InvokeId(control.Get(), iface::DISPID_VALUE, DISPATCH_PROPERTYPUT, {two.v}).hr,
              DISP_E_EXCEPTION)
        << "Value is a run-time property";

    // The container goes to run time and says so: the control drops down and takes a value at
    // once.
    form.userMode = true;
    EXPECT_EQ(As<IOleControl>(control.Get())->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE),
              S_OK);
    CallOk(control.Get(), L"ShowDropDown");
    EXPECT_EQ(GetText(control.Get(), L"ComboBoxIsOpen"), "True");
    PutOk(control.Get(), L"Value", two.v);
    EXPECT_EQ(GetText(control.Get(), L"Text"), "two");
    // And back to the designer, which shows no open list.
    form.userMode = false;
    EXPECT_EQ(As<IOleControl>(control.Get())->OnAmbientPropertyChange(DISPID_UNKNOWN), S_OK);
    EXPECT_EQ(GetText(control.Get(), L"ComboBoxIsOpen"), "False");
    Close(control.Get());
}

ComPtr<IObjectSafety> SafetyIn(IUnknown* object) {
    return As<IObjectSafety>(object, IID_IObjectSafety);
}

// What GetInterfaceSafetyOptions answers: its result, the options supported and those enabled.
using Safety = std::tuple<HRESULT, ::DWORD, ::DWORD>;

Safety SafetyOf(IUnknown* object, REFIID iid) {
    ::DWORD supported = ~0u, enabled = ~0u;
    ComPtr<IObjectSafety> safety = SafetyIn(object);
    const HRESULT hr =
        safety ? safety->GetInterfaceSafetyOptions(iid, &supported, &enabled) : E_FAIL;
    return {hr, supported, enabled};
}

// A host at a cautious setting scripts the control and loads it from a document, and the
// database object, which opens files, for neither. (The component categories that say so before
// any object is made are the registration's test.)
TEST(FormHost, TheControlIsSafeForScriptingAndInitializationAndTheDatabaseIsNot) {
    constexpr ::DWORD kCaller = INTERFACESAFE_FOR_UNTRUSTED_CALLER;
    constexpr ::DWORD kData = INTERFACESAFE_FOR_UNTRUSTED_DATA;
    ComPtr<IDispatch> control = CreateControl();
    EXPECT_EQ(SafetyOf(control.Get(), IID_IDispatch), (Safety{S_OK, kCaller, 0}));
    ComPtr<IObjectSafety> safety = SafetyIn(control.Get());
    EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IDispatch, kCaller, kCaller), S_OK);
    EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IPersistPropertyBag, kData, kData), S_OK);
    EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IPersistStorage, kCaller, kCaller), E_FAIL);
    EXPECT_EQ(std::get<2>(SafetyOf(control.Get(), IID_IDispatch)), kCaller);
    EXPECT_EQ(std::get<1>(SafetyOf(control.Get(), IID_IPersistStreamInit)), kData);
    EXPECT_EQ(std::get<0>(SafetyOf(control.Get(), IID_IOleObject)), E_NOINTERFACE);

    ComPtr<IUnknown> database;
    CLSID databaseClass{};
    ASSERT_EQ(::CLSIDFromProgID(L"ColumnPick.Database", &databaseClass), S_OK);
    ASSERT_EQ(::CoCreateInstance(databaseClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                 reinterpret_cast<void**>(database.GetAddressOf())),
              S_OK);
    EXPECT_EQ(SafetyOf(database.Get(), IID_IDispatch), (Safety{S_OK, 0, 0}));
    EXPECT_EQ(SafetyIn(database.Get())->SetInterfaceSafetyOptions(IID_IDispatch, kCaller, kCaller),
              E_FAIL);
    EXPECT_EQ(SafetyIn(database.Get())->SetInterfaceSafetyOptions(IID_IDispatch, kCaller, 0), S_OK)
        << "turning an option off is always allowed";
}

// Offers a key's message to the control as a container's loop offers it.
HRESULT Offer(IOleInPlaceActiveObject* active, HWND window, UINT message, WPARAM key) {
    // A key pressed with Alt carries the context bit.
    MSG msg{window, message, key, message == WM_SYSKEYDOWN ? 1 | (LPARAM{1} << 29) : 1, 0, {}};
    return active->TranslateAccelerator(&msg);
}

// Keys a container might take as its accelerators reach the control first; those it does not
// use go to the container's control site, whose answer stands.
TEST(FormHost, TheControlTakesItsOwnKeysFirstAndHandsTheRestToTheControlSite) {
    InPlaceSite form;
    form.controlSite = true;
    ComPtr<IDispatch> control = ActiveControl(form, L"one;two;three");
    HWND edit = form.Edit();
    ASSERT_NE(edit, nullptr);
    ComPtr<IOleInPlaceActiveObject> active = As<IOleInPlaceActiveObject>(control.Get());
    form.log.clear();
    for (WPARAM key : {VK_HOME, VK_END, VK_LEFT, VK_RIGHT, VK_BACK, VK_DELETE, VK_ESCAPE})
        EXPECT_EQ(Offer(active.Get(), edit, WM_KEYDOWN, key), S_OK) << key;
    EXPECT_EQ(Offer(active.Get(), edit, WM_SYSKEYDOWN, VK_DOWN), S_OK);
    Pump();
    EXPECT_EQ(GetText(control.Get(), L"ComboBoxIsOpen"), "True") << "Alt+Down opened the list";
    EXPECT_EQ(Offer(active.Get(), edit, WM_KEYDOWN, VK_RETURN), S_OK);
    Pump();
    EXPECT_TRUE(form.log.empty()) << "the control's own keys stay with it";

    EXPECT_EQ(Offer(active.Get(), edit, WM_KEYDOWN, VK_TAB), S_OK) << "the container took Tab";
    EXPECT_EQ(Offer(active.Get(), edit, WM_KEYDOWN, VK_F2), S_FALSE) << "nobody's accelerator";
    EXPECT_EQ(form.log, (Texts{"TranslateAccelerator(9)", "TranslateAccelerator(113)"}));
    Close(control.Get());
}

}  // namespace
}  // namespace cp::test
