// The creation hook that makes each control's list box a virtual list, and the drawing
// subclass of the control's window.
#include <string>
#include <vector>

#include "listview/MVirtualList.h"
#include "platform/sim/ListBoxClass.h"
#include "platform/sim/SimWindowApi.h"
#include "tests/listview/ListViewFixture.h"

namespace cp::test {
namespace {

constexpr LONG_PTR kVirtualStyles = LBS_NODATA | LBS_OWNERDRAWFIXED;

bool IsVirtual(HWND list) {
    const sim::ListBoxState* state = sim::InspectListBox(list);
    return state && (state->style & kVirtualStyles) == kVirtualStyles &&
           (GetWindowLong(list, GWL_STYLE) & kVirtualStyles) == kVirtualStyles;
}

HWND CreateListBox(HWND parent, const char* className = "ThunderRT6ListBox") {
    return sim::CreateWindow(className, WS_CHILD, 0, parent, RECT{0, 0, 100, 100});
}

// The procedure under the drawing subclass in the tests that look at what is passed on.
struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
thread_local std::vector<Received> gReceived;
LRESULT RecordingProc(HWND, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    gReceived.push_back({uMsg, wParam, lParam});
    return 77;
}

using CreationHookTest = ListViewTest;

TEST_F(CreationHookTest, ConvertsTheControlsOwnListAndThenGoes) {
    sim::ControlHost& first = AddControl(form);
    sim::ControlHost& second = AddControl(form);
    EXPECT_TRUE(IsVirtual(first.ListHwnd()));
    EXPECT_TRUE(IsVirtual(second.ListHwnd()));
    EXPECT_EQ(GetWindowLong(first.ListHwnd(), GWL_WNDPROC),
              reinterpret_cast<LONG_PTR>(&sim::ListBoxProc));
    EXPECT_EQ(world.Hooks().Count(), 0u);
    // A data-less list takes its row count from LB_SETCOUNT.
    EXPECT_EQ(SendMessage(first.ListHwnd(), LB_SETCOUNT, 3, 0), 0);
}

TEST_F(CreationHookTest, TheListAsksItsControlForEveryRow) {
    sim::ControlHost& host = AddControl(form);
    ColumnPick& control = ControlOf(host);
    control.ColumnCount(2);
    control.ColumnWidths("600;900");
    control.AddItem("1;one");
    control.AddItem("2;two");
    world.Graphics().ClearLog();
    sim::ShowWindow(host.ListHwnd(), true);
    std::vector<std::string> texts;
    for (const auto& r : world.Graphics().Log())
        if (r.op == sim::DrawOp::DrawText && r.window == host.ListHwnd()) texts.push_back(r.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"1", "one", "2", "two"}));
    EXPECT_TRUE(world.MessageBoxes().empty());
}

TEST_F(CreationHookTest, TouchesNoOtherListBoxWhileRequestsInterleave) {
    const HWND ownerA = sim::CreateWindow("SimWindow", WS_CHILD, 0, form.Hwnd(), RECT{});
    const HWND ownerB = sim::CreateWindow("SimWindow", WS_CHILD, 0, form.Hwnd(), RECT{});
    HookListBoxCreation(ownerA);
    HookListBoxCreation(ownerB);
    EXPECT_EQ(world.Hooks().Count(), 1u);

    const HWND stranger = CreateListBox(form.Hwnd());
    const HWND plain = CreateListBox(ownerA, "ListBox");
    const HWND listB = CreateListBox(ownerB);
    const HWND listA = CreateListBox(ownerA, "ThunderListBox");
    const HWND secondOfA = CreateListBox(ownerA);
    EXPECT_FALSE(IsVirtual(stranger));
    EXPECT_FALSE(IsVirtual(plain));
    EXPECT_TRUE(IsVirtual(listB));
    EXPECT_TRUE(IsVirtual(listA));
    EXPECT_FALSE(IsVirtual(secondOfA));
    EXPECT_EQ(world.Hooks().Count(), 0u);

    // An owner that goes before its list was created takes its request with it.
    const HWND ownerC = sim::CreateWindow("SimWindow", WS_CHILD, 0, form.Hwnd(), RECT{});
    HookListBoxCreation(ownerC);
    sim::DestroyWindow(ownerC);
    EXPECT_EQ(world.Hooks().Count(), 0u);
}

