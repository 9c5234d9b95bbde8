#include "platform/sim/ListBoxObject.h"

#include "platform/HostErrors.h"
#include "platform/Twips.h"
#include "platform/sim/ControlHost.h"
#include "platform/sim/SimConstants.h"
#include "platform/sim/World.h"

namespace cp::sim {
namespace {

WindowManager& Checked(Operation operation) {
    World& world = World::Current();
    world.CheckFailure(operation);
    return world.Windows();
}

}  // namespace

HWND ListBoxObject::ListWindow() const {
    return host_.ListHwnd();
}

HWND ListBoxObject::hWnd() {
    Checked("ListBox.hWnd");
    return ListWindow();
}

std::int32_t ListBoxObject::ListIndex() {
    return static_cast<std::int32_t>(
        Checked("ListBox.ListIndex").Send(ListWindow(), LB_GETCURSEL, 0, 0));
}

void ListBoxObject::SetListIndex(std::int32_t index) {
    WindowManager& windows = Checked("ListBox.SetListIndex");
    const auto count = static_cast<std::int32_t>(windows.Send(ListWindow(), LB_GETCOUNT, 0, 0));
    CheckListIndexPut(index, count);
    windows.Send(ListWindow(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    host_.RaiseListClick();
}

std::int32_t ListBoxObject::TopIndex() {
    return static_cast<std::int32_t>(
        Checked("ListBox.TopIndex").Send(ListWindow(), LB_GETTOPINDEX, 0, 0));
}

void ListBoxObject::SetTopIndex(std::int32_t index) {
    WindowManager& windows = Checked("ListBox.SetTopIndex");
    CheckTopIndexPut(index);
    windows.Send(ListWindow(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void ListBoxObject::Place(const RECT& rect) {
    World::Current().Windows().Move(ListWindow(), rect);
}

void ListBoxObject::Move(float left, float top, float width, float height) {
    Checked("ListBox.Move");
    const int x = PixelsFromTwips(left);
    const int y = PixelsFromTwips(top);
    Place(RECT{x, y, x + PixelsFromTwips(width), y + PixelsFromTwips(height)});
}

float ListBoxObject::Width() {
    const Window* w = Checked("ListBox.Width").Find(ListWindow());
    return w ? TwipsFromPixels(w->Width()) : 0;
}

void ListBoxObject::SetWidth(float twips) {
    if (const Window* w = Checked("ListBox.SetWidth").Find(ListWindow())) {
        RECT r = w->rect;
        r.right = r.left + PixelsFromTwips(twips);
        Place(r);
    }
}

float ListBoxObject::Height() {
    const Window* w = Checked("ListBox.Height").Find(ListWindow());
    return w ? TwipsFromPixels(w->Height()) : 0;
}

void ListBoxObject::SetHeight(float twips) {
    if (const Window* w = Checked("ListBox.SetHeight").Find(ListWindow())) {
        RECT r = w->rect;
        r.bottom = r.top + PixelsFromTwips(twips);
        Place(r);
    }
}

bool ListBoxObject::Visible() {
    const Window* w = Checked("ListBox.Visible").Find(ListWindow());
    return w && w->Visible();
}

void ListBoxObject::SetVisible(bool visible) {
    Checked("ListBox.SetVisible").Show(ListWindow(), visible);
}

void ListBoxObject::SetBackColor(OLE_COLOR color) {
    Checked("ListBox.SetBackColor");
    backColor_ = color;
}

HFONT ListBoxObject::Font() {
    return reinterpret_cast<HFONT>(Checked("ListBox.Font").Send(ListWindow(), WM_GETFONT, 0, 0));
}

int ListBoxObject::RowHeight() {
    return static_cast<int>(
        Checked("ListBox.RowHeight").Send(ListWindow(), LB_GETITEMHEIGHT, 0, 0));
}

void ListBoxObject::Clear() {
    Checked("ListBox.Clear").Send(ListWindow(), LB_RESETCONTENT, 0, 0);
}

void ListBoxObject::RemoveItem(std::int32_t index) {
    WindowManager& windows = Checked("ListBox.RemoveItem");
    if (windows.Send(ListWindow(), LB_DELETESTRING, static_cast<WPARAM>(index), 0) == LB_ERR)
        RaiseNoSuchListRow();
}

void ListBoxObject::Redraw() {
    WindowManager& windows = Checked("ListBox.Redraw");
    windows.Invalidate(ListWindow(), nullptr, Erase::None);
    windows.Update(ListWindow());
}

void ListBoxObject::SetHeaderHeight(int pixels) {
    Checked("ListBox.SetHeaderHeight").SetFrameTop(ListWindow(), pixels);
}

}  // namespace cp::sim
