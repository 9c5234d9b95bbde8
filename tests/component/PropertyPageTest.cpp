// The control's property page and named values as a form designer uses them: the pages the
// control lists, its own page created by its class, shown in the designer's window, edited by
// typing and applied through the control (whose sinks hear of each change and whose checks
// refuse a bad value); the same page in the system's modal property frame; and the names of the
// enumerated properties' values that a property browser offers.
#include "tests/component/EventSink.h"
#include "tests/component/InPlaceSite.h"
#include "tests/support/win32/MessageBoxWatch.h"

#include <prsht.h>

#include <tuple>

namespace cp::test {
namespace {

constexpr const wchar_t* kPageClass = L"ColumnPickPropertyPage";
const CLSID kStockColorPage = {
    0x7EBDAAE1, 0x8120, 0x11CF, {0x89, 0x9F, 0x00, 0xAA, 0x00, 0x68, 0x8B, 0x10}};
const CLSID kStockFontPage = {
    0x7EBDAAE0, 0x8120, 0x11CF, {0x89, 0x9F, 0x00, 0xAA, 0x00, 0x68, 0x8B, 0x10}};
constexpr const char* kListRowsRange = "The value for this property can vary between 2 and 15.";

// A frame's site of the page: the statuses the page reports.
class PageSite final : public StackObject<IPropertyPageSite> {
public:
    std::vector<::DWORD> statuses;

    HRESULT STDMETHODCALLTYPE OnStatusChange(::DWORD flags) override {
        statuses.push_back(flags);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* lcid) override {
        *lcid = LOCALE_USER_DEFAULT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }
};

CLSID OwnPageOf(IUnknown* control) {
    CAUUID pages{};
    EXPECT_EQ(As<ISpecifyPropertyPages>(control)->GetPages(&pages), S_OK);
    const std::vector<CLSID> listed(pages.pElems, pages.pElems + pages.cElems);
    ::CoTaskMemFree(pages.pElems);
    // Its own first, then the stock colour and font pages.
    const CLSID own = listed.empty() ? CLSID_NULL : listed[0];
    EXPECT_EQ(listed, (std::vector{own, kStockColorPage, kStockFontPage}));
    return own;
}

HWND Descendant(HWND parent, const wchar_t* className) {
    if (HWND direct = ::FindWindowExW(parent, nullptr, className, nullptr)) return direct;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (HWND found = Descendant(child, className)) return found;
    }
    return nullptr;
}

// A setting's field, found by its label as a user finds it.
HWND FieldOf(HWND page, const wchar_t* label) {
    HWND caption = ::FindWindowExW(page, nullptr, L"Static", label);
    return caption != nullptr ? ::GetWindow(caption, GW_HWNDNEXT) : nullptr;
}

std::string TextOf(HWND hWnd) {
    return win32::Narrow(win32::WindowText(hWnd));
}

// Replaces the field's text key by key.
void TypeInto(HWND field, const wchar_t* text) {
    ::SetFocus(field);
    ::SendMessageW(field, EM_SETSEL, 0, -1);
    for (const wchar_t* c = text; *c != 0; ++c)
        ::SendMessageW(field, WM_CHAR, *c, 1);
}

// Picks a choice of a list field, which tells its parent as a click would.
void Choose(HWND list, int index) {
    ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(::GetParent(list), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
}

// A form designer's control, in design mode in the designer's window, and a bound field that
// hears its changes.
class PropertyPages : public ::testing::Test {
protected:
    void SetUp() override {
        designer.userMode = false;
        ASSERT_EQ(designer.Activate(control.Get()), S_OK);
        ASSERT_TRUE(heard.Connect());
    }
    void TearDown() override {
        heard.Disconnect();
        Close(control.Get());
    }

    // The control's own page for `objects`, active in the designer's window.
    ComPtr<IPropertyPage2> OpenPage(std::vector<IUnknown*> objects) {
        ComPtr<IPropertyPage2> page;
        EXPECT_EQ(
            ::CoCreateInstance(OwnPageOf(control.Get()), nullptr, CLSCTX_INPROC_SERVER,
                               IID_IPropertyPage2, reinterpret_cast<void**>(page.GetAddressOf())),
            S_OK);
        if (!page) return page;
        EXPECT_EQ(page->SetPageSite(&site), S_OK);
        EXPECT_EQ(page->SetObjects(static_cast<ULONG>(objects.size()), objects.data()), S_OK);
        PROPPAGEINFO info{};
        EXPECT_EQ(page->GetPageInfo(&info), S_OK);
        EXPECT_EQ(win32::Narrow(info.pszTitle), "List");
        ::CoTaskMemFree(info.pszTitle);
        const ::RECT place{0, 0, info.size.cx, info.size.cy};
        EXPECT_EQ(page->Activate(designer.window, &place, TRUE), S_OK);
        EXPECT_EQ(page->Show(SW_SHOW), S_OK);
        window = ::FindWindowExW(designer.window, nullptr, kPageClass, nullptr);
        EXPECT_NE(window, nullptr);
        return page;
    }
    void ClosePage(IPropertyPage2* page) {
        EXPECT_EQ(page->Deactivate(), S_OK);
        EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
        EXPECT_EQ(page->SetPageSite(nullptr), S_OK);
        EXPECT_EQ(::FindWindowExW(designer.window, nullptr, kPageClass, nullptr), nullptr);
    }
    // The settings as the page's fields show them, and as `object` holds them.
    Texts Shown(std::initializer_list<const wchar_t*> names) const {
        Texts texts;
        for (const wchar_t* name : names)
            texts.push_back(TextOf(FieldOf(window, name)));
        return texts;
    }
    static Texts Held(IDispatch* object, std::initializer_list<const wchar_t*> names) {
        Texts texts;
        for (const wchar_t* name : names)
            texts.push_back(GetText(object, name));
        return texts;
    }

    InPlaceSite designer;
    ComPtr<IDispatch> control = CreateControl();
    NotifySink heard{control.Get()};
    PageSite site;
    HWND window = nullptr;  // the page's window
};

TEST_F(PropertyPages, ThePageAppliesTheChangedSettingsKeepsTheFramesKeysAndRefusesBadValues) {
    ComPtr<IPropertyPage2> page = OpenPage({control.Get()});
    ASSERT_TRUE(page && window);
    EXPECT_EQ(Shown({L"ListRows", L"ListWidth", L"Appearance"}), (Texts{"8", "-1", "2 - lb3D"}));
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);

    TypeInto(FieldOf(window, L"ListRows"), L"12");
    Choose(FieldOf(window, L"Appearance"), 0);
    ::SendMessageW(FieldOf(window, L"Locked"), BM_CLICK, 0, 0);
    EXPECT_EQ(site.statuses.empty() ? 0 : site.statuses.back(),
              ::DWORD{PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE});
    EXPECT_EQ(page->IsPageDirty(), S_OK);
    EXPECT_EQ(Held(control.Get(), {L"ListRows", L"Appearance", L"Locked"}),
              (Texts{"8", "2", "False"}))
        << "nothing applied before Apply";

    EXPECT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(Held(control.Get(), {L"ListRows", L"Appearance", L"Locked"}),
              (Texts{"12", "0", "True"}));
    EXPECT_EQ(heard.log, (Texts{"Changed(ListRows)", "Changed(Appearance)", "Changed(Locked)"}))
        << "one change each, in the page's order";
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);

