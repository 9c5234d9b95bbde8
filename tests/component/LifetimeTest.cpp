// A host may let go of the control inside any of its events, deactivate or close it there, and
// run it again after closing it; a reader may hold its accessible objects past its end. The
// control ends only once its own code has returned, tells the host nothing on its way out, and
// the host goes on.
#include <string>
#include <tuple>
#include <utility>

#include "platform/win32/Wide.h"
#include "tests/component/AtlContainer.h"
#include "tests/component/EventSink.h"
#include "tests/component/InPlaceSite.h"
#include "tests/support/win32/MessageBoxWatch.h"

#include <oleacc.h>

namespace cp::test {
namespace {

constexpr LPARAM kReleaseBits = LPARAM{3} << 30;

void FillCountries(IDispatch* control) {
    cp::test::Fill(control, L"1500;600", L"Austria;AT;Belgium;BE;Bulgaria;BG");
}

// A key posted to the focus and handled by a dialog's loop: the active object sees each message
// first while the dialog lives; a destroyed dialog offers nothing to an object it let go of.
void KeyThroughDialog(HWND dialog, IOleInPlaceActiveObject* active, WORD key) {
    HWND focus = ::GetFocus();
    const LPARAM scan = 1 | (static_cast<LPARAM>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16);
    ::PostMessageW(focus, WM_KEYDOWN, key, scan);
    ::PostMessageW(focus, WM_KEYUP, key, scan | kReleaseBits);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (::IsWindow(dialog) && active->TranslateAccelerator(&msg) == S_OK) continue;
        ::DispatchMessageW(&msg);
    }
}

TEST(Lifetime, AKeyDownHandlerThatClosesTheDialogEndsTheControlOnceTheKeyIsHandled) {
    MessageBoxWatch boxes;
    AtlContainer atl;
    ASSERT_TRUE(atl.control);
    FillCountries(atl.Dispatch().Get());
    EventSink sink;
    ASSERT_TRUE(sink.Connect(atl.control.Get()));
    sink.Forget();
    // Escape closes the dialog, as a dialog's cancel does.
    sink.onEvent = [&](const std::string& entry) {
        if (entry == "KeyDown(27,0)") ::DestroyWindow(atl.form);
    };
    ::SetFocus(atl.Edit());
    atl.Type(L"b");
    ComPtr<IOleInPlaceActiveObject> active;
    ASSERT_EQ(atl.control.As(&active), S_OK);
    IOleInPlaceActiveObject* dialogsActiveObject = active.Get();
    // From here on the dialog's host window holds the control's only reference.
    active.Reset();
    atl.control.Reset();

    KeyThroughDialog(atl.form, dialogsActiveObject, VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(atl.form));
    ASSERT_FALSE(sink.log.empty());
    EXPECT_EQ(sink.log.back(), "KeyDown(27,0)") << "nothing after the end reaches the host";
    EXPECT_EQ(sink.OthersReferences(), 0u) << "the control has ended and let go of its sink";
    EXPECT_TRUE(boxes.Calls().empty());

    // The host goes on, with a new dialog and a new control.
    AtlContainer next;
    ASSERT_TRUE(next.control);
    FillCountries(next.Dispatch().Get());
    ::SetFocus(next.Edit());
    next.Type(L"bu");
    EXPECT_EQ(next.EditText(), L"Bulgaria");
}

// A put whose notification raises the event (member, value, event), and the handler that
// releases the control there: the put still answers, and the control ends after it.
TEST(Lifetime, AHandlerThatReleasesTheControlDuringAPutEndsItAfterThePut) {
    for (const auto& [name, value, event] :
         {std::tuple{L"Text", 0L, "Change"}, std::tuple{L"ListIndex", 1L, "AfterUpdate"}}) {
        const std::string label = win32::Narrow(name);
        IDispatch* control = CreateControl().Detach();
        ASSERT_NE(control, nullptr);
        FillCountries(control);
        const DISPID member = IdOf(control, name);
        EventSink sink;
        ASSERT_TRUE(sink.Connect(control));
        sink.Forget();
        bool released = false;
        sink.onEvent = [&](const std::string& entry) {
            if (released || entry != event) return;
            released = true;
            control->Release();
        };
        Var text(L"bu"), index(value);
        const Answer answer =
            InvokeId(control, member, DISPATCH_PROPERTYPUT, {value == 0 ? text.v : index.v});
        EXPECT_EQ(answer.hr, S_OK) << label;
        EXPECT_TRUE(released) << label;
        EXPECT_EQ(sink.OthersReferences(), 0u) << label << ": the control has ended";
    }
}

// `picker.Font.Size = 20` on the host's font object reaches the control through none of its own
// members; a property sink that lets go of the control as it hears of the change ends it once
// the change is through, and the host's font object goes on working.
TEST(Lifetime, ASinkThatReleasesTheControlWhenItsFontChangesInPlaceEndsItAfterwards) {
    IDispatch* control = CreateControl().Detach();
    ASSERT_NE(control, nullptr);
    ASSERT_EQ(As<IPersistStreamInit>(control)->InitNew(), S_OK);
    Var font;
    ASSERT_EQ(Get(control, L"Font", font), S_OK);
    ComPtr<IFont> object = As<IFont>(V_DISPATCH(&font.v));
    NotifySink sink{control};
    ASSERT_TRUE(sink.Connect());
    sink.Forget();
    sink.onChanged = [&] {
        if (control != nullptr) std::exchange(control, nullptr)->Release();
    };

    EXPECT_EQ(object->put_Size(CY{.int64 = 200000}), S_OK);
    EXPECT_EQ(control, nullptr);
    EXPECT_EQ(sink.OthersReferences(), 0u) << "the control has ended";
    EXPECT_EQ(object->put_Size(CY{.int64 = 100000}), S_OK);
}

// Containers that keep only the active object in place deactivate it, or close it, from
// OnUIDeactivate: the deactivation under way finds it done and tells the site nothing twice.
TEST(Lifetime, AContainerThatDeactivatesTheControlAsItLeavesTheUserInterfaceDoesItOnce) {
    for (const bool closes : {false, true}) {
        InPlaceSite site;
        ComPtr<IDispatch> control = ActiveControl(site, L"Austria;Belgium");
        ComPtr<IOleInPlaceObject> inPlace = As<IOleInPlaceObject>(control.Get());
        site.onUIDeactivate = [&] {
            if (closes) As<IOleObject>(control.Get())->Close(OLECLOSE_NOSAVE);
            if (!closes) inPlace->InPlaceDeactivate();
        };
        HWND window = nullptr;
        EXPECT_EQ((std::tuple{inPlace->InPlaceDeactivate(), inPlace->GetWindow(&window)}),
                  (std::tuple{S_OK, E_FAIL}));
        EXPECT_EQ(site.log, (Texts{"OnInPlaceActivate", "OnUIActivate", "OnUIDeactivate",
                                   "OnInPlaceDeactivate"}))
            << closes;
        site.onUIDeactivate = nullptr;
        Close(control.Get());
    }
}

// What a NotInList handler does while the container deactivates the control.
enum class Handler { SendsBack, Deactivates, Closes };

// InPlaceDeactivate, as the container calls it, moves the focus away, and the commit raises
// NotInList: a handler that deactivates or closes the control there finds it already leaving,
// and one that sends the user back sends the focus nowhere hidden. Each case: the handler,
// whether it answers Cancel = True (the user is sent back to the list), and its label.
TEST(Lifetime, ANotInListHandlerThatDeactivatesTheControlLeavesItInactiveWithTheFocusInSight) {
    for (const auto& [handler, cancel, label] :
         {std::tuple{Handler::SendsBack, true, "Cancel"},
          std::tuple{Handler::Deactivates, false, "InPlaceDeactivate"},
          std::tuple{Handler::Deactivates, true, "both"},
          std::tuple{Handler::Closes, false, "Close"},
          std::tuple{Handler::Closes, true, "Close, Cancel"}}) {
        MessageBoxWatch boxes;
        AtlContainer atl;
        ASSERT_TRUE(atl.control);
        ComPtr<IDispatch> control = atl.Dispatch();
        FillCountries(control.Get());
        ComPtr<IOleInPlaceObject> inPlace = As<IOleInPlaceObject>(atl.control.Get());
        ComPtr<IOleObject> object = As<IOleObject>(atl.control.Get());
        ASSERT_TRUE(inPlace && object);
        EventSink sink;
        ASSERT_TRUE(sink.Connect(atl.control.Get()));
        sink.cancelNotInList = cancel;
        sink.onEvent = [&](const std::string& entry) {
            if (entry.rfind("NotInList", 0) != 0) return;
            if (handler == Handler::Closes) object->Close(OLECLOSE_NOSAVE);
            if (handler == Handler::Deactivates) inPlace->InPlaceDeactivate();
        };
        HWND window = atl.ControlWindow();
        ::SetFocus(atl.Edit());
        atl.Type(L"q");

        EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK) << label;
        EXPECT_EQ(sink.log.back(), "NotInList(False)") << label;
        HWND unused = nullptr;
        EXPECT_EQ(inPlace->GetWindow(&unused), E_FAIL) << label << ": inactive";
        EXPECT_FALSE(::IsWindowVisible(window)) << label;
        HWND focus = ::GetFocus();
        EXPECT_TRUE(focus == nullptr || ::IsWindowVisible(focus)) << label;
        EXPECT_EQ(GetText(control.Get(), L"ComboBoxIsOpen"), "False") << label;
        EXPECT_TRUE(boxes.Calls().empty()) << label;
        sink.Disconnect();
    }
}

