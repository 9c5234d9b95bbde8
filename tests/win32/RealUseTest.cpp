// The real control used through the real input of the window system: keys and mouse queued as
// the hardware queues them, translated by the message loop.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "platform/FormDesign.h"
#include "platform/win32/ModalForm.h"
#include "platform/win32/WindowsApi.h"
#include "tests/win32/RealControl.h"

namespace cp::test {
namespace {

// A left click at a point of a window's client area, in pixels.
void Click(HWND hWnd, int x, int y) {
    ::POINT at{x, y};
    ::ClientToScreen(hWnd, &at);
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    std::vector<::INPUT> inputs(3);
    for (auto& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = (at.x * 65536 + width / 2) / width;
        input.mi.dy = (at.y * 65536 + height / 2) / height;
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
    }
    inputs[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(::INPUT));
}

TEST(RealInput, TypingCompletesAndAClickOnTheFormClosesTheList) {
    RealControl scene;
    scene.control().ColumnWidths("1500");
    scene.control().AddList("Apple;apricot;Banana");
    ::SetForegroundWindow(scene.form.hWnd());
    ::SetFocus(scene.Edit());
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == scene.Edit(); }));

    TypeKeys("apr");
    ASSERT_TRUE(PumpUntil([&] { return scene.events.Count("KeyUp") == 3; }))
        << scene.events.Joined();
    EXPECT_EQ(scene.control().Text(), "apricot");
    ::DWORD start = 0, end = 0;
    ::SendMessageW(scene.Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ((std::vector{start, end}), (std::vector<::DWORD>{3, 7}))
        << "the completed tail is selected";
    EXPECT_EQ(scene.control().ListIndex(), 1);

    // Alt+Down opens the list; a click on the form closes it, and commits nothing.
    scene.events.ClearLog();
    PressAltDown();
    ASSERT_TRUE(PumpUntil([&] { return scene.control().ComboBoxIsOpen(); }));
    EXPECT_TRUE(::IsWindowVisible(scene.List()));
    Click(scene.form.hWnd(), 500, 300);
    ASSERT_TRUE(PumpUntil([&] { return !scene.control().ComboBoxIsOpen(); }));
    EXPECT_FALSE(::IsWindowVisible(scene.List()));
    EXPECT_EQ(scene.events.Count("AfterUpdate"), 0);
    EXPECT_EQ(::GetFocus(), scene.Edit());

    // Opened again, a click on a row picks it.
    PressAltDown();
    ASSERT_TRUE(PumpUntil([&] { return scene.control().ComboBoxIsOpen(); }));
    Click(scene.List(), 30, 2 * 15 + 7);
    ASSERT_TRUE(PumpUntil([&] { return scene.events.Count("AfterUpdate") == 1; }))
        << scene.events.Joined();
    EXPECT_FALSE(::IsWindowVisible(scene.List()));
    EXPECT_EQ(scene.control().Text(), "Banana");
    EXPECT_EQ(::GetFocus(), scene.Edit());
    EXPECT_EQ(::GetActiveWindow(), scene.form.hWnd());
    EXPECT_TRUE(scene.boxes.Calls().empty());
}

// The About box, as the timers find it: the first destroys its window, as a host that tidies
// its thread's windows away would; the second sees it shown again, and closes it.
std::string gAboutSeen;
int gAboutTicks = 0;

HWND ShownAboutBox() {
    HWND box = ::FindWindowW(win32::kModalFormClass, nullptr);
    return box != nullptr && ::IsWindowVisible(box) ? box : nullptr;
}

void CALLBACK DestroyTheAboutBox(HWND, UINT, UINT_PTR timer, ::DWORD) {
    if (HWND box = ShownAboutBox()) {
        ::KillTimer(nullptr, timer);
        ::DestroyWindow(box);
    }
}

void CALLBACK CloseTheAboutBox(HWND, UINT, UINT_PTR timer, ::DWORD) {
    HWND box = ShownAboutBox();
    if (box == nullptr && ++gAboutTicks < 40) return;
    ::KillTimer(nullptr, timer);
    gAboutSeen = box != nullptr ? "shown" : "no box after 2 s";
    // A box that never came leaves the thread's windows disabled: the quit request ends its loop.
    if (box == nullptr) ::PostQuitMessage(0);
    if (box != nullptr) ::PostMessageW(box, WM_CLOSE, 0, 0);
}

// A host that destroyed the About box's window while it was open: the next About shows a box
// again, and the host's form takes input once it is closed.
TEST(RealInput, TheAboutBoxComesBackAfterTheHostDestroyedItsWindow) {
    RealControl scene;
    ::SetTimer(nullptr, 0, 20, &DestroyTheAboutBox);
    scene.control().About();
    ::SetTimer(nullptr, 0, 50, &CloseTheAboutBox);
    scene.control().About();
    ::MSG quit{};
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    EXPECT_EQ(gAboutSeen, "shown");
    EXPECT_TRUE(::IsWindowEnabled(scene.form.hWnd()));
    win32::DestroyModalForms();
}

// A form whose picture cannot be made (the drawing objects of the session used up, say) fails
// the call and leaves no window behind.
TEST(RealInput, AFormWhosePictureCannotBeMadeLeavesNoWindow) {
    const FormChild children[] = {
        {"lblName", FormChildKind::Label, 0, 0, 900, 300, "name"},
        {"picLogo",
         FormChildKind::Picture,
         0,
         300,
         900,
         900,
         {},
         0,
         0,
         []() -> PicturePixels { throw std::bad_alloc(); }},
    };
    const FormDesign design{"frmBroken", "Broken", 1200, 1200, children};
    EXPECT_THROW(host::ShowModalForm(design), std::bad_alloc);
    EXPECT_EQ(::FindWindowW(win32::kModalFormClass, L"Broken"), nullptr);
    win32::DestroyModalForms();
}

}  // namespace
}  // namespace cp::test