TEST_F(CreationHookTest, DesignModeInstallsNoDrawingSubclass) {
    sim::Form designer(world, {.ambient = sim::AmbientMode::Design});
    sim::ControlHost& host = AddControl(designer);
    EXPECT_EQ(GetProp(host.Hwnd(), kVirtualListProp), nullptr);
    EXPECT_EQ(GetWindowLong(host.Hwnd(), GWL_WNDPROC),
              reinterpret_cast<LONG_PTR>(&sim::ControlHost::WindowProc));
}

class DrawingSubclassTest : public ListViewTest {
protected:
    // Puts a recording procedure under the drawing subclass of a control on the form.
    DrawingSubclassTest() : host_(AddControl(form)), probe_(ControlOf(host_)) {
        probe_.UnsubclassControl();
        ownProc_ =
            SetWindowLong(host_.Hwnd(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc));
        probe_.SubclassControl();
        gReceived.clear();
    }

    sim::ControlHost& host_;
    ColumnPickProbe probe_;
    LONG_PTR ownProc_ = 0;
};

TEST_F(DrawingSubclassTest, DrawsTheListsRowsAndPassesEverythingElseOn) {
    EXPECT_EQ(ControlFromWindow(host_.Hwnd()), &ControlOf(host_));
    DRAWITEMSTRUCT other{ODT_LISTBOX, 9, 0, ODA_DRAWENTIRE, 0, host_.EditHwnd(), nullptr, {}, 0};
    const auto otherParam = reinterpret_cast<LPARAM>(&other);
    EXPECT_EQ(SendMessage(host_.Hwnd(), WM_DRAWITEM, 9, otherParam), 77);
    EXPECT_EQ(SendMessage(host_.Hwnd(), WM_SETTEXT, 0, 0), 77);
    ASSERT_EQ(gReceived.size(), 2u);
    EXPECT_EQ(gReceived[0].message, WM_DRAWITEM);
    EXPECT_EQ(gReceived[0].wParam, 9u);
    EXPECT_EQ(gReceived[0].lParam, otherParam);

    // The list's own request is answered here; a list without rows draws nothing.
    DRAWITEMSTRUCT mine{
        ODT_LISTBOX, 2, static_cast<UINT>(-1), ODA_DRAWENTIRE, 0, host_.ListHwnd(), nullptr, {}, 0};
    EXPECT_EQ(SendMessage(host_.Hwnd(), WM_DRAWITEM, 2, reinterpret_cast<LPARAM>(&mine)), 1);
    EXPECT_EQ(gReceived.size(), 2u);
}

TEST_F(DrawingSubclassTest, EndingPutsTheProcedureBackOrKeepsAChainWhole) {
    probe_.UnsubclassControl();
    EXPECT_EQ(GetWindowLong(host_.Hwnd(), GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&RecordingProc));
    EXPECT_EQ(GetProp(host_.Hwnd(), kVirtualListProp), nullptr);
    EXPECT_EQ(ControlFromWindow(host_.Hwnd()), nullptr);

    // Another subclass on top: the drawing subclass stays in the chain and only passes on.
    probe_.SubclassControl();
    const LONG_PTR above =
        SetWindowLong(host_.Hwnd(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc));
    probe_.UnsubclassControl();
    gReceived.clear();
    EXPECT_EQ(CallWindowProc(reinterpret_cast<WNDPROC>(above), host_.Hwnd(), WM_SETTEXT, 5, 6), 77);
    ASSERT_EQ(gReceived.size(), 1u);
    EXPECT_EQ(gReceived[0].wParam, 5u);
}

}  // namespace
}  // namespace cp::test
