// The creation hook that makes each control's list box a virtual list, and the drawing
// subclass of the control's window.
#include <string>
#include <vector>

#include "hosting/MVirtualList.h"
#include "platform/sim/ListBoxClass.h"
#include "platform/sim/SimWindowApi.h"
#include "tests/support/sim/ControlOnForm.h"

namespace cp::test {
namespace {

constexpr LONG_PTR kVirtualStyles = LBS_NODATA | LBS_OWNERDRAWFIXED;

bool IsVirtual(HWND list) {
    const sim::ListBoxState* state = sim::InspectListBox(list);
    return state && (state->style & kVirtualStyles) == kVirtualStyles;
}

HWND CreateChild(HWND parent, const char* className = "ThunderRT6ListBox") {
    return sim::CreateWindow(className, WS_CHILD, 0, parent, RECT{0, 0, 100, 100});
}

// The procedure under the drawing subclass: it notes what reaches it.
thread_local std::vector<std::pair<UINT, LPARAM>> gReceived;
LRESULT RecordingProc(HWND, UINT uMsg, WPARAM, LPARAM lParam) {
    gReceived.emplace_back(uMsg, lParam);
    return 77;
}
const LONG_PTR kControlRecorder = reinterpret_cast<LONG_PTR>(&RecordingProc);

using CreationHookTest = ControlOnForm;

// The hook touches no other list box while requests interleave; design mode installs no drawing
// subclass.
TEST_F(CreationHookTest, TouchesNoOtherListBoxAndNoneInDesignMode) {
    const HWND ownerA = CreateChild(form().Hwnd(), "SimWindow");
    const HWND ownerB = CreateChild(form().Hwnd(), "SimWindow");
    HookListBoxCreation(ownerA);
    HookListBoxCreation(ownerB);
    EXPECT_EQ(world().Hooks().Count(), 1u);
    EXPECT_FALSE(IsVirtual(CreateChild(form().Hwnd())));
    EXPECT_FALSE(IsVirtual(CreateChild(ownerA, "ListBox")));
    EXPECT_TRUE(IsVirtual(CreateChild(ownerB)));
    EXPECT_TRUE(IsVirtual(CreateChild(ownerA, "ThunderListBox")));
    EXPECT_EQ(world().Hooks().Count(), 0u);
    EXPECT_FALSE(IsVirtual(CreateChild(ownerA)));

    // An owner that goes before its list is created takes its request with it.
    const HWND ownerC = CreateChild(form().Hwnd(), "SimWindow");
    HookListBoxCreation(ownerC);
    sim::DestroyWindow(ownerC);
    EXPECT_EQ(world().Hooks().Count(), 0u);

    sim::Form designer(world(), {.ambient = sim::AmbientMode::Design});
    const HWND hWnd =
        designer
            .AddControl([](const ControlSite& site) { return std::make_unique<ColumnPick>(site); })
            .Hwnd();
    EXPECT_EQ(GetProp(hWnd, kVirtualListProp), nullptr);
    EXPECT_EQ(GetWindowLong(hWnd, GWL_WNDPROC),
              reinterpret_cast<LONG_PTR>(&sim::ControlHost::WindowProc));
}

class DrawingSubclassTest : public ControlOnForm {
protected:
    // Puts the recording procedure under the drawing subclass.
    DrawingSubclassTest() {
        probe().UnsubclassControl();
        SetWindowLong(host().Hwnd(), GWL_WNDPROC, kControlRecorder);
        probe().SubclassControl();
        gReceived.clear();
    }
    LRESULT SendDrawItem(HWND item) {
        DRAWITEMSTRUCT dis{ODT_LISTBOX, 2, static_cast<UINT>(-1), ODA_DRAWENTIRE, 0, item, {},
                           {},          0};
        lastItem_ = reinterpret_cast<LPARAM>(&dis);
        return SendMessage(host().Hwnd(), WM_DRAWITEM, 2, lastItem_);
    }

    LPARAM lastItem_ = 0;
};

TEST_F(DrawingSubclassTest, DrawsTheListsRowsPassesEverythingElseOnAndEndsCleanly) {
    EXPECT_EQ(ControlFromWindow(host().Hwnd()), &control());
    EXPECT_EQ(SendDrawItem(host().EditHwnd()), 77);
    EXPECT_EQ(gReceived, (std::vector<std::pair<UINT, LPARAM>>{{WM_DRAWITEM, lastItem_}}));
    EXPECT_EQ(SendDrawItem(host().ListHwnd()), 1);
    EXPECT_EQ(gReceived.size(), 1u);

    // Ending puts the procedure back, or keeps a chain whole.
    probe().UnsubclassControl();
    EXPECT_EQ(GetWindowLong(host().Hwnd(), GWL_WNDPROC), kControlRecorder);
    EXPECT_EQ(ControlFromWindow(host().Hwnd()), nullptr);

    // Another subclass on top: the drawing subclass stays in its chain and only passes on.
    probe().SubclassControl();
    const auto above =
        reinterpret_cast<WNDPROC>(SetWindowLong(host().Hwnd(), GWL_WNDPROC, kControlRecorder));
    probe().UnsubclassControl();
    gReceived.clear();
    EXPECT_EQ(CallWindowProc(above, host().Hwnd(), WM_SETTEXT, 0, 6), 77);
    EXPECT_EQ(gReceived, (std::vector<std::pair<UINT, LPARAM>>{{WM_SETTEXT, 6}}));
}

}  // namespace
}  // namespace cp::test
