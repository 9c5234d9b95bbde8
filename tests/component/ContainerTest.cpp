// A real OLE container hosting the control in place: Wine's ATL host window (AtlAxWin) made
// from the program identifier. A user types into it, opens the list with Alt+Down and picks
// a row with the mouse; the events reach several sinks, which write by-reference arguments back.
// Keys go through a container's message loop, which offers each to the active object first.
#include "tests/component/AtlContainer.h"
#include "tests/component/EventSink.h"
#include "tests/support/win32/MessageBoxWatch.h"

namespace cp::test {
namespace {

void InPlaceScene();

// No sink's failure comes up as a box.
TEST(Container, HostsTheControlInPlaceForItsSinksTheKeysAndTheMouse) {
    MessageBoxWatch boxes;
    InPlaceScene();
    for (const auto& box : boxes.Calls())
        ADD_FAILURE() << box.caption << ": " << box.prompt;
}

void InPlaceScene() {
    AtlContainer atl;
    ASSERT_TRUE(atl.control) << "the ATL host made no control";
    ComPtr<IDispatch> control = atl.Dispatch();
    Fill(control.Get(), L"1500;600", L"Austria;AT;Belgium;BE;Bulgaria;BG;Croatia;HR;Cyprus;CY");

    // The control's window lives in the container's, at the place it was given.
    HWND window = atl.ControlWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::GetParent(window), atl.host);
    EXPECT_TRUE(::IsWindowVisible(window));

    // The sinks are called in the order they connected, each with what the ones before wrote
    // back; one that fails or lets go during an event stops neither the others nor the control.
    EventSink first;
    EventSink leaving;
    EventSink failing;
    EventSink last;
    first.swallow = L'x';
    leaving.disconnectInEvent = true;
    failing.answer = E_FAIL;
    for (EventSink* sink : {&first, &leaving, &failing, &last})
        ASSERT_TRUE(sink->Connect(atl.control.Get()));

    ::SetFocus(atl.Edit());
    atl.Loop();
    atl.Type(L"bu");
    EXPECT_EQ(GetText(control.Get(), L"ListIndex"), "2");
    atl.Type(L"x");
    EXPECT_EQ(atl.EditText(), L"Bulgaria") << "completed, and a KeyAscii of 0 swallows the x";
    const Texts typed = {"KeyDown(66,0)", "KeyPress(98)",  "Change",     "KeyUp(66,0)",
                         "KeyDown(85,0)", "KeyPress(117)", "Change",     "KeyUp(85,0)",
                         "KeyDown(88,0)", "KeyPress(120)", "KeyUp(88,0)"};
    EXPECT_EQ(first.log, typed);
    Texts afterFirst = typed;
    afterFirst[9] = "KeyPress(0)";
    EXPECT_EQ(failing.log, afterFirst);
    EXPECT_EQ(last.log, afterFirst);
    EXPECT_EQ(leaving.log.size(), 1u) << "it let go in its first event";

    atl.Key(VK_DOWN, true);
    EXPECT_EQ(GetText(control.Get(), L"ComboBoxIsOpen"), "True") << "Alt+Down opens the list";
    // The list is a window of the desktop, shown while it is open; a press and release on the
    // fourth visible row picks it.
    ASSERT_TRUE(::IsWindowVisible(atl.List()));
    atl.ClickRow(3);
    EXPECT_EQ(GetText(control.Get(), L"ComboBoxIsOpen"), "False");
    EXPECT_EQ(atl.EditText(), L"Croatia");
    EXPECT_EQ(first.log.back(), "AfterUpdate");
    EXPECT_EQ(last.log.back(), "AfterUpdate");
    for (EventSink* sink : {&first, &failing, &last})
        sink->Disconnect();
}

TEST(Container, AFailureInTheControlsHandlerIsReportedAndTheHostGoesOn) {
    MessageBoxWatch boxes;
    {
        AtlContainer atl;
        ASSERT_TRUE(atl.control);
        ComPtr<IDispatch> control = atl.Dispatch();
        Fill(control.Get(), L"", L"one;two;three");
        CallOk(control.Get(), L"ShowDropDown");
        // A disabled edit field cannot take the focus back when a click on the form closes
        // the list: a real run-time error inside the form watcher's handling.
        PutOk(control.Get(), L"Enabled", Var(0L).v);
        ::SendMessageW(atl.form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 150));
        ::SendMessageW(atl.form, WM_LBUTTONUP, 0, MAKELPARAM(300, 150));
        atl.Loop();
        ASSERT_EQ(boxes.Calls().size(), 1u);
        const ShownMessageBox& box = boxes.Calls()[0];
        EXPECT_EQ(
            box.caption + ": " + box.prompt + " " + std::to_string(box.style),
            "ColumnPick - HideListBox: Unable to execute the sub HideListBox!\r\n\r\nError 5: "
            "Invalid procedure call or argument 16");
        // The host and the control go on.
        EXPECT_EQ(GetText(control.Get(), L"ComboBoxIsOpen"), "False");
        PutOk(control.Get(), L"Enabled", Var(-1L).v);
        EXPECT_EQ(GetText(control.Get(), L"ListCount"), "3");
    }
    EXPECT_EQ(boxes.Calls().size(), 1u);
}

TEST(Container, FollowsTheContainersRectanglesAndDrawsIntoItsDeviceContext) {
    AtlContainer atl;
    ASSERT_TRUE(atl.control);
    ComPtr<IOleInPlaceObject> inPlace;
    ASSERT_EQ(atl.control.As(&inPlace), S_OK);
    const ::RECT moved{20, 40, 260, 61};
    EXPECT_EQ(inPlace->SetObjectRects(&moved, &moved), S_OK);
    ::RECT now{};
    ::GetWindowRect(atl.ControlWindow(), &now);
    ::MapWindowPoints(nullptr, atl.host, reinterpret_cast<::POINT*>(&now), 2);
    EXPECT_EQ((std::vector{now.left, now.top, now.right}), (std::vector{20L, 40L, 260L}));

    // A designer asks the control to draw itself into a device context of its own.
    ComPtr<IViewObject2> view;
    ASSERT_EQ(atl.control.As(&view), S_OK);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 200, 24);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::RECT all{0, 0, 200, 24};
    ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    const RECTL bounds{0, 0, 200, 24};
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, memory, &bounds, nullptr,
                         nullptr, 0),
              S_OK);
    EXPECT_EQ(::GetPixel(memory, 60, 12), RGB(255, 255, 255)) << "the normal background";
    EXPECT_NE(::GetPixel(memory, 0, 0), RGB(255, 255, 255)) << "the sunken edge";
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    ComPtr<IProvideClassInfo2> info;
    ASSERT_EQ(atl.control.As(&info), S_OK);
    GUID events{};
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(info->GetClassInfo(coclass.GetAddressOf()), S_OK);
    EXPECT_EQ(BstrText([&](BSTR* name) {
                  coclass->GetDocumentation(MEMBERID_NIL, name, nullptr, nullptr, nullptr);
              }),
              "ColumnPick");
}

}  // namespace
}  // namespace cp::test
