#include "component/PageWindow.h"

#include <algorithm>
#include <new>
#include <string>

#include "component/Module.h"
#include "component/NamedValues.h"
#include "component/PageFields.h"
#include "platform/win32/Wide.h"

namespace ocx {
namespace {

constexpr const wchar_t* kClassName = L"ColumnPickPropertyPage";
constexpr int kMargin = 8;
constexpr int kLabelWidth = 120;
constexpr int kFieldWidth = 240;
constexpr int kRowHeight = 22;
constexpr int kRowStep = 26;
constexpr int kDroppedHeight = 120;  // a list's field with its choices open
constexpr int kFirstId = 100;        // the field's control identifier, by index

ATOM RegisterPageClass(WNDPROC procedure) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = procedure;
    wc.hInstance = Module();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return ::RegisterClassExW(&wc);
}

bool EnsurePageClass(WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    return ::GetClassInfoExW(Module(), kClassName, &existing) || RegisterPageClass(procedure) != 0;
}

HWND MakeChild(HWND parent, const wchar_t* kind, const wchar_t* text, DWORD style, int y, int x,
               int width, int height, int id) {
    const DWORD exStyle = ::lstrcmpW(kind, L"EDIT") == 0 ? WS_EX_CLIENTEDGE : 0;
    HWND child =
        ::CreateWindowExW(exStyle, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                          parent, reinterpret_cast<HMENU>(INT_PTR{id}), Module(), nullptr);
    if (child == nullptr) throw std::bad_alloc();
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                   FALSE);
    return child;
}

bool IsUserChange(WORD code) {
    return code == EN_CHANGE || code == BN_CLICKED || code == CBN_SELCHANGE;
}

}  // namespace

SIZE PageWindow::Size() {
    const auto rows = static_cast<LONG>(PageFields().size());
    return {2 * kMargin + kLabelWidth + kFieldWidth, 2 * kMargin + rows * kRowStep};
}

PageWindow::PageWindow(HWND parent, const RECT& place, Edited edited) : edited_(std::move(edited)) {
    if (!EnsurePageClass(&Procedure)) throw std::bad_alloc();
    window_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, L"", WS_CHILD | WS_CLIPCHILDREN,
                                place.left, place.top, place.right - place.left,
                                place.bottom - place.top, parent, nullptr, Module(), nullptr);
    if (window_ == nullptr) throw std::bad_alloc();
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    try {
        MakeFields();
    } catch (...) {
        ::DestroyWindow(window_);
        throw;
    }
}

PageWindow::~PageWindow() {
    if (window_ != nullptr && ::IsWindow(window_)) {
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

void PageWindow::MakeFields() {
    const auto fields = PageFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int y = kMargin + static_cast<int>(i) * kRowStep;
        const int id = kFirstId + static_cast<int>(i);
        const int x = kMargin + kLabelWidth;
        MakeChild(window_, L"STATIC", win32::Widen(fields[i].name).c_str(), SS_LEFT, y + 3, kMargin,
                  kLabelWidth, kRowHeight, -1);
        switch (fields[i].kind) {
            case FieldKind::Check:
                fields_.push_back(MakeChild(window_, L"BUTTON", L"", BS_AUTOCHECKBOX | WS_TABSTOP,
                                            y, x, kFieldWidth, kRowHeight, id));
                break;
            case FieldKind::Choice:
                fields_.push_back(MakeChild(window_, L"COMBOBOX", L"",
                                            CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, y, x,
                                            kFieldWidth, kDroppedHeight, id));
                break;
            default:
                fields_.push_back(MakeChild(window_, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, y,
                                            x, kFieldWidth, kRowHeight, id));
                break;
        }
    }
}

void PageWindow::Fill(std::span<const std::wstring> values) {
    filling_ = true;
    const auto fields = PageFields();
    for (std::size_t i = 0; i < fields_.size() && i < values.size(); ++i) {
        switch (fields[i].kind) {
            case FieldKind::Check:
                ::SendMessageW(fields_[i], BM_SETCHECK,
                               values[i] == L"1" ? BST_CHECKED : BST_UNCHECKED, 0);
                break;
            case FieldKind::Choice:
                FillChoice(i, values[i]);
                break;
            default:
                ::SetWindowTextW(fields_[i], values[i].c_str());
                break;
        }
    }
    filling_ = false;
}

// The property's named values, and the value itself where it has no name.
void PageWindow::FillChoice(std::size_t field, std::wstring_view value) {
    HWND list = fields_[field];
    const NamedProperty* named = NamedPropertyOf(PageFields()[field].dispid);
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    const std::int32_t shown = value.empty() ? 0 : std::stoi(std::wstring(value));
    LRESULT selected = CB_ERR;
    std::vector<std::int32_t> values;
    for (const NamedValue& entry : named->values)
        values.push_back(entry.value);
    if (std::find(values.begin(), values.end(), shown) == values.end()) values.push_back(shown);
    for (std::int32_t v : values) {
        const LRESULT at = ::SendMessageW(list, CB_ADDSTRING, 0,
                                          reinterpret_cast<LPARAM>(NameOfValue(*named, v).c_str()));
        ::SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(v));
        if (v == shown) selected = at;
    }
    ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

std::wstring PageWindow::Read(std::size_t field) const {
    HWND control = fields_.at(field);
    switch (PageFields()[field].kind) {
        case FieldKind::Check:
            return ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? L"1" : L"0";
        case FieldKind::Choice: {
            const LRESULT at = ::SendMessageW(control, CB_GETCURSEL, 0, 0);
            if (at == CB_ERR) return L"";
            return std::to_wstring(
                ::SendMessageW(control, CB_GETITEMDATA, static_cast<WPARAM>(at), 0));
        }
        default:
            return win32::WindowText(control);
    }
}

void PageWindow::Focus(std::size_t field) {
    if (field >= fields_.size()) return;
    ::SetFocus(fields_[field]);
    const FieldKind kind = PageFields()[field].kind;
    if (kind == FieldKind::Text || kind == FieldKind::Number) {
        ::SendMessageW(fields_[field], EM_SETSEL, 0, -1);
    }
}

LRESULT CALLBACK PageWindow::Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* page = reinterpret_cast<PageWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (page != nullptr && message == WM_COMMAND && IsUserChange(HIWORD(wParam)) &&
        !page->filling_) {
        const int index = LOWORD(wParam) - kFirstId;
        if (index >= 0 && static_cast<std::size_t>(index) < page->fields_.size()) {
            try {
                page->edited_(static_cast<std::size_t>(index));
            } catch (...) {
                // The field keeps the change; the page reads every field again before it
                // applies them.
            }
        }
    }
    if (page != nullptr && message == WM_NCDESTROY) page->window_ = nullptr;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

void UnregisterPageWindowClass() {
    ::UnregisterClassW(kClassName, Module());
}

}  // namespace ocx
