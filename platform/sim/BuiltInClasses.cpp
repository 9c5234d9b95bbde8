#include "platform/sim/BuiltInClasses.h"

#include <cstring>

#include "platform/sim/ControlHost.h"
#include "platform/sim/EditClass.h"
#include "platform/sim/ListBoxClass.h"
#include "platform/sim/World.h"
#include "runtime/Utf8.h"

namespace cp::sim {

void RegisterBuiltInClasses(WindowManager& windows) {
    for (const char* name : {"ThunderRT6ListBox", "ThunderListBox", "ListBox"})
        windows.RegisterClass(name, ListBoxProc);
    windows.RegisterClass("ThunderRT6TextBox", EditProc);
    windows.RegisterClass("ThunderRT6UserControlDC", ControlHost::WindowProc, ClassDc::Own);
    windows.RegisterClass("ThunderRT6FormDC", DefWindowProc, ClassDc::Own);
    windows.RegisterClass("SimWindow", DefWindowProc);
}

LRESULT CopyTextToBuffer(std::string_view text, WPARAM size, LPARAM buffer) {
    char* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0) return 0;
    std::size_t n = 0;
    for (std::size_t offset = 0; offset < text.size();) {
        std::size_t next = offset;
        utf8::Next(text, next);
        if (next >= size) break;
        n = offset = next;
    }
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = World::Current().Windows().Find(hwnd);
    if (!w) return 0;
    switch (message) {
        case WM_SETTEXT:
            w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
            return 1;
        case WM_GETTEXT:
            return CopyTextToBuffer(w->text, wParam, lParam);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(w->text.size());
        default:
            return 0;
    }
}

}  // namespace cp::sim
