#include "sample/PickPanel.h"

#include <algorithm>
#include <string>

#include "platform/win32/ScreenDensity.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"
#include "runtime/Conversions.h"
#include "runtime/ScreenUnits.h"
#include "sample/FormDensity.h"

namespace cp::sample {
namespace {

constexpr int kMargin = 16;
constexpr int kControlLeft = 110;  // pixels of the form's client area
constexpr int kControlWidth = 240;
constexpr int kLabelHeight = 20;
constexpr int kLabelsLeft = 420;
constexpr int kLabelsWidth = 290;
constexpr int kEventsHeight = 96;
constexpr std::size_t kRecentEvents = 6;

// A label at a place of the 96-DPI layout.
HWND MakeLabel(HWND form, const std::string& text, int x, int y, int width, int height) {
    HWND label = ::CreateWindowExW(0, L"STATIC", win32::Widen(text).c_str(),
                                   WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, Scaled(x),
                                   Scaled(y), Scaled(width), Scaled(height), form, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(LabelFont()), FALSE);
    return label;
}

std::string KeyText(const char* name, int code, int shift = -1) {
    std::string text = std::string(name) + "(" + std::to_string(code);
    if (shift >= 0) text += "," + std::to_string(shift);
    return text + ")";
}

}  // namespace

namespace {

constexpr int kBorderPixels = 2;  // the list's border, left and right

// A list width in twips that holds columns of `widths` (a ColumnWidths string) with a line
// after each, the scroll bar and the border, and never less than `least`.
std::int16_t ListWidthFor(const std::string& widths, std::int16_t least) {
    int pixels = kBorderPixels + ::GetSystemMetrics(SM_CXVSCROLL);
    std::size_t start = 0;
    while (start <= widths.size()) {
        const std::size_t end = std::min(widths.find(';', start), widths.size());
        pixels +=
            static_cast<int>(std::stoi(widths.substr(start, end - start)) / TwipsPerPixel()) + 1;
        start = end + 1;
    }
    const auto twips = static_cast<int>(pixels * TwipsPerPixel());
    return static_cast<std::int16_t>(std::clamp(twips, static_cast<int>(least), 32767));
}

}  // namespace

PickPanel::PickPanel(win32::Form& form, const PanelSetup& setup, Database* server, EventLog& log)
    : name_(setup.name), log_(log) {
    MakeLabel(form.hWnd(), setup.caption, kMargin, setup.top + 3, kControlLeft - kMargin,
              kLabelHeight);
    // The form is laid out in pixels that grow with the screen; the control is placed in twips,
    // which the screen's density turns back into those pixels (known before the first control
    // starts). Its height is in twips already.
    win32::TakeScreenUnits();
    const auto twips = [](int pixels) {
        return static_cast<float>(Scaled(pixels) * TwipsPerPixel());
    };
    const win32::Placement at{twips(kControlLeft), twips(setup.top), twips(kControlWidth), 315};
    host_ = &form.AddControl(
        [this](const ControlSite& site) {
            auto made = std::make_unique<ColumnPick>(site);
            control_ = made.get();
            return std::unique_ptr<HostedControl>(std::move(made));
        },
        at, &store_);
    valueLabel_ =
        MakeLabel(form.hWnd(), "", kLabelsLeft, setup.top + 3, kLabelsWidth, kLabelHeight);
    eventsLabel_ = MakeLabel(form.hWnd(), "", kLabelsLeft, setup.top + 3 + kLabelHeight,
                             kLabelsWidth, kEventsHeight);

    ColumnPick& c = *control_;
    c.ColumnCount(setup.columnCount);
    c.ColumnWidths(setup.columnWidths);
    c.BoundColumn(setup.boundColumn);
    c.ListWidth(setup.listWidth);
    const bool fromServer = server != nullptr && setup.serverQuery != nullptr;
    const bool serverMode = fromServer && setup.serverKey != nullptr;
    if (serverMode) {
        c.ConnectComboBoxMultiColumn(*server, setup.serverQuery, setup.serverKey);
    } else if (fromServer) {
        c.FillComboBoxMultiColumn(*server, setup.serverQuery);
    } else {
        c.AddList(setup.items);
    }
    if (!setup.captions.empty()) {
        c.ColumnHeads(true);
        c.ColumnCaptions(setup.captions);
        c.ColumnAlignments(setup.alignments);
        // The columns take the widths of their longest names and codes at this screen's size,
        // and the list widens to hold them with its lines, scroll bar and border.
        c.ListWidth(ListWidthFor(c.FitColumnWidths(), setup.listWidth));
    }
    // The host hears of the control's events once it is set up.
    c.SetEventSink(this);
    ShowValue();
    log_.Add(name_ + ": " + std::to_string(c.ListCount()) + " rows" +
             (serverMode   ? " on the server (server mode)"
              : fromServer ? " from the server"
                           : ""));
}

void PickPanel::AfterUpdate() {
    Note("AfterUpdate, Value = " + ValueText());
    ShowValue();
}

void PickPanel::KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
    Note(KeyText("KeyDown", KeyCode, Shift), false);
}

void PickPanel::KeyPress(std::int16_t& KeyAscii) {
    Note(KeyText("KeyPress", KeyAscii), false);
}

void PickPanel::KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
    Note(KeyText("KeyUp", KeyCode, Shift), false);
}

void PickPanel::Change() {
    Note("Change: \"" + control_->Text() + "\"");
}

void PickPanel::NotInList(bool& Cancel) {
    // The text must name a row: back to the list with it.
    Cancel = true;
    Note("NotInList: \"" + control_->Text() + "\", back to the list");
}

void PickPanel::Note(const std::string& event, bool shown) {
    log_.Add(name_ + ": " + event);
    if (!shown) return;
    recent_.push_front(event);
    if (recent_.size() > kRecentEvents) recent_.pop_back();
    std::string text = "Last events:";
    for (const std::string& e : recent_)
        text += "\n  " + e;
    ::SetWindowTextW(eventsLabel_, win32::Widen(text).c_str());
}

void PickPanel::ShowValue() {
    ::SetWindowTextW(valueLabel_, win32::Widen("Value: " + ValueText()).c_str());
}

std::string PickPanel::ValueText() {
    const Variant value = control_->Value();
    return value.IsNull() ? "Null" : CStr(value);
}

}  // namespace cp::sample
