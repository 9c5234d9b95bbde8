// Plays a user on the real input of the window system: keys and mouse go into the input queue
// as the hardware puts them there (SendInput), and the form's message loop takes them in. The
// player waits for what it expects, as a user looks before acting again.
#pragma once

#include <functional>
#include <string_view>

#include "platform/win32/WindowsApi.h"
#include "sample/SampleForm.h"

namespace cp::sample {

class InputPlayer {
public:
    explicit InputPlayer(SampleForm& form) : form_(form) {}

    // Each character with the key (and Shift) that makes it.
    void Type(std::string_view ascii);
    // One key, with Alt or Shift held.
    void Key(WORD key, bool alt = false, bool shift = false);
    // The pointer to a point of a window's client area, in pixels.
    void MoveTo(HWND hWnd, int x, int y);
    void Press();
    void Release();
    void Click(HWND hWnd, int x, int y);

    // Runs the form's message loop until `done` holds (true) or three seconds have gone by
    // (false).
    bool WaitUntil(const std::function<bool()>& done);
    // Runs the loop until the input is taken in and the windows are drawn.
    void Settle();

private:
    void SendKey(WORD key, bool up);
    void SendMouse(DWORD flags);
    void PumpOnce(DWORD waitMs);

    SampleForm& form_;  // whose message loop runs while the player waits
};

}  // namespace cp::sample
