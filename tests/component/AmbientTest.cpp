// The container's ambient properties other than the font, as hosts meet them: a dead user
// interface takes no keys and no clicks and opens no list until the container brings it back,
// the container's name is read for an unlabelled control, and an ambient that fails or
// answers with the wrong type leaves a control that works.
#include <string>
#include <vector>

#include "tests/component/InPlaceSite.h"
#include "tests/component/MemoryBag.h"

#include <oleacc.h>

namespace cp::test {
namespace {

// A container whose ambient UIDead is whatever `dead` holds when the control asks.
AmbientAnswer AmbientUIDead(const bool& dead) {
    return Ambients({DISPID_AMBIENT_UIDEAD}, [&dead](DISPID, VARIANT* r) { Var(dead).CopyTo(r); });
}

// A container whose ambient BackColor and ForeColor are what `back` and `fore` hold.
AmbientAnswer AmbientColors(const ::LONG& back, const ::LONG& fore) {
    return Ambients({DISPID_AMBIENT_BACKCOLOR, DISPID_AMBIENT_FORECOLOR},
                    [&back, &fore](DISPID id, VARIANT* r) {
                        Var(id == DISPID_AMBIENT_BACKCOLOR ? back : fore).CopyTo(r);
                    });
}

// What a badly behaved container answers for any ambient: a failure, a string that converts to
// no colour, flag or font, and an empty object.
std::vector<AmbientAnswer> BadAmbientAnswers() {
    return {[](DISPID, VARIANT*) { return E_FAIL; },
            [](DISPID, VARIANT* result) {
                V_VT(result) = VT_BSTR;
                V_BSTR(result) = ::SysAllocString(L"not an ambient");
                return S_OK;
            },
            [](DISPID, VARIANT* result) {
                V_VT(result) = VT_DISPATCH;
                V_DISPATCH(result) = nullptr;
                return S_OK;
            }};
}

// The control's two colours as the host reads them, back then fore.
std::string Colors(IDispatch* control) {
    return GetText(control, L"BackColorNormal") + " " + GetText(control, L"ForeColorNormal");
}

// The user types "s", then presses Alt+Down, then clicks the drop-down button; what each left:
// the text and whether the list is open ("second True").
Texts PlayUser(IDispatch* control, const InPlaceSite& form) {
    Texts seen;
    const auto look = [&] {
        Pump();
        seen.push_back(GetText(control, L"Text") + " " + GetText(control, L"ComboBoxIsOpen"));
    };
    HWND edit = form.Edit();
    ::SendMessageW(edit, WM_CHAR, L's', 1);
    look();
    constexpr LPARAM kAltDown = 1 << 29;
    ::SendMessageW(edit, WM_SYSKEYDOWN, VK_DOWN, kAltDown);
    ::SendMessageW(edit, WM_SYSKEYUP, VK_DOWN, kAltDown);
    look();
    ::SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    ::SendMessageW(edit, WM_KEYUP, VK_ESCAPE, 0);
    HWND window = ::GetParent(edit);
    ::RECT box{};
    ::GetClientRect(window, &box);
    const LPARAM button = MAKELPARAM(box.right - 3, box.bottom / 2);
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, button);
    ::SendMessageW(window, WM_LBUTTONUP, 0, button);
    look();
    ::SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    ::SendMessageW(edit, WM_KEYUP, VK_ESCAPE, 0);
    Pump();
    return seen;
}

// While the container holds its user interface dead the user's keys and clicks go nowhere; a
// list open at that moment closes; once the container tells of the change, all works again.
TEST(Ambient, ADeadUserInterfaceTakesNoInputUntilTheContainerRevivesIt) {
    bool dead = true;
    InPlaceSite form;
    form.ambient = AmbientUIDead(dead);
    ComPtr<IDispatch> control = ActiveControl(form, L"first;second");
    EXPECT_EQ(PlayUser(control.Get(), form), Texts(3, " False"));

    dead = false;
    As<IOleControl>(control.Get())->OnAmbientPropertyChange(DISPID_AMBIENT_UIDEAD);
    // Typing completes from the rows; Alt+Down and the button open the list.
    EXPECT_EQ(PlayUser(control.Get(), form), (Texts{"second False", "second True", "second True"}));

    // The container goes dead with the list open: it closes, and the key that would pick from
    // it does nothing.
    CallOk(control.Get(), L"ShowDropDown");
    Pump();
    const std::string text = GetText(control.Get(), L"Text");
    dead = true;
    As<IOleControl>(control.Get())->OnAmbientPropertyChange(DISPID_UNKNOWN);
    Pump();
    EXPECT_EQ(GetText(control.Get(), L"ComboBoxIsOpen"), "False");
    ::SendMessageW(form.Edit(), WM_KEYDOWN, VK_DOWN, 0);
    Pump();
    EXPECT_EQ(GetText(control.Get(), L"Text"), text);
    Close(control.Get());
}

// The container's colours are the control's while it keeps its own defaults: they are no change
// of the host's, a save stores the defaults (so the stored control follows its next container),
// and a colour the host sets stays through the container's changes and the store, even where
// it is the control's default.
TEST(Ambient, TheContainersColorsShowUntilTheHostSetsTheControlsOwn) {
    ::LONG back = 0x0000FF;
    ::LONG fore = 0x00FF00;
    InPlaceSite form;
    form.ambient = AmbientColors(back, fore);
    ComPtr<IDispatch> control = ActiveControl(form, L"first;second");
    EXPECT_EQ(Colors(control.Get()), "255 65280");
    EXPECT_EQ(As<IPersistStreamInit>(control.Get())->IsDirty(), S_FALSE);
    MemoryBag bag;
    ASSERT_EQ(As<IPersistPropertyBag>(control.Get())->Save(&bag, TRUE, TRUE), S_OK);
    EXPECT_EQ(bag.values.count(L"BackColorNormal") + bag.values.count(L"ForeColorNormal"), 0u)
        << "the defaults are not stored";
    EXPECT_EQ(Colors(control.Get()), "255 65280") << "the save leaves the container's showing";

    back = 0xFF0000;
    As<IOleControl>(control.Get())->OnAmbientPropertyChange(DISPID_AMBIENT_BACKCOLOR);
    EXPECT_EQ(Colors(control.Get()), "16711680 65280");
    PutOk(control.Get(), L"ForeColorNormal", Var(128L).v);
    fore = 0x00FFFF;
    As<IOleControl>(control.Get())->OnAmbientPropertyChange(DISPID_UNKNOWN);
    EXPECT_EQ(Colors(control.Get()), "16711680 128") << "the host's colour stays";
    EXPECT_EQ(As<IPersistStreamInit>(control.Get())->IsDirty(), S_OK);
    // The host chooses the control's own default: it is the host's colour all the same.
    PutOk(control.Get(), L"BackColorNormal", Var(0xFFFFFFL).v);
    MemoryBag chosen;
    ASSERT_EQ(As<IPersistPropertyBag>(control.Get())->Save(&chosen, TRUE, TRUE), S_OK);
    Close(control.Get());

    // Stored with the defaults, it follows the container it is loaded into; with colours the
    // host chose, it keeps them.
    InPlaceSite next;
    next.ambient = AmbientColors(back, fore);
    ComPtr<IDispatch> loaded = CreateControl(&next);
    ASSERT_EQ(As<IPersistPropertyBag>(loaded.Get())->Load(&bag, &bag), S_OK);
    EXPECT_EQ(Colors(loaded.Get()), "16711680 65535");
    As<IOleObject>(loaded.Get())->SetClientSite(nullptr);
    ComPtr<IDispatch> kept = CreateControl(&next);
    ASSERT_EQ(As<IPersistPropertyBag>(kept.Get())->Load(&chosen, &chosen), S_OK);
    EXPECT_EQ(Colors(kept.Get()), "16777215 128");
    As<IOleObject>(kept.Get())->SetClientSite(nullptr);
}

// A container whose ambients fail, answer with something no Boolean, colour or font converts
// from, or with an empty object: the control has the system's font and colours and takes the
// user's input as if the container had none.
TEST(Ambient, AnAmbientThatFailsOrIsOfTheWrongTypeLeavesAWorkingControl) {
    const std::string system = SystemFont();
    EXPECT_NE(system, "no font");
    for (const auto& answer : BadAmbientAnswers()) {
        InPlaceSite form;
        form.ambient = answer;
        ComPtr<IDispatch> control = ActiveControl(form, L"first;second");
        EXPECT_EQ(FontOf(control.Get()), system) << "as made";
        As<IOleControl>(control.Get())->OnAmbientPropertyChange(DISPID_UNKNOWN);
        EXPECT_EQ(FontOf(control.Get()), system) << "after the ambients' change";
        EXPECT_EQ(Colors(control.Get()), "16777215 0");
        EXPECT_EQ(PlayUser(control.Get(), form),
                  (Texts{"second False", "second True", "second True"}));
        Close(control.Get());
    }
}

// A container's name for the control is what a screen reader reads when no label names it.
std::string AccessibleName(IUnknown* control) {
    HWND window = nullptr;
    As<IOleWindow>(control)->GetWindow(&window);
    ComPtr<IAccessible> reader;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<::DWORD>(OBJID_CLIENT),
                                            __uuidof(IAccessible),
                                            reinterpret_cast<void**>(reader.GetAddressOf())))) {
        return "<no object>";
    }
    Var self(long{CHILDID_SELF});
    return BstrText([&](BSTR* name) { reader->get_accName(self.v, name); }, "<none>");
}

TEST(Ambient, TheContainersNameIsReadWhenNoLabelNamesTheControl) {
    InPlaceSite form;
    form.ambient = Ambients({DISPID_AMBIENT_DISPLAYNAME},
                            [](DISPID, VARIANT* r) { Var(L"CountryPicker").CopyTo(r); });
    ComPtr<IDispatch> control = CreateControl();
    ASSERT_EQ(form.Activate(control.Get()), S_OK);
    EXPECT_EQ(AccessibleName(control.Get()), "CountryPicker");
    // A label just before the control names it instead.
    HWND label = ::CreateWindowExW(0, L"STATIC", L"Country", WS_CHILD | WS_VISIBLE, 10, 40, 100, 20,
                                   form.window, nullptr, nullptr, nullptr);
    HWND window = nullptr;
    As<IOleWindow>(control.Get())->GetWindow(&window);
    ::SetWindowPos(label, window, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(window, label, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(AccessibleName(control.Get()), "Country");
    Close(control.Get());
}

}  // namespace
}  // namespace cp::test
