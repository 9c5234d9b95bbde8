#include "platform/sim/TextBoxObject.h"

#include <string>

#include "platform/Twips.h"
#include "platform/sim/SimConstants.h"
#include "platform/sim/World.h"
#include "runtime/RuntimeError.h"

namespace cp::sim {
namespace {

World& Checked(Operation operation) {
    World& world = World::Current();
    world.CheckFailure(operation);
    return world;
}

}  // namespace

HWND TextBoxObject::hWnd() {
    Checked("TextBox.hWnd");
    return hwnd_;
}

std::string TextBoxObject::Text() {
    WindowManager& windows = Checked("TextBox.Text").Windows();
    std::string buffer(static_cast<std::size_t>(windows.Send(hwnd_, WM_GETTEXTLENGTH, 0, 0)) + 1,
                       '\0');
    const LRESULT n =
        windows.Send(hwnd_, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(n));
    return buffer;
}

void TextBoxObject::SetText(std::string_view text) {
    const std::string copy(text);
    Checked("TextBox.SetText")
        .Windows()
        .Send(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

std::int32_t TextBoxObject::SelStart() {
    DWORD first = 0;
    Checked("TextBox.SelStart")
        .Windows()
        .Send(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&first), 0);
    return static_cast<std::int32_t>(first);
}

bool TextBoxObject::Locked() {
    const Window* w = Checked("TextBox.Locked").Windows().Find(hwnd_);
    return w && (w->style & ES_READONLY);
}

void TextBoxObject::SetLocked(bool locked) {
    Checked("TextBox.SetLocked").Windows().Send(hwnd_, EM_SETREADONLY, locked ? 1 : 0, 0);
}

bool TextBoxObject::Enabled() {
    const Window* w = Checked("TextBox.Enabled").Windows().Find(hwnd_);
    return w && !(w->style & WS_DISABLED);
}

void TextBoxObject::SetEnabled(bool enabled) {
    Checked("TextBox.SetEnabled").Windows().Enable(hwnd_, enabled);
}

OLE_COLOR TextBoxObject::BackColor() {
    Checked("TextBox.BackColor");
    return backColor_;
}

void TextBoxObject::SetBackColor(OLE_COLOR color) {
    Checked("TextBox.SetBackColor");
    backColor_ = color;
}

OLE_COLOR TextBoxObject::ForeColor() {
    Checked("TextBox.ForeColor");
    return foreColor_;
}

void TextBoxObject::SetForeColor(OLE_COLOR color) {
    Checked("TextBox.SetForeColor");
    foreColor_ = color;
}

void TextBoxObject::SetWidth(float twips) {
    WindowManager& windows = Checked("TextBox.SetWidth").Windows();
    if (const Window* w = windows.Find(hwnd_)) {
        RECT r = w->rect;
        r.right = r.left + PixelsFromTwips(twips);
        windows.Move(hwnd_, r);
    }
}

void TextBoxObject::SetFocus() {
    WindowManager& windows = Checked("TextBox.SetFocus").Windows();
    // The runtime refuses to move the focus to a field that cannot take it.
    if (!windows.IsVisible(hwnd_) || !windows.IsEnabled(hwnd_))
        throw RuntimeError(vberr::InvalidProcedureCall);
    windows.SetFocus(hwnd_);
}

}  // namespace cp::sim