// A container that lets go of an active control without closing it: the control leaves the
// container quietly (no commit reaches the host) and ends once, also when the container takes
// and lets go of a reference while the control leaves it.
TEST(Lifetime, AReleaseWithoutCloseDeactivatesQuietlyAndEndsOnce) {
    InPlaceSite site;
    IDispatch* control = CreateControl().Detach();
    ASSERT_NE(control, nullptr);
    ASSERT_EQ(site.Activate(control), S_OK);
    FillCountries(control);
    EventSink sink;
    ASSERT_TRUE(sink.Connect(control));
    sink.Forget();
    HWND edit = site.Edit();
    ASSERT_EQ(::GetFocus(), edit);
    ::SendMessageW(edit, WM_CHAR, L'q', 1);
    ASSERT_EQ(sink.log.back(), "Change") << "a text in no row waits for its commit";
    site.onInPlaceDeactivate = [&] {
        control->AddRef();
        control->Release();
    };

    control->Release();
    EXPECT_EQ(sink.log.back(), "Change") << "no commit on the way out";
    EXPECT_EQ(site.log, (Texts{"OnInPlaceActivate", "OnUIActivate", "OnUIDeactivate",
                               "OnInPlaceDeactivate"}));
    EXPECT_EQ(site.OthersReferences(), 0u);
    EXPECT_EQ(sink.OthersReferences(), 0u);
}

