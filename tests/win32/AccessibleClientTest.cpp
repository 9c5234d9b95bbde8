// A reader's view of the real control: the client calls that screen readers make through
// oleacc, and the events an in-context hook hears while a user types and picks.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/WindowsApi.h"
#include "tests/win32/RealControl.h"

#include <oleacc.h>

namespace cp::test {
namespace {

constexpr int kRows = 40;

// COM for the client's calls, for the life of one test.
struct ComApartment {
    ComApartment() { ::CoInitialize(nullptr); }
    ~ComApartment() { ::CoUninitialize(); }
};

// A form with a label and then the control that it names, filled with kRows rows of three
// columns, the second hidden.
std::unique_ptr<RealControl> ReaderScene() {
    auto scene = std::make_unique<RealControl>(win32::Placement{}, L"&Country:");
    scene->control().ColumnCount(3);
    scene->control().ColumnWidths("1200;0;600");
    for (int r = 0; r < kRows; ++r)
        scene->control().AddItem("Land " + std::to_string(r) + ";x;L" + std::to_string(r));
    Pump();
    return scene;
}

::IAccessible* ObjectOf(HWND window) {
    ::IAccessible* object = nullptr;
    EXPECT_EQ(::AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(::IAccessible),
                                           reinterpret_cast<void**>(&object)),
              S_OK);
    return object;
}

::VARIANT Child(long id) {
    ::VARIANT v{};
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// A BSTR member's answer as UTF-16.
template <class Member>
std::wstring Read(Member&& member) {
    BSTR b = nullptr;
    EXPECT_EQ(member(&b), S_OK);
    std::wstring text = b != nullptr ? std::wstring(b, ::SysStringLen(b)) : std::wstring();
    ::SysFreeString(b);
    return text;
}

std::wstring Name(::IAccessible* object, long id) {
    return Read([&](BSTR* b) { return object->get_accName(Child(id), b); });
}

long LongOf(::IAccessible* object, long id,
            HRESULT (STDMETHODCALLTYPE ::IAccessible::*member)(::VARIANT, ::VARIANT*)) {
    ::VARIANT v{};
    EXPECT_EQ((object->*member)(Child(id), &v), S_OK);
    return v.vt == VT_I4 ? v.lVal : -1;
}

// Where accNavigate leads from `from` in `direction`: a child, 0 for nowhere (S_FALSE), -1 for
// a refused start.
long NavigateFrom(::IAccessible* object, long from, long direction) {
    ::VARIANT end;
    const HRESULT hr = object->accNavigate(direction, Child(from), &end);
    if (hr == S_OK && end.vt == VT_I4) return end.lVal;
    EXPECT_EQ(end.vt, VT_EMPTY);
    return hr == S_FALSE ? 0 : hr == E_INVALIDARG ? -1 : -2;
}

constexpr auto kRole = &::IAccessible::get_accRole;
constexpr auto kState = &::IAccessible::get_accState;

long Children(::IAccessible* object) {
    long count = -1;
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    return count;
}

class AccessibleClient : public ::testing::Test {
protected:
    ComApartment com;
    std::unique_ptr<RealControl> scene = ReaderScene();
};

TEST_F(AccessibleClient, TheOpenListReadsItsRowsAsTheyAreShown) {
    scene->control().Text("Land 20");
    scene->control().ShowDropDown();
    Pump();
    ::IAccessible* list = ObjectOf(scene->List());
    ASSERT_NE(list, nullptr);

    const long current = 21;
    EXPECT_EQ(
        (std::vector{Children(list), LongOf(list, CHILDID_SELF, kRole), LongOf(list, 1, kRole)}),
        (std::vector<long>{kRows, ROLE_SYSTEM_LIST, ROLE_SYSTEM_LISTITEM}));
    EXPECT_EQ((std::vector{Name(list, 1), Name(list, kRows), Name(list, current)}),
              (std::vector<std::wstring>{L"Land 0, L0", L"Land 39, L39", L"Land 20, L20"}));

    // The current row is selected and focused; a row out of view says so.
    constexpr long kOut = STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_INVISIBLE;
    EXPECT_EQ(
        (std::vector{
            LongOf(list, current, kState) & (kOut | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
            LongOf(list, 1, kState) & (STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_SELECTED)}),
        (std::vector<long>{STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED, STATE_SYSTEM_OFFSCREEN}));

    // The row's place is the band the list draws it in, on the screen.
    ::RECT band{};
    ::SendMessageW(scene->List(), LB_GETITEMRECT, current - 1, reinterpret_cast<LPARAM>(&band));
    ::MapWindowPoints(scene->List(), nullptr, reinterpret_cast<::POINT*>(&band), 2);
    long x = 0, y = 0, w = 0, h = 0;
    EXPECT_EQ(list->accLocation(&x, &y, &w, &h, Child(current)), S_OK);
    EXPECT_EQ((std::vector{x, y, x + w, y + h}),
              (std::vector<long>{band.left, band.top, band.right, band.bottom}));
    ::VARIANT hit;
    EXPECT_EQ(list->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, current);

    // A reader steps down the rows and back up, from the list to its first or last one.
    const std::vector<long> steps = {
        NavigateFrom(list, CHILDID_SELF, NAVDIR_FIRSTCHILD),
        NavigateFrom(list, CHILDID_SELF, NAVDIR_LASTCHILD),
        NavigateFrom(list, current, NAVDIR_DOWN),
        NavigateFrom(list, current, NAVDIR_PREVIOUS),
        NavigateFrom(list, kRows, NAVDIR_NEXT),
        NavigateFrom(list, 1, NAVDIR_UP),
        NavigateFrom(list, current, NAVDIR_RIGHT),
        NavigateFrom(list, CHILDID_SELF, NAVDIR_NEXT),
        NavigateFrom(list, current, NAVDIR_FIRSTCHILD),
    };
    EXPECT_EQ(steps, (std::vector<long>{1, kRows, current + 1, current - 1, 0, 0, 0, 0, -1}));

    // The default action picks the next row as a click does.
    EXPECT_EQ(list->accDoDefaultAction(Child(current + 1)), S_OK);
    Pump();
    EXPECT_EQ(scene->events.Count("AfterUpdate"), 1) << scene->events.Joined();
    EXPECT_EQ(scene->control().Text(), "Land 21");
    EXPECT_FALSE(scene->control().ComboBoxIsOpen());
    list->Release();
}

TEST_F(AccessibleClient, TheControlIsAComboBoxNamedByItsLabelWithItsHeaderAsAThirdChild) {
    scene->control().Text("Land 3");
    ::IAccessible* combo = ObjectOf(scene->Window());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ((std::vector{LongOf(combo, CHILDID_SELF, kRole), Children(combo)}),
              (std::vector<long>{ROLE_SYSTEM_COMBOBOX, 2}));
    EXPECT_EQ(Name(combo, CHILDID_SELF), L"Country:");
    EXPECT_EQ(Read([&](BSTR* b) { return combo->get_accValue(Child(CHILDID_SELF), b); }),
              L"Land 3");
    ::IDispatch* listChild = nullptr;
    EXPECT_EQ(combo->get_accChild(Child(2), &listChild), S_OK);
    ASSERT_NE(listChild, nullptr);
    listChild->Release();

    // The default action opens the list and closes it again.
    EXPECT_EQ(combo->accDoDefaultAction(Child(CHILDID_SELF)), S_OK);
    EXPECT_TRUE(scene->control().ComboBoxIsOpen());
    EXPECT_TRUE(LongOf(combo, CHILDID_SELF, kState) & STATE_SYSTEM_EXPANDED);
    EXPECT_EQ(combo->accDoDefaultAction(Child(CHILDID_SELF)), S_OK);
    EXPECT_FALSE(scene->control().ComboBoxIsOpen());

    // A name the host gives wins over the label.
    scene->control().AccessibleName("Land of birth");
    EXPECT_EQ(Name(combo, CHILDID_SELF), L"Land of birth");

    // The header is the control's third child, with a column header per shown column.
    scene->control().ColumnHeads(true);
    scene->control().ColumnCaptions("Country;Hidden;Code");
    EXPECT_EQ(Children(combo), 3);
    ::IDispatch* dispatch = nullptr;
    ASSERT_EQ(combo->get_accChild(Child(3), &dispatch), S_OK);
    ::IAccessible* header = nullptr;
    ASSERT_EQ(dispatch->QueryInterface(__uuidof(::IAccessible), reinterpret_cast<void**>(&header)),
              S_OK);
    dispatch->Release();
    EXPECT_TRUE(LongOf(header, CHILDID_SELF, kState) & STATE_SYSTEM_INVISIBLE);

    scene->control().ShowDropDown();
    Pump();
    EXPECT_EQ(
        (std::vector{LongOf(header, CHILDID_SELF, kRole), Children(header),
                     LongOf(header, 1, kRole), LongOf(header, 2, kState)}),
        (std::vector<long>{ROLE_SYSTEM_LIST, 2, ROLE_SYSTEM_COLUMNHEADER, STATE_SYSTEM_READONLY}));
    EXPECT_EQ((std::vector{Name(header, 1), Name(header, 2)}),
              (std::vector<std::wstring>{L"Country", L"Code"}));

    // Each caption stands above its column, in the band over the list's first shown row, and a
    // point there finds the caption, not a row.
    ::RECT firstRow{};
    const LRESULT top = ::SendMessageW(scene->List(), LB_GETTOPINDEX, 0, 0);
    ::SendMessageW(scene->List(), LB_GETITEMRECT, top, reinterpret_cast<LPARAM>(&firstRow));
    ::MapWindowPoints(scene->List(), nullptr, reinterpret_cast<::POINT*>(&firstRow), 2);
    long x = 0, y = 0, w = 0, h = 0;
    EXPECT_EQ(header->accLocation(&x, &y, &w, &h, Child(1)), S_OK);
    EXPECT_EQ((std::pair{x, y + h + 1}), (std::pair{firstRow.left, firstRow.top}));
    EXPECT_TRUE(w > 0 && h > 0) << w << " x " << h;
    ::VARIANT hit;
    EXPECT_EQ(header->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
    EXPECT_EQ(hit.lVal, 1);
    EXPECT_EQ(combo->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
    EXPECT_EQ(hit.lVal, 3);
    // The captions follow each other to the right.
    const std::vector<long> steps = {
        NavigateFrom(header, CHILDID_SELF, NAVDIR_LASTCHILD),
        NavigateFrom(header, 1, NAVDIR_RIGHT),
        NavigateFrom(header, 2, NAVDIR_LEFT),
        NavigateFrom(header, 2, NAVDIR_NEXT),
        NavigateFrom(header, 1, NAVDIR_DOWN),
    };
    EXPECT_EQ(steps, (std::vector<long>{2, 2, 1, 0, 0}));

    // It takes no part in choosing: no action, no selection, and the rows keep their numbers.
    EXPECT_EQ(header->accDoDefaultAction(Child(1)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(header->accSelect(SELFLAG_TAKESELECTION, Child(1)), DISP_E_MEMBERNOTFOUND);
    EXPECT_TRUE(scene->control().ComboBoxIsOpen());
    EXPECT_EQ(scene->events.Count("AfterUpdate"), 0);
    ::IAccessible* list = ObjectOf(scene->List());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Children(list), kRows);
    EXPECT_EQ(Name(list, 1), L"Land 0, L0");
    list->Release();

    scene->control().ColumnHeads(false);
    EXPECT_EQ(Children(combo), 2);
    header->Release();
    combo->Release();
}

TEST_F(AccessibleClient, BadChildrenAndAnEndedControlAreRefused) {
    scene->control().ShowDropDown();
    ::IAccessible* list = ObjectOf(scene->List());
    ASSERT_NE(list, nullptr);
    BSTR name = nullptr;
    for (const long id : {-1L, 0L + kRows + 1, 1000000L}) {
        EXPECT_EQ(list->get_accName(Child(id), &name), E_INVALIDARG) << id;
        EXPECT_EQ(name, nullptr);
    }
    // A row removed while the list is open.
    scene->control().RemoveItem(kRows - 1);
    EXPECT_EQ(list->get_accName(Child(kRows), &name), E_INVALIDARG);

    // The reader holds the object past the control's end.
    scene.reset();
    long count = 0;
    EXPECT_EQ(list->get_accChildCount(&count), RPC_E_DISCONNECTED);
    EXPECT_EQ(list->get_accName(Child(1), &name), RPC_E_DISCONNECTED);
    EXPECT_EQ(list->accDoDefaultAction(Child(1)), RPC_E_DISCONNECTED);
    list->Release();
}

// --- The events of a typing-and-picking session, as an in-context hook hears them ----------

struct HeardEvent {
    ::DWORD event;
    HWND hwnd;
    ::LONG child;
};
std::vector<HeardEvent>* gHeard = nullptr;

void CALLBACK Hear(HWINEVENTHOOK, ::DWORD event, HWND hwnd, ::LONG object, ::LONG child, ::DWORD,
                   ::DWORD) {
    if (gHeard != nullptr && (object == OBJID_CLIENT || object == OBJID_WINDOW))
        gHeard->push_back({event, hwnd, child});
}

TEST_F(AccessibleClient, AHookHearsATypingAndPickingSessionInOrder) {
    RealControl& s = *scene;
    ::SetForegroundWindow(s.form.hWnd());
    ::SetFocus(s.Edit());
    Pump();
    std::vector<HeardEvent> heard;
    gHeard = &heard;
    HWINEVENTHOOK hook =
        ::SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_VALUECHANGE, ::GetModuleHandleW(nullptr),
                          &Hear, ::GetCurrentProcessId(), 0, WINEVENT_INCONTEXT);
    ASSERT_NE(hook, nullptr);

    // Alt+Down opens, "Land 1" goes to row 1, Down to row 2, and Enter commits it.
    PressAltDown();
    Pump();
    TypeKeys("Land 1");
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    Pump();
    ::UnhookWinEvent(hook);
    gHeard = nullptr;
    ASSERT_EQ(s.control().Text(), "Land 2") << s.events.Joined();

    const std::map<::DWORD, std::string> names = {{EVENT_OBJECT_SHOW, "show"},
                                                  {EVENT_OBJECT_HIDE, "hide"},
                                                  {EVENT_OBJECT_FOCUS, "focus"},
                                                  {EVENT_OBJECT_SELECTION, "selection"},
                                                  {EVENT_OBJECT_VALUECHANGE, "value"}};
    std::string got;
    for (const HeardEvent& e : heard) {
        const bool list = e.hwnd == s.List();
        if (!list && e.hwnd != s.Window()) continue;
        const auto name = names.find(e.event);
        std::string said = name != names.end() ? name->second : "event " + std::to_string(e.event);
        if (e.event == EVENT_OBJECT_FOCUS || e.event == EVENT_OBJECT_SELECTION)
            said += " " + std::to_string(e.child);
        else if (list && (e.event == EVENT_OBJECT_SHOW || e.event == EVENT_OBJECT_HIDE))
            said += " list";
        got += (got.empty() ? "" : ", ") + said;
    }
    // Each letter typed over the completed tail is completed again: a new value each time.
    EXPECT_EQ(got,
              "show list, focus 1, selection 1, value, value, value, value, value, focus 2, "
              "selection 2, value, focus 3, selection 3, value, hide list, value");
}

}  // namespace
}  // namespace cp::test
