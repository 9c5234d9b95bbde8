// A form with one real ColumnPick on it, started as the host starts a control placed at run
// time, its events recorded and every message box answered at once; what the tests read back
// from the screen; and real input, queued as the hardware queues it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "control/ColumnPick.h"
#include "platform/win32/Form.h"
#include "platform/win32/PropertyStore.h"
#include "tests/support/EventRecorder.h"
#include "tests/support/win32/MessageBoxWatch.h"

namespace cp::test {

class RealControl {
public:
    // A label, when given, stands on the form before the control and names it.
    explicit RealControl(const win32::Placement& at = {}, const wchar_t* label = nullptr);

    ColumnPick& control() { return *control_; }
    HWND Window() { return host_->UserControl().hWnd(); }
    HWND Edit() { return host_->TextBox().hWnd(); }
    HWND List() { return host_->ListBox().hWnd(); }
    // One column of rows "r00" ... "r<n-1>", 1500 twips wide.
    void FillNumbered(int rows);

    MessageBoxWatch boxes;       // answers the real boxes; outlives the form
    win32::PropertyStore store;  // the form's (empty) store for the control
    win32::Form form;
    EventRecorder events;

private:
    win32::ControlHost* host_ = nullptr;
    ColumnPick* control_ = nullptr;
};

// Processes the messages waiting now.
void Pump();
// Processes messages as they come until `done` holds or a second has gone by; false then.
bool PumpUntil(const std::function<bool()>& done);
// The colour of a pixel of a window's client area, as drawn.
COLORREF PixelAt(HWND hWnd, int x, int y);

// Real keys: one key down or up, a key pressed and released, Alt+Down, and letters typed.
void SendKey(WORD key, bool up);
void PressKey(WORD key);
void PressAltDown();
void TypeKeys(std::string_view letters);

}  // namespace cp::test
