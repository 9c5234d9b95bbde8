// The form watcher: which form it watches, what it passes on, and the form's messages that
// close the open list.
#include <functional>
#include <map>
#include <vector>

#include "hosting/basHookListBox.h"
#include "platform/sim/User.h"
#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {
namespace {

// The forms' own procedures, with a recorder in front that stands for the form's own
// handling: it notes each message and whether the watched control's list was open then.
struct FormMessage {
    HWND form;
    UINT message;
    bool listOpen;
};
thread_local std::map<HWND, WNDPROC> gFormProcs;
thread_local std::vector<FormMessage> gFormLog;
thread_local ColumnPick* gControl = nullptr;

LRESULT RecordingFormProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    gFormLog.push_back({hWnd, uMsg, gControl && gControl->ComboBoxIsOpen()});
    return CallWindowProc(gFormProcs.at(hWnd), hWnd, uMsg, wParam, lParam);
}

LONG_PTR ProcOf(HWND hWnd) {
    return GetWindowLong(hWnd, GWL_WNDPROC);
}
const LONG_PTR kRecorder = reinterpret_cast<LONG_PTR>(&RecordingFormProc);
const LONG_PTR kWatcher = reinterpret_cast<LONG_PTR>(&FormWindowProc);

// A host's subclass of the form: it answers a message of its own itself.
constexpr UINT kHostsOwnMessage = 0x8001;
thread_local WNDPROC gHostReplaced = nullptr;
LRESULT HostFormProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == kHostsOwnMessage) return 7;
    return CallWindowProc(gHostReplaced, hWnd, uMsg, wParam, lParam);
}

class FormWatcherTest : public ControlOnForm {
protected:
    FormWatcherTest() {
        Record(form());
        Record(other_);
        gControl = &control();
    }
    ~FormWatcherTest() override {
        for (const auto& [hWnd, own] : gFormProcs) {
            UnsubclassForm(hWnd);
            SetWindowLong(hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        }
        gControl = nullptr;
        gFormProcs.clear();
        gFormLog.clear();
    }

    static void Record(sim::Form& f) {
        gFormProcs[f.Hwnd()] =
            reinterpret_cast<WNDPROC>(SetWindowLong(f.Hwnd(), GWL_WNDPROC, kRecorder));
    }
    std::vector<UINT> MessagesTo(HWND hWnd) const {
        std::vector<UINT> found;
        for (const auto& m : gFormLog)
            if (m.form == hWnd) found.push_back(m.message);
        return found;
    }
    // Opens the list; the tests of closing need the drop-down to open it.
    bool Open() {
        control().ShowDropDown();
        gFormLog.clear();
        return control().ComboBoxIsOpen() && ProcOf(form().Hwnd()) == kWatcher;
    }

    sim::Form other_{world(), {.left = 700}};
};

TEST_F(FormWatcherTest, WatchesOnlyItsFormAndLeavesItToAHostsSubclassAnotherListOrItself) {
    SetDropDownOwner(&control());
    SubclassForm(form().Hwnd());
    SubclassForm(form().Hwnd());    // a second start must not make the watcher its own successor
    UnsubclassForm(other_.Hwnd());  // a closing on another form
    EXPECT_EQ(ProcOf(form().Hwnd()), kWatcher);
    EXPECT_EQ(ProcOf(other_.Hwnd()), kRecorder);
    SendMessage(form().Hwnd(), WM_SETTEXT, 0, 0);
    EXPECT_EQ(MessagesTo(form().Hwnd()), std::vector<UINT>{WM_SETTEXT});

    // Moving to another form gives the first its procedure back.
    SubclassForm(other_.Hwnd());
    EXPECT_EQ(ProcOf(form().Hwnd()), kRecorder);
    UnsubclassForm(form().Hwnd());
    EXPECT_EQ(ProcOf(other_.Hwnd()), kWatcher);
    UnsubclassForm(other_.Hwnd());
    UnsubclassForm(other_.Hwnd());
    EXPECT_EQ(ProcOf(other_.Hwnd()), kRecorder);

    // A subclass that the host puts on the form while the list is open stays in the form's chain
    // when the list closes. Taken off again the classic way, by putting back what it replaced, it
    // leaves the form working when the list opens once more.
    const HWND f = form().Hwnd();
    ASSERT_TRUE(Open());
    gHostReplaced = reinterpret_cast<WNDPROC>(
        SetWindowLong(f, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&HostFormProc)));
    control().HideListBox(AfterHide::FocusEditField);
    EXPECT_EQ(SendMessage(f, kHostsOwnMessage, 0, 0), 7);
    SetWindowLong(f, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(gHostReplaced));
    ASSERT_TRUE(Open());
    SendMessage(f, WM_SETTEXT, 0, 0);
    control().HideListBox(AfterHide::FocusEditField);
    EXPECT_EQ(ProcOf(f), kRecorder);
    EXPECT_EQ(MessagesTo(f), std::vector<UINT>{WM_SETTEXT});