    // The frame around the page keeps its own keys: Enter and Escape for its buttons, Alt for
    // its mnemonics, Tab out of the page's last field to its own buttons. Tab between the
    // page's fields is the page's.
    const auto offer = [&](const wchar_t* label, UINT message, WPARAM key) {
        HWND field = FieldOf(window, label);
        ::SetFocus(field);
        MSG msg{field, message, key, 0, 0, {}};
        return page->TranslateAccelerator(&msg);
    };
    EXPECT_EQ(
        (std::vector{
            offer(L"ListRows", WM_KEYDOWN, VK_RETURN), offer(L"ListRows", WM_KEYDOWN, VK_ESCAPE),
            offer(L"ListRows", WM_SYSKEYDOWN, 'A'), offer(L"ColumnAlignments", WM_KEYDOWN, VK_TAB),
            offer(L"ColumnCount", WM_KEYDOWN, VK_TAB)}),
        (std::vector<HRESULT>{S_FALSE, S_FALSE, S_FALSE, S_FALSE, S_OK}));
    EXPECT_EQ(::GetFocus(), FieldOf(window, L"ColumnWidths"));

    // The control's own message for a value out of range, the control's error for any other
    // refusal: the value stays unapplied, unheard by bound fields, in the dirty page, and the
    // settings before it are applied.
    heard.log.clear();
    MessageBoxWatch boxes;
    // The field, what the user types into it, and the message that refuses it.
    for (const auto& [field, typed, message] :
         {std::tuple{L"ListWidth", L"100", "The minimum value for this property is 390."},
          std::tuple{L"ListRows", L"many", "Type mismatch"},
          std::tuple{L"ColumnCount", L"0", "The number of columns must be 1 or more."}}) {
        const std::string label = win32::Narrow(field) + " = " + win32::Narrow(typed);
        const std::string before = GetText(control.Get(), field);
        TypeInto(FieldOf(window, field), typed);
        boxes.Clear();
        EXPECT_EQ(page->Apply(), E_FAIL);
        Texts prompts;
        for (const ShownMessageBox& box : boxes.Calls())
            prompts.push_back(box.prompt);
        // What the user and a bound field see: the boxes, the control's value, the field, what
        // was heard and whether the page is dirty.
        const Texts seen = {GetText(control.Get(), field), TextOf(FieldOf(window, field)),
                            page->IsPageDirty() == S_OK ? "dirty" : "clean"};
        EXPECT_EQ(prompts, Texts{message}) << label;
        EXPECT_EQ(seen, (Texts{before, win32::Narrow(typed), "dirty"})) << label;
        EXPECT_TRUE(heard.log.empty()) << label << " was heard";
        TypeInto(FieldOf(window, field), win32::Widen(before).c_str());
    }

