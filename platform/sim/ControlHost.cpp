#include "platform/sim/ControlHost.h"

#include "platform/FocusRule.h"
#include "platform/KeyInput.h"
#include "platform/OleColor.h"
#include "platform/StartUp.h"
#include "platform/Twips.h"
#include "platform/sim/BuiltInClasses.h"
#include "platform/sim/Form.h"
#include "platform/sim/ListBoxClass.h"
#include "platform/sim/World.h"
#include "runtime/RuntimeError.h"
#include "runtime/ScreenUnits.h"

namespace cp::sim {
namespace {

WindowManager& Windows() {
    return World::Current().Windows();
}

}  // namespace

ControlHost::ControlHost(Form& form, HWND window, HWND edit)
    : form_(form),
      window_(window),
      edit_(edit),
      userControl_(*this),
      textBox_(edit),
      listBox_(*this),
      lines_(design::MakeFrameLines<LineShape>()),
      site_(design::SiteOf(userControl_, textBox_, listBox_, lines_)) {
    if (Window* w = Windows().Find(window_)) w->host = this;
    for (LineShape& line : lines_)
        line.OnChange([this](Erase erase) { Windows().Invalidate(window_, nullptr, erase); });
}

ControlHost::~ControlHost() {
    if (World::TryCurrent()) {
        Terminate();
        Release();
    }
    control_.reset();
}

template <class Notification>
void ControlHost::Deliver(std::string_view name, Notification&& notification) {
    if (!control_) return;
    try {
        notification(*control_);
    } catch (...) {
        const RuntimeError error = CurrentError();
        World::Current().RecordHostError(
            HostError{std::string(name), error.Number(), error.Description()});
    }
}

void ControlHost::StartUp(const Factory& factory, cp::PropertyBag* saved) {
    control_ = factory(site_);
    StartControl(
        HostStartUp{
            .deliver = [this](std::string_view name,
                              const Notification& notification) { Deliver(name, notification); },
            .createList = [this] { CreateList(); },
            .sizeShowAndPaint = [this] { FirstLayoutAndPaint(); },
        },
        saved);
}

void ControlHost::CreateList() {
    const Window* w = Windows().Find(window_);
    if (!w) return;
    const int height = 2 * kBorderWidth + design::kInitialListRows * CurrentScreenUnits().rowPixels;
    const RECT rect{0, w->Height(), w->Width(), w->Height() + height};
    list_ = Windows().Create("ThunderRT6ListBox", WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 0,
                             window_, rect, kListId);
    listFont_ = World::Current().Graphics().CreateFont("MS Sans Serif");
    Windows().Send(list_, sim::WM_SETFONT, reinterpret_cast<WPARAM>(listFont_), 0);
}

void ControlHost::FirstLayoutAndPaint() {
    if (const Window* w = Windows().Find(window_)) {
        const LPARAM size = MakePointParam(w->Width(), w->Height());
        Windows().Send(window_, WM_SIZE, 0, size);
    }
    Windows().Send(window_, WM_PAINT, 0, 0);
}

void ControlHost::WriteProperties(cp::PropertyBag& bag) {
    Deliver("UserControl_WriteProperties",
            [&bag](HostedControl& c) { c.UserControl_WriteProperties(bag); });
}

void ControlHost::RaiseListClick() {
    Deliver("lstListBox_Click", [](HostedControl& c) { c.lstListBox_Click(); });
}

void ControlHost::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    Deliver("UserControl_Terminate", [](HostedControl& c) { c.UserControl_Terminate(); });
}

void ControlHost::Release() {
    // The list may float on the desktop, outside the control window.
    if (list_) Windows().Destroy(list_);
    Windows().Destroy(window_);
    if (listFont_) World::Current().Graphics().DeleteObject(listFont_);
    list_ = nullptr;
    listFont_ = nullptr;
}

LRESULT ControlHost::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const Window* w = Windows().Find(hwnd);
    ControlHost* host = w ? static_cast<ControlHost*>(w->host) : nullptr;
    if (!host) return DefWindowProc(hwnd, message, wParam, lParam);
    const CallFrames::Frame frame(host->frames_);
    return host->Handle(message, wParam, lParam);
}

LRESULT ControlHost::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            Deliver("UserControl_Resize", [](HostedControl& c) { c.UserControl_Resize(); });
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_COMMAND:
            Command(wParam, lParam);
            return 0;
        case kSimEditKey:
            Key(*reinterpret_cast<EditKeyEvent*>(wParam));
            return 0;
        case kSimEditDblClick:
            Deliver("txtTextBox_DblClick", [](HostedControl& c) { c.txtTextBox_DblClick(); });
            return 0;
        case kSimChildMouse:
            Mouse(static_cast<UINT>(wParam), lParam, MouseTarget::List);
            return 0;
        case kSimChildScroll: {
            bool placed = false;
            Deliver("lstListBox_Scrolling", [&](HostedControl& c) {
                placed = c.lstListBox_Scrolling(static_cast<int>(wParam & 0xFFFF),
                                                static_cast<int>((wParam >> 16) & 0xFFFF));
            });
            return placed ? 1 : 0;
        }
        case kSimPaintHeader:
            Deliver("lstListBox_PaintHeader", [&](HostedControl& c) {
                c.lstListBox_PaintHeader(reinterpret_cast<HDC>(wParam), PointX(lParam),
                                         PointY(lParam));
            });
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            Mouse(message, lParam, MouseTarget::Control);
            return 0;
        case kSimChildFocusLost:
        case WM_KILLFOCUS:
            FocusLeft(reinterpret_cast<HWND>(wParam));
            return 0;
        default:
            return DefWindowProc(window_, message, wParam, lParam);
    }
}