// OLE lets a container run an object again after closing it: the control then commits as the
// focus leaves it, and takes the focus when a handler sends the user back.
TEST(Lifetime, AControlRunAgainAfterCloseCommitsAndTakesTheFocus) {
    AtlContainer atl;
    ASSERT_TRUE(atl.control);
    FillCountries(atl.Dispatch().Get());
    ComPtr<IOleObject> object;
    ASSERT_EQ(atl.control.As(&object), S_OK);
    ASSERT_EQ(object->Close(OLECLOSE_NOSAVE), S_OK);
    ComPtr<IOleClientSite> site;
    ASSERT_EQ(object->GetClientSite(site.GetAddressOf()), S_OK);
    const ::RECT position{10, 10, 250, 31};
    ASSERT_EQ(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site.Get(), 0, atl.host, &position),
              S_OK);
    EventSink sink;
    ASSERT_TRUE(sink.Connect(atl.control.Get()));
    sink.cancelNotInList = true;
    atl.Loop();
    ASSERT_EQ(::GetFocus(), atl.Edit());
    atl.Type(L"q");
    ::SetFocus(atl.other);
    atl.Loop();
    EXPECT_EQ(sink.log.back(), "NotInList(False)");
    EXPECT_EQ(::GetFocus(), atl.Edit()) << "Cancel sends the user back to the control";
    sink.Disconnect();
}

// A reader may keep the control's accessible object as long as it likes: the component stays
// loaded for it, and the object answers that the control is gone.
TEST(Lifetime, AReadersObjectKeepsTheComponentLoadedPastTheControlsEnd) {
    IAccessible* reader = nullptr;
    {
        AtlContainer atl;
        ASSERT_TRUE(atl.control);
        ASSERT_EQ(
            ::AccessibleObjectFromWindow(atl.ControlWindow(), static_cast<::DWORD>(OBJID_CLIENT),
                                         __uuidof(IAccessible), reinterpret_cast<void**>(&reader)),
            S_OK);
    }
    EXPECT_EQ(CallEntryPoint("DllCanUnloadNow"), S_FALSE);
    ::CoFreeUnusedLibraries();
    Var self(long{CHILDID_SELF});
    BSTR name = nullptr;
    EXPECT_EQ(reader->get_accName(self.v, &name), RPC_E_DISCONNECTED);
    ::SysFreeString(name);
    reader->Release();
    EXPECT_EQ(CallEntryPoint("DllCanUnloadNow"), S_OK);
}

// Refuses the control's own window, as a thread out of window handles would.
LRESULT CALLBACK RefuseControlWindows(int code, WPARAM, LPARAM lParam) {
    if (code != HCBT_CREATEWND) return 0;
    const wchar_t* name = reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs->lpszClass;
    return !IS_INTRESOURCE(name) && std::wstring(name) == L"ThunderRT6UserControlDC" ? 1 : 0;
}

BOOL CALLBACK CountWindow(HWND, LPARAM counted) {
    ++*reinterpret_cast<int*>(counted);
    return TRUE;
}

int ThreadWindows() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(Lifetime, AControlThatCannotMakeItsWindowsIsNotMadeAndLeavesNoWindow) {
    const int before = ThreadWindows();
    HHOOK hook =
        ::SetWindowsHookExW(WH_CBT, &RefuseControlWindows, nullptr, ::GetCurrentThreadId());
    IDispatch* control = reinterpret_cast<IDispatch*>(1);
    const HRESULT hr = ::CoCreateInstance(ControlClass(), nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IDispatch, reinterpret_cast<void**>(&control));
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(hr, E_OUTOFMEMORY);
    EXPECT_EQ(control, nullptr);
    EXPECT_EQ(ThreadWindows(), before) << "the parking window went with the object";
    EXPECT_EQ(CallEntryPoint("DllCanUnloadNow"), S_OK);
}

}  // namespace
}  // namespace cp::test
