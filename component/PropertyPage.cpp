#include "component/PropertyPage.h"

#include <algorithm>
#include <new>

#include "component/AutomationObject.h"
#include "component/ComError.h"
#include "component/ComPtr.h"
#include "component/ComVariant.h"
#include "component/NamedValues.h"
#include "component/PageFields.h"
#include "component/PageWindow.h"
#include "component/SheetApplyWatch.h"
#include "platform/win32/Wide.h"

namespace ocx {
namespace {

constexpr const wchar_t* kTitle = L"List";

// The page holds itself alive while its own code runs: a control's sink may let go of the page.
class SelfReference {
public:
    explicit SelfReference(IUnknown& self) : self_(self) { self_.AddRef(); }
    ~SelfReference() { self_.Release(); }
    SelfReference(const SelfReference&) = delete;
    SelfReference& operator=(const SelfReference&) = delete;

private:
    IUnknown& self_;
};

std::wstring AsText(FieldKind kind, const Variant& value) {
    switch (kind) {
        case FieldKind::Check:
            return CBool(value) ? L"1" : L"0";
        case FieldKind::Choice:
            return std::to_wstring(CLng(value));
        default:
            return win32::Widen(CStr(value));
    }
}

// The property's value, or nothing for a property that cannot be read (ColumnWidths).
std::wstring ReadValue(AutomationObject& object, const PageField& field) {
    try {
        return AsText(field.kind, object.CallByName(field.name, cp::CallType::Get, {}));
    } catch (const RuntimeError&) {
        return L"";
    }
}

// The page's own child that holds `hWnd` (a list field's edit, say), or nothing.
HWND FieldHolding(HWND page, HWND hWnd) {
    while (hWnd != nullptr && ::GetParent(hWnd) != page)
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

// Whether Tab from `field` would go round the page to its other end: from the last field that
// takes Tab, or with Shift from the first.
bool TabLeavesPage(HWND page, HWND field, bool back) {
    HWND first = nullptr;
    HWND last = nullptr;
    for (HWND child = ::GetWindow(page, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
        if ((style & WS_TABSTOP) == 0 || !::IsWindowVisible(child) || !::IsWindowEnabled(child)) {
            continue;
        }
        if (first == nullptr) first = child;
        last = child;
    }
    return field != nullptr && field == (back ? first : last);
}

// The keys that belong to the frame around the page: its mnemonics (with Alt), Enter and Escape
// that the field does not take (the frame's default and cancel buttons), and Tab out of the
// page's last field (Shift+Tab out of its first), which goes on to the frame's own buttons.
bool FramesKey(HWND page, const MSG& msg) {
    if (msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP || msg.message == WM_SYSCHAR) {
        return true;
    }
    if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR) return false;
    if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) {
        const LRESULT wants =
            ::SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
        return (wants & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) == 0;
    }
    if (msg.wParam != VK_TAB) return false;
    return TabLeavesPage(page, FieldHolding(page, msg.hwnd), ::GetKeyState(VK_SHIFT) < 0);
}

Variant PutValue(const PageField& field, const std::wstring& text) {
    if (field.kind == FieldKind::Check) return text == L"1";
    if (field.kind == FieldKind::Choice) {
        // A named value goes in the type of the property's put.
        OwnedVariant value;
        value.v = ValueVariant(*NamedPropertyOf(field.dispid), text.empty() ? 0 : std::stoi(text));
        return FromVariant(value.v);
    }
    // The control converts a number as it converts a script's text.
    return win32::Narrow(text);
}

// Whether a number the control took without an error is the one it holds now: a control that
// refuses a value out of range in a form it runs in shows its own message and keeps the old
// value. The page's numbers are Integer properties, which take a text as the runtime converts
// it.
bool Holds(AutomationObject& object, const PageField& field, const std::wstring& text) {
    if (field.kind != FieldKind::Number) return true;
    try {
        const Variant held = object.CallByName(field.name, cp::CallType::Get, {});
        return CInt(held) == CInt(Variant(win32::Narrow(text)));
    } catch (const RuntimeError&) {
        return true;
    }
}

LPOLESTR TaskString(const wchar_t* text) {
    const std::size_t size = (::lstrlenW(text) + 1) * sizeof(wchar_t);
    auto* copy = static_cast<LPOLESTR>(::CoTaskMemAlloc(size));
    if (copy != nullptr) std::copy(text, text + size / sizeof(wchar_t), copy);
    return copy;
}

}  // namespace

HRESULT PropertyPage::Create(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    auto* page = new (std::nothrow) PropertyPage();
    if (page == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = page->QueryInterface(iid, out);
    page->Release();
    return hr;
}

PropertyPage::PropertyPage() : shown_(PageFields().size()), held_(PageFields().size()) {}

PropertyPage::~PropertyPage() {
    sheet_.reset();
    window_.reset();
    objects_.clear();
    if (site_ != nullptr) site_->Release();
}

HRESULT PropertyPage::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPropertyPage || iid == IID_IPropertyPage2) {
        *out = static_cast<IPropertyPage2*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG PropertyPage::AddRef() {
    return ++refs_;
}

ULONG PropertyPage::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT PropertyPage::SetPageSite(IPropertyPageSite* site) {
    if (site != nullptr) site->AddRef();
    if (site_ != nullptr) site_->Release();
    site_ = site;
    return S_OK;
}

HRESULT PropertyPage::Activate(HWND parent, LPCRECT place, BOOL) {
    if (place == nullptr) return E_POINTER;
    // A window that went with the frame's, without a Deactivate, is no active page.
    if (window_ != nullptr && window_->Handle() != nullptr) return E_UNEXPECTED;
    return Boundary(IID_IPropertyPage, [&] {
        sheet_.reset();
        window_.reset();
        window_ = std::make_unique<PageWindow>(parent, *place,
                                               [this](std::size_t field) { Edited(field); });
        window_->Fill(shown_);
        sheet_ = std::make_unique<SheetApplyWatch>(parent, [this] {
            const SelfReference self(*this);
            return ApplyAll();
        });
        return S_OK;
    });
}

HRESULT PropertyPage::Deactivate() {
    return Boundary(IID_IPropertyPage, [&] {
        TakeWindowValues();
        sheet_.reset();
        window_.reset();
        return S_OK;
    });
}

HRESULT PropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (info == nullptr) return E_POINTER;
    *info = PROPPAGEINFO{};
    info->cb = sizeof(PROPPAGEINFO);
    info->size = PageWindow::Size();
    info->pszTitle = TaskString(kTitle);
    return info->pszTitle != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT PropertyPage::SetObjects(ULONG count, IUnknown** objects) {
    if (count > 0 && objects == nullptr) return E_POINTER;
    return Boundary(IID_IPropertyPage, [&] {
        std::vector<std::shared_ptr<AutomationObject>> taken;
        for (ULONG i = 0; i < count; ++i) {
            ComPtr<IDispatch> object;
            if (objects[i] == nullptr ||
                FAILED(objects[i]->QueryInterface(IID_IDispatch, object.Receive()))) {
                return E_NOINTERFACE;
            }
            taken.push_back(std::make_shared<AutomationObject>(object.Get()));
        }
        objects_ = std::move(taken);
        ReadObjects();
        return S_OK;
    });
}

HRESULT PropertyPage::Show(UINT command) {
    if (window_ == nullptr || window_->Handle() == nullptr) return E_UNEXPECTED;
    ::ShowWindow(window_->Handle(), static_cast<int>(command));
    return S_OK;
}

HRESULT PropertyPage::Move(LPCRECT place) {
    if (place == nullptr) return E_POINTER;
    if (window_ == nullptr || window_->Handle() == nullptr) return E_UNEXPECTED;
    ::MoveWindow(window_->Handle(), place->left, place->top, place->right - place->left,
                 place->bottom - place->top, TRUE);
    return S_OK;
}

HRESULT PropertyPage::IsPageDirty() {
    return Boundary(IID_IPropertyPage, [&] {
        TakeWindowValues();
        return Dirty() ? S_OK : S_FALSE;
    });
}

HRESULT PropertyPage::Apply() {
    return Boundary(IID_IPropertyPage, [&] {
        const SelfReference self(*this);
        return ApplyAll() ? S_OK : E_FAIL;
    });
}

HRESULT PropertyPage::Help(LPCOLESTR) {
    return E_NOTIMPL;
}

HRESULT PropertyPage::TranslateAccelerator(MSG* msg) {
    if (msg == nullptr) return E_POINTER;
    HWND page = window_ != nullptr ? window_->Handle() : nullptr;
    if (page == nullptr || (msg->hwnd != page && !::IsChild(page, msg->hwnd))) return S_FALSE;
    if (FramesKey(page, *msg)) return S_FALSE;
    return ::IsDialogMessageW(page, msg) ? S_OK : S_FALSE;
}

HRESULT PropertyPage::EditProperty(DISPID dispid) {
    const auto fields = PageFields();
    const auto found = std::find_if(fields.begin(), fields.end(),
                                    [&](const PageField& field) { return field.dispid == dispid; });
    if (found == fields.end()) return E_NOTIMPL;
    if (window_ != nullptr) window_->Focus(static_cast<std::size_t>(found - fields.begin()));
    return S_OK;
}

void PropertyPage::ReadObjects() {
    const auto fields = PageFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        held_[i] = objects_.empty() ? std::wstring() : ReadValue(*objects_.front(), fields[i]);
    shown_ = held_;
    if (window_ != nullptr) window_->Fill(shown_);
}

void PropertyPage::TakeWindowValues() {
    if (window_ == nullptr || window_->Handle() == nullptr) return;
    for (std::size_t i = 0; i < shown_.size(); ++i)
        shown_[i] = window_->Read(i);
}

// A page without objects has nothing to apply to, whatever its fields show.
bool PropertyPage::Dirty() const {
    return !objects_.empty() && shown_ != held_;
}

void PropertyPage::Edited(std::size_t field) {
    shown_[field] = window_->Read(field);
    if (site_ != nullptr) site_->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
}

bool PropertyPage::ApplyField(std::size_t field) {
    const PageField& setting = PageFields()[field];
    const std::wstring value = shown_[field];
    // A message box shown during a put lets the frame run, which may give the page other
    // objects meanwhile: the put goes on with the ones it started with.
    const std::vector<std::shared_ptr<AutomationObject>> objects = objects_;
    for (const std::shared_ptr<AutomationObject>& object : objects) {
        try {
            object->CallByName(setting.name, cp::CallType::Let, {PutValue(setting, value)});
        } catch (const RuntimeError& error) {
            cp::host::MsgBox(error.Description(), cp::vbOKOnly | cp::vbExclamation);
            return false;
        }
        if (!Holds(*object, setting, value)) return false;
    }
    held_[field] = value;
    return true;
}

bool PropertyPage::ApplyAll() {
    TakeWindowValues();
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        if (shown_[i] == held_[i]) continue;
        if (!ApplyField(i)) {
            if (window_ != nullptr) window_->Focus(i);
            return false;
        }
    }
    return true;
}

}  // namespace ocx
