// A real OLE container for the component's tests: Wine's ATL host window (AtlAxWin) made from
// the program identifier, on a form of the test's own with a second field that can take the
// focus, and the container's message loop, which offers each message to the active object
// first. The form is destroyed with the container, as a dialog that closes.
#pragma once

#include <string>

#include "tests/component/ComponentFixture.h"

namespace cp::test {

class AtlContainer {
public:
    AtlContainer();
    ~AtlContainer();
    AtlContainer(const AtlContainer&) = delete;
    AtlContainer& operator=(const AtlContainer&) = delete;

    ComPtr<IDispatch> Dispatch();
    // The control's own window, while it is active in place.
    HWND ControlWindow();
    HWND Edit();
    std::wstring EditText();

    // A key pressed and released through the loop of the container, with the character it
    // types if it types one.
    void Key(WORD key, bool alt = false, wchar_t typed = 0);
    void Type(const wchar_t* text);
    // The container's message loop: the active object sees each message first.
    void Loop();
    // The open list, and a press and release of the mouse on its `row`th visible row.
    static HWND List();
    void ClickRow(int row);

    HMODULE atl_ = nullptr;
    HWND form = nullptr;   // the dialog; gone once something destroyed it
    HWND other = nullptr;  // a field of the form beside the control
    HWND host = nullptr;   // ATL's host window
    ComPtr<IUnknown> control;
};

}  // namespace cp::test
