#include "sample/DemoSession.h"

#include <cstdio>
#include <utility>

#include "sample/Screenshot.h"

namespace cp::sample {
namespace {

constexpr std::size_t kCountry = 0;
constexpr std::size_t kCurrency = 1;
constexpr std::size_t kLanguage = 2;
constexpr POINT kInEdit{20, 10};
// From the control's right edge to the middle of its drop-down button, in pixels at 96 DPI
// (the button of a control 240 pixels wide with the sunken frame spans columns 222 to 237).
constexpr int kButtonFromRight = 11;
constexpr int kStandardDpi = 96;

// The middle of the drop-down button of the control `window`, on a screen of any density.
POINT OnButton(HWND window) {
    ::RECT client{};
    ::GetClientRect(window, &client);
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return POINT{client.right - ::MulDiv(kButtonFromRight, dpi, kStandardDpi), client.bottom / 2};
}

int RowHeight(HWND list) {
    return static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

int ListSelection(PickPanel& panel) {
    return static_cast<int>(::SendMessageW(panel.Host().ListBox().hWnd(), LB_GETCURSEL, 0, 0));
}

}  // namespace

DemoSession::DemoSession(SampleForm& form, EventLog& log, std::string outDir)
    : form_(form), log_(log), user_(form), outDir_(std::move(outDir)) {}

int DemoSession::Run() {
    // The pointer starts in a corner, away from the form.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    ::SetForegroundWindow(form_.hWnd());
    user_.Settle();
    Step("the form as it opens");
    Shot("start");
    TypeAndComplete();
    OpenHoverAndClick();
    PressTheButtonAndPickWithKeys();
    LeaveWithATextInNoRow();
    FilterByAnyPart();
    log_.Add(failures_ == 0 ? "== the session went as expected"
                            : "== " + std::to_string(failures_) + " expectation(s) not met");
    return failures_ == 0 ? 0 : 1;
}

void DemoSession::TypeAndComplete() {
    PickPanel& country = form_.Panel(kCountry);
    Step("click into the country field and type \"ger\"");
    user_.Click(country.Edit(), kInEdit.x, kInEdit.y);
    Expect(user_.WaitUntil([&] { return ::GetFocus() == country.Edit(); }),
           "the country field has the focus");
    user_.Type("ger");
    Expect(country.Control().Text() == "Germany", "\"ger\" is completed to \"Germany\"");
    const auto [start, end] = Selection(country.Edit());
    Expect(start == 3 && end == 7, "the completed tail \"many\" is selected");
    Shot("typed-prefix");
}

void DemoSession::OpenHoverAndClick() {
    PickPanel& country = form_.Panel(kCountry);
    HWND list = country.Host().ListBox().hWnd();
    Step("Alt+Down opens the list on the row of the text");
    user_.Key(VK_DOWN, true);
    Expect(user_.WaitUntil([&] { return country.Control().ComboBoxIsOpen(); }), "the list is open");
    Expect(ListSelection(country) == country.Control().ListIndex(), "Germany is selected");
    Shot("list-open");

    Step("the pointer hovers three rows lower");
    const int top = static_cast<int>(::SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    const int row = country.Control().ListIndex() + 3;
    const int rowHeight = RowHeight(list);
    user_.MoveTo(list, 60, (row - top) * rowHeight + rowHeight / 2);
    Expect(user_.WaitUntil([&] { return ListSelection(country) == row; }),
           "the row under the pointer is selected");
    Shot("hover");

    Step("a click picks the row");
    user_.Press();
    user_.Release();
    Expect(user_.WaitUntil([&] { return !country.Control().ComboBoxIsOpen(); }),
           "the list has closed");
    Expect(country.Control().ListIndex() == row, "the clicked row is the current row");
    Shot("row-picked");
}

void DemoSession::PressTheButtonAndPickWithKeys() {
    PickPanel& currency = form_.Panel(kCurrency);
    HWND window = currency.Host().UserControl().hWnd();
    Step("a press on the currency's button opens its list");
    const POINT onButton = OnButton(window);
    user_.MoveTo(window, onButton.x, onButton.y);
    user_.Press();
    Expect(user_.WaitUntil([&] { return currency.Control().ComboBoxIsOpen(); }),
           "the list is open");
    Shot("button-pressed");
    user_.Release();

    Step("Down three times and Enter pick the third row");
    user_.Key(VK_DOWN);
    user_.Key(VK_DOWN);
    user_.Key(VK_DOWN);
    Shot("moved-with-keys");
    user_.Key(VK_RETURN);
    Expect(!currency.Control().ComboBoxIsOpen(), "Enter closed the list");
    Expect(currency.Control().ListIndex() == 2, "the third row is committed");
    Shot("picked-with-keys");
}

void DemoSession::LeaveWithATextInNoRow() {
    PickPanel& language = form_.Panel(kLanguage);
    Step("type a text that matches no language and press Tab");
    user_.Click(language.Edit(), kInEdit.x, kInEdit.y);
    user_.Type("Klingonx");
    user_.Key(VK_TAB);
    Expect(user_.WaitUntil([&] { return language.Control().ComboBoxIsOpen(); }),
           "NotInList sent the user back to the open list");
    Expect(::GetFocus() == language.Edit(), "the language field keeps the focus");
    Shot("not-in-list");

    Step("Backspace, Enter: the completed \"Klingon\" is committed, and Tab moves on");
    user_.Key(VK_BACK);
    user_.Key(VK_BACK);
    user_.Type("n");
    Expect(language.Control().Text() == "Klingon", "the text is completed to \"Klingon\"");
    user_.Key(VK_RETURN);
    Expect(!language.Control().ComboBoxIsOpen(), "Enter closed the list");
    user_.Key(VK_TAB);
    Expect(::GetFocus() == form_.OtherField(), "Tab moved the focus to the other field");
    Shot("done");
}

void DemoSession::FilterByAnyPart() {
    PickPanel& country = form_.Panel(kCountry);
    Step("the country field finds any part of a name: \"land\" filters and marks the list");
    country.Control().MatchMode(2);
    country.Control().FilterList(true);
    user_.Click(country.Edit(), kInEdit.x, kInEdit.y);
    Expect(user_.WaitUntil([&] { return ::GetFocus() == country.Edit(); }),
           "the country field has the focus");
    country.Control().Text("");
    user_.Key(VK_DOWN, true);
    Expect(user_.WaitUntil([&] { return country.Control().ComboBoxIsOpen(); }), "the list is open");
    user_.Type("land");
    Expect(country.Control().Text() == "land", "the text stays as typed");
    Expect(country.Control().RowCount() > 1 && country.Control().RowCount() < 40,
           "the list shows only the countries with \"land\"");
    Shot("filtered");

    user_.Key(VK_RETURN);
    Expect(!country.Control().ComboBoxIsOpen(), "Enter closed the list");
    Expect(country.Control().Text().find("land") != std::string::npos,
           "the first country with \"land\" is committed");
    Shot("filter-picked");
}

void DemoSession::Step(const std::string& title) {
    ++step_;
    log_.Add("== " + std::to_string(step_) + ". " + title);
}

void DemoSession::Shot(const std::string& name) {
    user_.Settle();
    char number[8];
    std::snprintf(number, sizeof(number), "%02d", ++shots_);
    const std::string path = outDir_ + "/" + number + "-" + name + ".bmp";
    const ::RECT area = AreaAround(form_.hWnd(), {form_.Panel(kCountry).Host().ListBox().hWnd(),
                                                  form_.Panel(kCurrency).Host().ListBox().hWnd(),
                                                  form_.Panel(kLanguage).Host().ListBox().hWnd()});
    Expect(SaveScreenArea(area, path), "the screenshot " + path + " is written");
}

void DemoSession::Expect(bool ok, const std::string& what) {
    if (ok) return;
    ++failures_;
    log_.Add("!! expected: " + what);
}

}  // namespace cp::sample
