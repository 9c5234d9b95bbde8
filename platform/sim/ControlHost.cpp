#include "platform/sim/ControlHost.h"

#include "platform/OleColor.h"
#include "platform/Twips.h"
#include "platform/sim/BuiltInClasses.h"
#include "platform/sim/Form.h"
#include "platform/sim/ListBoxClass.h"
#include "platform/sim/World.h"
#include "runtime/RuntimeError.h"

namespace cp::sim {
namespace {

WindowManager& Windows() {
    return World::Current().Windows();
}

// The runtime's Button argument for the button a mouse message is about.
std::int16_t ButtonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            return 1;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return 2;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return 4;
        default:
            break;
    }
    const WPARAM held = World::Current().MouseButtons();
    return static_cast<std::int16_t>(((held & MK_LBUTTON) ? 1 : 0) | ((held & MK_RBUTTON) ? 2 : 0) |
                                     ((held & MK_MBUTTON) ? 4 : 0));
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

void ControlHost::Construct(const Factory& factory) {
    control_ = factory(site_);
}

void ControlHost::Initialize() {
    Deliver("UserControl_Initialize", [](HostedControl& c) { c.UserControl_Initialize(); });
}

void ControlHost::CreateList() {
    const Window* w = Windows().Find(window_);
    if (!w) return;
    const int height = 2 * kBorderWidth + design::kInitialListRows * design::kRowHeightPixels;
    const RECT rect{0, w->Height(), w->Width(), w->Height() + height};
    list_ = Windows().Create("ThunderRT6ListBox", WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 0,
                             window_, rect, kListId);
    listFont_ = World::Current().Graphics().CreateFont("MS Sans Serif");
    Windows().Send(list_, sim::WM_SETFONT, reinterpret_cast<WPARAM>(listFont_), 0);
}

void ControlHost::LoadProperties(cp::PropertyBag* bag) {
    if (bag)
        Deliver("UserControl_ReadProperties",
                [bag](HostedControl& c) { c.UserControl_ReadProperties(*bag); });
    else
        Deliver("UserControl_InitProperties",
                [](HostedControl& c) { c.UserControl_InitProperties(); });
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
    return host ? host->Handle(message, wParam, lParam)
                : DefWindowProc(hwnd, message, wParam, lParam);
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
            Mouse(static_cast<UINT>(wParam), lParam, true);
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            Mouse(message, lParam, false);
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
    // KeyAscii is 16-bit: a character beyond that range is handed over as "?".
    constexpr std::int32_t kBeyond = '?';
    const std::int32_t original = event.code;
    const auto handedOver = static_cast<std::int16_t>(
        static_cast<std::uint16_t>(original <= 0xFFFF ? original : kBeyond));
    std::int16_t keyAscii = handedOver;
    Deliver("txtTextBox_KeyPress", [&](HostedControl& c) { c.txtTextBox_KeyPress(keyAscii); });
    if (keyAscii != handedOver) event.code = static_cast<std::uint16_t>(keyAscii);
}

void ControlHost::Mouse(UINT message, LPARAM lParam, bool onList) {
    enum class Kind { Down, Move, Up };
    const Kind kind =
        message == WM_MOUSEMOVE ? Kind::Move
        : (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN)
            ? Kind::Down
            : Kind::Up;
    static constexpr const char* kNames[2][3] = {
        {"UserControl_MouseDown", "UserControl_MouseMove", "UserControl_MouseUp"},
        {"lstListBox_MouseDown", "lstListBox_MouseMove", "lstListBox_MouseUp"}};
    const std::int16_t button = ButtonOf(message);
    const std::int16_t shift = World::Current().ShiftState();
    const float x = TwipsFromPixels(PointX(lParam));
    const float y = TwipsFromPixels(PointY(lParam));
    Deliver(kNames[onList ? 1 : 0][static_cast<int>(kind)], [&](HostedControl& c) {
        using Handler = void (HostedControl::*)(std::int16_t, std::int16_t, float, float);
        static constexpr Handler kHandlers[2][3] = {
            {&HostedControl::UserControl_MouseDown, &HostedControl::UserControl_MouseMove,
             &HostedControl::UserControl_MouseUp},
            {&HostedControl::lstListBox_MouseDown, &HostedControl::lstListBox_MouseMove,
             &HostedControl::lstListBox_MouseUp}};
        (c.*kHandlers[onList ? 1 : 0][static_cast<int>(kind)])(button, shift, x, y);
    });
}

bool ControlHost::Inside(HWND hwnd) const {
    const WindowManager& windows = Windows();
    return hwnd && (hwnd == window_ || windows.IsDescendant(window_, hwnd) ||
                    (list_ && (hwnd == list_ || windows.IsDescendant(list_, hwnd))));
}

void ControlHost::FocusLeft(HWND gaining) {
    // Only another window of the form takes the focus from the control: focus that goes to
    // another window or program, or nowhere, leaves the control the form's active control.
    if (Inside(gaining) || !OnForm(gaining)) return;
    Deliver("UserControl_ExitFocus", [](HostedControl& c) { c.UserControl_ExitFocus(); });
}

bool ControlHost::OnForm(HWND hwnd) const {
    const HWND form = form_.Hwnd();
    return hwnd && (hwnd == form || Windows().IsDescendant(form, hwnd));
}

}  // namespace cp::sim
