#include "sample/SampleForm.h"

#include <algorithm>

#include "platform/HostForm.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"
#include "sample/FormDensity.h"
#include "sample/SampleItems.h"

namespace cp::sample {
namespace {

// The panels' rows, in pixels of the form's client area.
constexpr int kFirstPanelTop = 64;
constexpr int kPanelSpacing = 150;
constexpr int kMargin = 16;
constexpr int kHintWidth = 688;
constexpr int kHintHeight = 46;
constexpr int kFieldLabelTop = 488;
constexpr int kFieldLabelWidth = 300;
constexpr int kFieldLabelHeight = 18;
constexpr int kClientWidth = 720;  // as the host's form makes it
constexpr int kClientHeight = 540;
const wchar_t* const kSelfProperty = L"ColumnPick.SampleForm";

// The server's rows in the order of the item strings; its countries have a numeric code where
// the item strings have the alpha-3 one, and their official name as the hidden column.
const char* const kCountriesQuery =
    "SELECT name, code, numeric, official_name FROM countries ORDER BY lower(name), code";
const char* const kCurrenciesQuery =
    "SELECT name, code, numeric FROM currencies ORDER BY lower(name), code";

const char* const kHint =
    "Countries, currencies and languages of ISO 3166-1, 4217 and 639-3 (Debian's iso-codes). "
    "Type to complete; Alt+Down or the button opens the list; Enter, a click or Tab commits. "
    "With the database server running, the currencies stay on it and are read as the list "
    "needs them (server mode).";

// A label at a place of the 96-DPI layout.
void AddLabel(HWND form, const char* text, int x, int y, int width, int height) {
    HWND label = ::CreateWindowExW(0, L"STATIC", win32::Widen(text).c_str(),
                                   WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, Scaled(x),
                                   Scaled(y), Scaled(width), Scaled(height), form, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(LabelFont()), FALSE);
}

// The host's form and its plain field keep their 96-DPI pixels: the sample's grow with the
// screen.
void GrowWithTheScreen(HWND form, HWND field) {
    ::RECT frame{0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(form, GWL_STYLE)), FALSE, 0);
    ::SetWindowPos(form, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT at = form::TextFieldRect(kClientHeight);
    ::MoveWindow(field, Scaled(at.left), Scaled(at.top), Scaled(at.right - at.left),
                 Scaled(at.bottom - at.top), TRUE);
    ::SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(LabelFont()), TRUE);
}

std::vector<PanelSetup> Setups() {
    // Each list: the name first (the text typed and shown), the code as Value, a third column
    // to read, and (countries, languages) a column the list does not show. The lists are as
    // wide as their columns, their scroll bar and their border (270 twips).
    return {
        {"country", "Country:", kCountryItems, kCountriesQuery, 4, "2550;450;600;0", 1, 3870,
         kFirstPanelTop, "Country;Code;Alpha-3", "0;2;1"},
        {"currency",
         "Currency:",
         kCurrencyItems,
         kCurrenciesQuery,
         3,
         "2700;600;600",
         1,
         4170,
         kFirstPanelTop + kPanelSpacing,
         {},
         {},
         "code"},
        {"language", "Language:", kLanguageItems, nullptr, 4, "2500;600;1100;0", 1, 4470,
         kFirstPanelTop + 2 * kPanelSpacing},
    };
}

}  // namespace

SampleForm::SampleForm(EventLog& log, Database* server) : form_("ColumnPick sample") {
    GrowWithTheScreen(form_.hWnd(), form_.TextField());
    AddLabel(form_.hWnd(), kHint, kMargin, kMargin, kHintWidth, kHintHeight);
    for (const PanelSetup& setup : Setups())
        panels_.push_back(std::make_unique<PickPanel>(form_, setup, server, log));
    AddLabel(form_.hWnd(), "Another field of the form (Tab moves here):", 8, kFieldLabelTop,
             kFieldLabelWidth, kFieldLabelHeight);
    ::SetPropW(form_.hWnd(), kSelfProperty, this);
    formProc_ = SubclassWindow(form_.hWnd(), &SampleForm::Proc);
    ::SetFocus(panels_.front()->Edit());
}

SampleForm::~SampleForm() {
    if (form_.hWnd() != nullptr) ::RemovePropW(form_.hWnd(), kSelfProperty);
}

LRESULT CALLBACK SampleForm::Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<SampleForm*>(::GetPropW(hWnd, kSelfProperty));
    if (self == nullptr) return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    const WNDPROC next = self->formProc_;
    if (uMsg == WM_CLOSE) {
        // The form is going: its controls ask for the focus no more.
        for (const auto& control : self->form_.Controls())
            control->BeginUnload();
    } else if (uMsg == WM_DESTROY) {
        ::RemovePropW(hWnd, kSelfProperty);
        ::PostQuitMessage(0);
    }
    return ::CallWindowProcW(next, hWnd, uMsg, wParam, lParam);
}

bool SampleForm::MoveFocus(HWND from, bool backwards) {
    std::vector<HWND> stops;
    for (const auto& panel : panels_)
        stops.push_back(panel->Edit());
    stops.push_back(form_.TextField());
    const auto at = std::find(stops.begin(), stops.end(), from);
    if (at == stops.end()) return false;
    const std::size_t n = stops.size();
    const std::size_t i = static_cast<std::size_t>(at - stops.begin());
    ::SetFocus(stops[(i + (backwards ? n - 1 : 1)) % n]);
    return true;
}

void SampleForm::Dispatch(const ::MSG& msg) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB &&
        MoveFocus(msg.hwnd, (::GetKeyState(VK_SHIFT) & 0x8000) != 0)) {
        return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

void SampleForm::Run() {
    ::MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        Dispatch(msg);
}

}  // namespace cp::sample