    // A refused value stops the apply where it stands.
    TypeInto(FieldOf(window, L"ColumnCount"), L"3");
    TypeInto(FieldOf(window, L"ListRows"), L"1");
    boxes.Clear();
    EXPECT_EQ(page->Apply(), E_FAIL);
    EXPECT_EQ(Held(control.Get(), {L"ColumnCount", L"ListRows"}), (Texts{"3", "12"}));
    EXPECT_EQ(::GetFocus(), FieldOf(window, L"ListRows"));
    TypeInto(FieldOf(window, L"ListRows"), L"2");
    EXPECT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(GetText(control.Get(), L"ListRows"), "2");
    EXPECT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(heard.log, (Texts{"Changed(ColumnCount)", "Changed(ListRows)"}));
    ClosePage(page.Get());
}

TEST_F(PropertyPages, EveryControlOfTheSelectionTakesTheChange) {
    ComPtr<IDispatch> other = CreateControl();
    PutOk(other.Get(), L"ListRows", Var(short{4}).v);
    ComPtr<IPropertyPage2> page = OpenPage({control.Get(), other.Get()});
    ASSERT_TRUE(page && window);
    EXPECT_EQ(Shown({L"ListRows"}), Texts{"8"}) << "the first control's values";
    TypeInto(FieldOf(window, L"ColumnCount"), L"2");
    TypeInto(FieldOf(window, L"ColumnWidths"), L"1000;500");
    EXPECT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(Held(control.Get(), {L"ColumnCount", L"ListRows"}), (Texts{"2", "8"}));
    EXPECT_EQ(Held(other.Get(), {L"ColumnCount", L"ListRows"}), (Texts{"2", "4"}))
        << "an unchanged setting is not applied";
    // The objects may go while the page lives; a page without objects applies to none.
    EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);
    EXPECT_EQ(page->EditProperty(iface::dispid::ListRows), S_OK);
    EXPECT_EQ(page->EditProperty(iface::dispid::Text), E_NOTIMPL);
    IUnknown* none[] = {nullptr};
    EXPECT_EQ(page->SetObjects(1, none), E_NOINTERFACE);
    EXPECT_EQ(page->SetObjects(1, nullptr), E_POINTER);
    EXPECT_EQ(page->GetPageInfo(nullptr), E_POINTER);
    EXPECT_EQ(page->Activate(designer.window, nullptr, TRUE), E_POINTER);
    ClosePage(page.Get());
}

Texts Strings(const CALPOLESTR& strings) {
    Texts result;
    for (ULONG i = 0; i < strings.cElems; ++i) {
        result.push_back(win32::Narrow(strings.pElems[i]));
        ::CoTaskMemFree(strings.pElems[i]);
    }
    ::CoTaskMemFree(strings.pElems);
    return result;
}

std::string DisplayString(IPerPropertyBrowsing* browsing, DISPID id) {
    return BstrText([&](BSTR* text) { EXPECT_EQ(browsing->GetDisplayString(id, text), S_OK); },
                    "<none>");
}

