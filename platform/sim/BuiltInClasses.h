// The window classes every world knows:
// - "ThunderRT6ListBox", "ThunderListBox" and "ListBox": the list box (ListBoxClass.h);
// - "ThunderRT6TextBox": the edit field (EditClass.h);
// - "ThunderRT6UserControlDC": the control window, served by its form host (ControlHost.h);
// - "ThunderRT6FormDC": the form window;
// - "SimWindow": a plain window for tests.
// The classes whose names end in "DC" keep their own device context.
#pragma once

#include "platform/sim/WindowManager.h"

namespace cp::sim {

void RegisterBuiltInClasses(WindowManager& windows);

// The default processing of a window: keeps the window text (WM_SETTEXT, WM_GETTEXT,
// WM_GETTEXTLENGTH) and answers everything else with 0.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Copies text into a WM_GETTEXT buffer of `size` bytes, whole characters only, with the
// terminating NUL; returns the bytes copied without it.
LRESULT CopyTextToBuffer(std::string_view text, WPARAM size, LPARAM buffer);

}  // namespace cp::sim