    // The host opens another control's list while this one's is open; this one's closes as the
    // focus leaves it, and the watcher goes on working for the other.
    struct OtherList final : DropDownOwner {
        int closed = 0;
        void CloseDropDown() override { ++closed; }
    } other;
    ASSERT_TRUE(Open());
    SetDropDownOwner(&other);
    control().HideListBox(AfterHide::FocusEditField);
    user().ClickOnForm(form(), 3000, 3000, 1);
    EXPECT_EQ(other.closed, 1);
    ForgetDropDownOwner(&other);

    ASSERT_TRUE(Open());
    world().FailNext("SetParent", 5);  // the closing at the control's end fails half-way
    gControl = nullptr;
    form().RemoveControl(host());
    EXPECT_EQ(ProcOf(form().Hwnd()), kRecorder);
    user().ClickOnForm(form(), 3000, 3000, 1);
    EXPECT_GT(std::ranges::count(MessagesTo(form().Hwnd()), WM_LBUTTONDOWN), 0);
}

TEST_F(FormWatcherTest, PressesDeactivationAndDestructionCloseTheListAndStillReachTheForm) {
    const std::vector<std::pair<UINT, std::function<void()>>> actions = {
        {WM_LBUTTONDOWN, [&] { user().ClickOnForm(form(), 3000, 3000, 1); }},
        {WM_RBUTTONDOWN, [&] { user().ClickOnForm(form(), 3000, 3000, 2); }},
        {WM_NCLBUTTONDOWN, [&] { user().ClickOnCaption(form()); }},
        {WM_ACTIVATE, [&] { user().DeactivateForm(form()); }},
        {WM_ACTIVATEAPP, [&] { user().DeactivateApp(form()); }},
    };
    for (const auto& [message, act] : actions) {
        ASSERT_TRUE(Open());
        SendMessage(form().Hwnd(), WM_ACTIVATE, 1, 0);  // the form becoming active keeps it open
        EXPECT_TRUE(control().ComboBoxIsOpen());
        act();
        EXPECT_FALSE(control().ComboBoxIsOpen()) << message;
        EXPECT_EQ(ProcOf(form().Hwnd()), kRecorder) << message;
        const std::vector<UINT> seen = MessagesTo(form().Hwnd());
        EXPECT_NE(std::find(seen.begin(), seen.end(), message), seen.end()) << message;
    }
    // Destroying the form closes the list first.
    ASSERT_TRUE(Open());
    user().DestroyForm(form());
    const auto destroy = std::find_if(gFormLog.begin(), gFormLog.end(), [&](const auto& m) {
        return m.form == form().Hwnd() && m.message == WM_DESTROY;
    });
    ASSERT_NE(destroy, gFormLog.end());
    EXPECT_FALSE(destroy->listOpen);
}

}  // namespace
}  // namespace cp::test
