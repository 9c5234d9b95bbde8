// Parts of the runtime's global facilities that the host's own windows use.
#pragma once

namespace cp::win32 {

// Shows the screen's mouse pointer when one is set (Screen.MousePointer is not the default);
// the windows of the host call it for WM_SETCURSOR and answer the message when it returns true.
bool ShowScreenMousePointer();

}  // namespace cp::win32