TEST_F(PropertyPages, APropertyBrowserOffersTheNamedValuesAndGetsTheStandardFailures) {
    ComPtr<IPerPropertyBrowsing> browsing = As<IPerPropertyBrowsing>(control.Get());
    ASSERT_TRUE(browsing);
    const DISPID appearance = iface::dispid::Appearance;
    const DISPID matchMode = iface::dispid::MatchMode;
    CALPOLESTR strings{};
    CADWORD cookies{};
    ASSERT_EQ(browsing->GetPredefinedStrings(appearance, &strings, &cookies), S_OK);
    EXPECT_EQ(Strings(strings), (Texts{"0 - lbFlat", "1 - lbFlatNoBorder", "2 - lb3D"}));
    ASSERT_EQ(cookies.cElems, 3u);
    Var value;
    EXPECT_EQ(browsing->GetPredefinedValue(appearance, cookies.pElems[1], &value.v), S_OK);
    ::CoTaskMemFree(cookies.pElems);
    EXPECT_EQ(V_VT(&value.v), VT_I4);
    PutOk(control.Get(), L"Appearance", value.v);
    EXPECT_EQ(DisplayString(browsing.Get(), appearance), "1 - lbFlatNoBorder");
    PutOk(control.Get(), L"Appearance", Var(7L).v);
    EXPECT_EQ(DisplayString(browsing.Get(), appearance), "7") << "a value without a name";

    ASSERT_EQ(browsing->GetPredefinedStrings(matchMode, &strings, &cookies), S_OK);
    EXPECT_EQ(Strings(strings),
              (Texts{"0 - Start of the first column", "1 - Start of a word", "2 - Any part"}));
    ::CoTaskMemFree(cookies.pElems);
    EXPECT_EQ(browsing->GetPredefinedValue(matchMode, 2, &value.v), S_OK);
    EXPECT_EQ(V_VT(&value.v), VT_I2);
    PutOk(control.Get(), L"MatchMode", value.v);
    EXPECT_EQ(DisplayString(browsing.Get(), matchMode), "2 - Any part");
    EXPECT_EQ(browsing->GetPredefinedValue(matchMode, 9, &value.v), E_INVALIDARG);
    EXPECT_EQ(V_VT(&value.v), VT_EMPTY);

    CLSID page{};
    EXPECT_EQ(browsing->MapPropertyToPage(iface::dispid::ListRows, &page), S_OK);
    EXPECT_EQ(page, OwnPageOf(control.Get()));
    EXPECT_EQ(browsing->MapPropertyToPage(iface::dispid::BackColorNormal, &page), S_OK);
    EXPECT_EQ(page, kStockColorPage);
    EXPECT_EQ(browsing->MapPropertyToPage(DISPID_FONT, &page), S_OK);
    EXPECT_EQ(page, kStockFontPage);
    EXPECT_EQ(browsing->MapPropertyToPage(iface::dispid::Text, &page), PERPROP_E_NOPAGEAVAILABLE);
    EXPECT_EQ(page, CLSID_NULL);

    // A property without names, one the control does not have, and pointers to nothing: every
    // [out] parameter is set whatever the answer.
    for (const auto& [id, expected] : {std::pair{DISPID{iface::dispid::ListRows}, E_NOTIMPL},
                                       std::pair{DISPID{12345}, DISP_E_MEMBERNOTFOUND}}) {
        const std::string label = "dispid " + std::to_string(id);
        CALPOLESTR strings{1, reinterpret_cast<LPOLESTR*>(1)};
        CADWORD cookies{1, reinterpret_cast<::DWORD*>(1)};
        EXPECT_EQ(browsing->GetPredefinedStrings(id, &strings, &cookies), expected) << label;
        EXPECT_TRUE(strings.cElems == 0 && strings.pElems == nullptr) << label;
        EXPECT_TRUE(cookies.cElems == 0 && cookies.pElems == nullptr) << label;
        Var value(1L);
        EXPECT_EQ(browsing->GetPredefinedValue(id, 0, &value.v), expected) << label;
        EXPECT_EQ(V_VT(&value.v), VT_EMPTY) << label;
        BSTR text = reinterpret_cast<BSTR>(1);
        EXPECT_EQ(browsing->GetDisplayString(id, &text), expected) << label;
        EXPECT_EQ(text, nullptr) << label;
    }
    page = kStockFontPage;
    EXPECT_EQ(browsing->MapPropertyToPage(12345, &page), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(page, CLSID_NULL);
    cookies = {};
    EXPECT_EQ(browsing->GetPredefinedStrings(appearance, nullptr, &cookies), E_POINTER);
    EXPECT_EQ(browsing->GetPredefinedValue(appearance, 0, nullptr), E_POINTER);
    EXPECT_EQ(browsing->GetDisplayString(appearance, nullptr), E_POINTER);
    EXPECT_EQ(browsing->MapPropertyToPage(appearance, nullptr), E_POINTER);
    EXPECT_EQ(As<ISpecifyPropertyPages>(control.Get())->GetPages(nullptr), E_POINTER);
}

// A user at the system's modal property frame, played from a timer of the thread, whose
// messages the frame's own loop (and a message box's) dispatches: each step waits for the
// window it needs. A frame that does not close in time is cancelled and the test fails.
class FrameUser {
public:
    FrameUser() {
        tUser = this;
        timer_ = ::SetTimer(nullptr, 0, kTickMs, &Tick);
    }
    ~FrameUser() {
        ::KillTimer(nullptr, timer_);
        tUser = nullptr;
    }
    FrameUser(const FrameUser&) = delete;
    FrameUser& operator=(const FrameUser&) = delete;

    Texts boxes;  // the messages answered, in order
    bool timedOut = false;
    // The user pressed OK on the good value: the frame closed on it once it has returned.
    bool Finished() const { return step_ == 2; }

private:
    static constexpr UINT kTickMs = 50;
    static constexpr int kLongestTicks = 400;  // 20 seconds

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, ::DWORD) {
        if (tUser != nullptr && !tUser->Finished() && !tUser->timedOut) tUser->Step();
    }
    // Where shown, the thread's frame (the dialog holding the page) and its message box.
    using Shown = std::pair<HWND, HWND>;
    static BOOL CALLBACK Look(HWND hWnd, LPARAM shown) {
        wchar_t name[16] = {};
        ::GetClassNameW(hWnd, name, 16);
        if (!::IsWindowVisible(hWnd) || ::lstrcmpW(name, L"#32770") != 0) return TRUE;
        auto& found = *reinterpret_cast<Shown*>(shown);
        (Descendant(hWnd, kPageClass) ? found.first : found.second) = hWnd;
        return TRUE;
    }
    void PressOk(HWND frame, const wchar_t* rows) {
        TypeInto(FieldOf(Descendant(frame, kPageClass), L"ListRows"), rows);
        ::PostMessageW(frame, PSM_PRESSBUTTON, PSBTN_OK, 0);
        ++step_;
    }
    void Step() {
        Shown shown;
        ::EnumThreadWindows(::GetCurrentThreadId(), &Look, reinterpret_cast<LPARAM>(&shown));
        const auto [frame, box] = shown;
        if (++ticks_ > kLongestTicks) {
            timedOut = true;
            if (box != nullptr) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            if (frame != nullptr) ::PostMessageW(frame, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            return;
        }
        if (box != nullptr) {
            boxes.push_back(ReadMessageBox(box).prompt);
            ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            return;
        }
        if (step_ == 0 && frame != nullptr) {
            PressOk(frame, L"16");
        } else if (step_ == 1 && frame != nullptr && !boxes.empty()) {
            PressOk(frame, L"12");
        }
    }

    static inline thread_local FrameUser* tUser = nullptr;
    UINT_PTR timer_ = 0;
    int step_ = 0;   // 0: waits for the frame; 1: for the refusal; 2: done
    int ticks_ = 0;  // timer ticks so far
};

// The designer shows the control's pages in the system's frame; the user types a value out of
// range and presses OK (the control refuses it, the frame stays), then a good one.
TEST_F(PropertyPages, TheSystemsPropertyFrameShowsThePageAndAppliesItsValues) {
    CAUUID pages{};
    ASSERT_EQ(As<ISpecifyPropertyPages>(control.Get())->GetPages(&pages), S_OK);
    IUnknown* objects[] = {control.Get()};
    FrameUser user;
    const HRESULT hr =
        ::OleCreatePropertyFrame(designer.window, 10, 10, L"ColumnPick1", 1, objects, pages.cElems,
                                 pages.pElems, LOCALE_USER_DEFAULT, 0, nullptr);
    ::CoTaskMemFree(pages.pElems);
    EXPECT_EQ(hr, S_OK);
    EXPECT_FALSE(user.timedOut) << "the frame did not close";
    EXPECT_TRUE(user.Finished());
    EXPECT_EQ(user.boxes, Texts{kListRowsRange});
    EXPECT_EQ(GetText(control.Get(), L"ListRows"), "12");
    EXPECT_EQ(heard.log, Texts{"Changed(ListRows)"});
}

}  // namespace
}  // namespace cp::test
