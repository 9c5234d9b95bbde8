#include "component/PropertyPage.h"

#include <algorithm>
#include <new>

#include "component/ComError.h"
#include "component/ComPtr.h"
#include "component/NamedValues.h"
#include "component/PageFields.h"
#include "component/PageWindow.h"
#include "component/SheetApplyWatch.h"

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

std::wstring AsText(FieldKind kind, VARIANT& value) {
    const VARTYPE type = kind == FieldKind::Check    ? VT_BOOL
                         : kind == FieldKind::Choice ? VT_I4
                                                     : VT_BSTR;
    if (FAILED(::VariantChangeType(&value, &value, 0, type))) return L"";
    switch (kind) {
        case FieldKind::Check:
            return V_BOOL(&value) != VARIANT_FALSE ? L"1" : L"0";
        case FieldKind::Choice:
            return std::to_wstring(V_I4(&value));
        default:
            return V_BSTR(&value) ? std::wstring(V_BSTR(&value), ::SysStringLen(V_BSTR(&value)))
                                  : std::wstring();
    }
}

// The property's value, or nothing for a property that cannot be read (ColumnWidths).
std::wstring ReadValue(IDispatch* object, const PageField& field) {
    VARIANT value;
    ::VariantInit(&value);
    DISPPARAMS none{};
    std::wstring text;
    if (SUCCEEDED(object->Invoke(field.dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                 &none, &value, nullptr, nullptr))) {
        text = AsText(field.kind, value);
    }
    ::VariantClear(&value);
    return text;
}

VARIANT PutValue(const PageField& field, const std::wstring& text) {
    VARIANT value;
    ::VariantInit(&value);
    if (field.kind == FieldKind::Check) {
        V_VT(&value) = VT_BOOL;
        V_BOOL(&value) = text == L"1" ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (field.kind == FieldKind::Choice) {
        value = ValueVariant(*NamedPropertyOf(field.dispid), text.empty() ? 0 : std::stoi(text));
    } else {
        V_VT(&value) = VT_BSTR;
        V_BSTR(&value) = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        if (V_BSTR(&value) == nullptr) throw std::bad_alloc();
    }
    return value;
}

HRESULT Put(IDispatch* object, const PageField& field, const std::wstring& text,
            EXCEPINFO& exception) {
    VARIANT value = PutValue(field, text);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    UINT argError = 0;
    const HRESULT hr =
        object->Invoke(field.dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                       nullptr, &exception, &argError);
    ::VariantClear(&value);
    return hr;
}

// Whether a number the control took without an error is the one it holds now: a control that
// refuses a value out of range in a form it runs in shows its own message and keeps the old
// value.
bool Holds(IDispatch* object, const PageField& field, const std::wstring& text) {
    if (field.kind != FieldKind::Number) return true;
    VARIANT held;
    ::VariantInit(&held);
    DISPPARAMS none{};
    if (FAILED(object->Invoke(field.dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                              &none, &held, nullptr, nullptr))) {
        return true;
    }
    VARIANT wanted;
    ::VariantInit(&wanted);
    V_VT(&wanted) = VT_BSTR;
    V_BSTR(&wanted) = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    const bool same = SUCCEEDED(::VariantChangeType(&wanted, &wanted, 0, V_VT(&held))) &&
                      ::VarCmp(&wanted, &held, LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
    ::VariantClear(&wanted);
    ::VariantClear(&held);
    return same;
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
    ReleaseObjects();
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
        std::vector<IDispatch*> taken;
        for (ULONG i = 0; i < count; ++i) {
            IDispatch* object = nullptr;
            if (objects[i] == nullptr || FAILED(objects[i]->QueryInterface(
                                             IID_IDispatch, reinterpret_cast<void**>(&object)))) {
                for (IDispatch* held : taken)
                    held->Release();
                return E_NOINTERFACE;
            }
            taken.push_back(object);
        }
        ReleaseObjects();
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

void PropertyPage::ReleaseObjects() {
    for (IDispatch* object : objects_)
        object->Release();
    objects_.clear();
}

void PropertyPage::ReadObjects() {
    const auto fields = PageFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        held_[i] = objects_.empty() ? std::wstring() : ReadValue(objects_.front(), fields[i]);
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
    std::vector<ComPtr<IDispatch>> objects(objects_.begin(), objects_.end());
    for (const ComPtr<IDispatch>& object : objects) {
        EXCEPINFO exception{};
        const HRESULT hr = Put(object.Get(), setting, value, exception);
        if (FAILED(hr)) {
            const RuntimeError error = ErrorOfCall(hr, exception, object.Get());
            cp::host::MsgBox(error.Description(), cp::vbOKOnly | cp::vbExclamation);
            return false;
        }
        if (!Holds(object.Get(), setting, value)) return false;
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