void ControlHost::Paint() {
    const PendingPaint painting = Windows().BeginPaint(window_);
    if (painting.erase) {
        if (Window* w = Windows().Find(window_))
            w->surface.Fill(painting.rect, RgbFromOle(userControl_.BackColor(), Gdi::SysColor));
    }
    Deliver("UserControl_Paint", [](HostedControl& c) { c.UserControl_Paint(); });
    // The line objects are drawn over the control's own drawing, as windowless shapes are. A
    // handler may have taken the window away.
    if (Window* w = Windows().Find(window_)) DrawLines(w->surface);
}

void ControlHost::DrawLines(Surface& surface) {
    for (const LineShape& line : lines_) {
        const std::optional<LinePixels> pixels = line.Pixels();
        if (!pixels) continue;
        const COLORREF color = RgbFromOle(pixels->color, Gdi::SysColor);
        surface.Line(pixels->from, pixels->to, color);
        surface.Set(pixels->to.x, pixels->to.y, color);
    }
}

void ControlHost::Command(WPARAM wParam, LPARAM lParam) {
    const HWND from = reinterpret_cast<HWND>(lParam);
    if (from == edit_ && CommandCode(wParam) == EN_CHANGE)
        Deliver("txtTextBox_Change", [](HostedControl& c) { c.txtTextBox_Change(); });
    if (from == list_ && from && CommandCode(wParam) == LBN_SELCHANGE && PressChangedSelection())
        RaiseListClick();
}

bool ControlHost::PressChangedSelection() const {
    const ListBoxState* s = InspectListBox(list_);
    return s == nullptr || s->selection != s->pressSelection;
}

void ControlHost::Key(EditKeyEvent& event) {
    if (event.message == WM_CHAR) {
        KeyPress(event);
        return;
    }
    std::int16_t keyCode = static_cast<std::int16_t>(event.code);
    std::int16_t shift = event.shift;
    if (event.message == WM_KEYDOWN || event.message == WM_SYSKEYDOWN)
        Deliver("txtTextBox_KeyDown",
                [&](HostedControl& c) { c.txtTextBox_KeyDown(keyCode, shift); });
    else
        Deliver("txtTextBox_KeyUp", [&](HostedControl& c) { c.txtTextBox_KeyUp(keyCode, shift); });
    event.code = static_cast<std::uint16_t>(keyCode);
}

void ControlHost::KeyPress(EditKeyEvent& event) {
    const std::int16_t handedOver = KeyAsciiOf(static_cast<char32_t>(event.code));
    std::int16_t keyAscii = handedOver;
    Deliver("txtTextBox_KeyPress", [&](HostedControl& c) { c.txtTextBox_KeyPress(keyAscii); });
    if (KeyAnswerOf(handedOver, keyAscii) != KeyAnswer::Keep)
        event.code = static_cast<std::uint16_t>(keyAscii);
}

void ControlHost::Mouse(UINT message, LPARAM lParam, MouseTarget target) {
    const World& world = World::Current();
    const MouseArgs args = MouseArgsOf(message, world.MouseButtons(), world.ShiftState(),
                                       POINT{PointX(lParam), PointY(lParam)});
    Deliver(MouseNotificationName(target, args.action),
            [&](HostedControl& c) { NotifyMouse(c, target, args); });
}

bool ControlHost::Inside(HWND hwnd) const {
    const WindowManager& windows = Windows();
    return hwnd && (hwnd == window_ || windows.IsDescendant(window_, hwnd) ||
                    (list_ && (hwnd == list_ || windows.IsDescendant(list_, hwnd))));
}

void ControlHost::FocusLeft(HWND gaining) {
    const FocusGoes where = Inside(gaining)   ? FocusGoes::IntoTheControl
                            : OnForm(gaining) ? FocusGoes::ElsewhereOnTheForm
                            : gaining         ? FocusGoes::OffTheForm
                                              : FocusGoes::Nowhere;
    if (!FocusLeavesControl(where, FormState::Loaded)) return;
    Deliver("UserControl_ExitFocus", [](HostedControl& c) { c.UserControl_ExitFocus(); });
}

bool ControlHost::OnForm(HWND hwnd) const {
    const HWND form = form_.Hwnd();
    return hwnd && (hwnd == form || Windows().IsDescendant(form, hwnd));
}

}  // namespace cp::sim
