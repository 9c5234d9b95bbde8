// What property browsers ask of the control beside its type library: the names of the values
// of its enumerated properties, and the pages that edit its properties (its own page for the
// list's settings, the system's colour and font pages for the colours and the Font).
#include <algorithm>
#include <string_view>

#include "component/ColumnPickObject.h"
#include "component/ComError.h"
#include "component/NamedValues.h"
#include "component/PageFields.h"
#include "component/PropertyPage.h"

namespace ocx {
namespace {

bool IsColor(DISPID dispid) {
    namespace id = iface::dispid;
    return dispid == id::BackColorNormal || dispid == id::BackColorSelected ||
           dispid == id::ForeColorNormal || dispid == id::ForeColorSelected ||
           dispid == id::ColumnLineForeColor;
}

// A member of the control's at all: a property without names is no failure of the caller's.
bool IsMember(DISPID dispid) {
    if (dispid == DISPID_FONT) return true;
    const auto members = iface::Members();
    return std::any_of(members.begin(), members.end(),
                       [&](const iface::Member& m) { return m.dispid == dispid; });
}

// The answer for a property that has no names: the caller's mistake when there is no such
// property at all.
HRESULT Unnamed(DISPID dispid) {
    return IsMember(dispid) ? E_NOTIMPL : DISP_E_MEMBERNOTFOUND;
}

template <class T>
T* TaskArray(std::size_t count) {
    return static_cast<T*>(::CoTaskMemAlloc(count * sizeof(T)));
}

}  // namespace

HRESULT ColumnPickObject::GetPages(CAUUID* pages) {
    if (pages == nullptr) return E_POINTER;
    const GUID listed[] = {kPropertyPageClass, kStockColorPage, kStockFontPage};
    pages->pElems = TaskArray<GUID>(std::size(listed));
    pages->cElems = 0;
    if (pages->pElems == nullptr) return E_OUTOFMEMORY;
    std::copy(std::begin(listed), std::end(listed), pages->pElems);
    pages->cElems = std::size(listed);
    return S_OK;
}

HRESULT ColumnPickObject::GetDisplayString(DISPID dispid, BSTR* text) {
    if (text == nullptr) return E_POINTER;
    *text = nullptr;
    const NamedProperty* named = NamedPropertyOf(dispid);
    if (named == nullptr) return Unnamed(dispid);
    VARIANT value;
    ::VariantInit(&value);
    DISPPARAMS none{};
    HRESULT hr = Invoke(dispid, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
    if (SUCCEEDED(hr)) hr = ::VariantChangeType(&value, &value, 0, VT_I4);
    if (FAILED(hr)) {
        ::VariantClear(&value);
        return hr;
    }
    // The name is made inside the boundary: memory may run short there too.
    return Boundary(IID_IPerPropertyBrowsing, [&] {
        *text = ::SysAllocString(NameOfValue(*named, V_I4(&value)).c_str());
        return *text != nullptr ? S_OK : E_OUTOFMEMORY;
    });
}

HRESULT ColumnPickObject::MapPropertyToPage(DISPID dispid, CLSID* page) {
    if (page == nullptr) return E_POINTER;
    *page = CLSID_NULL;
    if (OnPage(dispid)) {
        *page = kPropertyPageClass;
    } else if (IsColor(dispid)) {
        *page = kStockColorPage;
    } else if (dispid == DISPID_FONT) {
        *page = kStockFontPage;
    } else {
        return IsMember(dispid) ? PERPROP_E_NOPAGEAVAILABLE : DISP_E_MEMBERNOTFOUND;
    }
    return S_OK;
}

HRESULT ColumnPickObject::GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings,
                                               CADWORD* cookies) {
    if (strings == nullptr || cookies == nullptr) return E_POINTER;
    *strings = CALPOLESTR{};
    *cookies = CADWORD{};
    const NamedProperty* named = NamedPropertyOf(dispid);
    if (named == nullptr) return Unnamed(dispid);
    const std::size_t count = named->values.size();
    auto* names = TaskArray<LPOLESTR>(count);
    auto* values = TaskArray<DWORD>(count);
    std::size_t made = 0;
    for (; names != nullptr && values != nullptr && made < count; ++made) {
        const std::wstring_view name = named->values[made].name;
        names[made] = TaskArray<OLECHAR>(name.size() + 1);
        if (names[made] == nullptr) break;
        std::copy(name.begin(), name.end(), names[made]);
        names[made][name.size()] = L'\0';
        values[made] = static_cast<DWORD>(named->values[made].value);
    }
    if (made < count) {
        for (std::size_t i = 0; names != nullptr && i < made; ++i)
            ::CoTaskMemFree(names[i]);
        ::CoTaskMemFree(names);
        ::CoTaskMemFree(values);
        return E_OUTOFMEMORY;
    }
    *strings = CALPOLESTR{static_cast<ULONG>(count), names};
    *cookies = CADWORD{static_cast<ULONG>(count), values};
    return S_OK;
}

HRESULT ColumnPickObject::GetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value) {
    if (value == nullptr) return E_POINTER;
    ::VariantInit(value);
    const NamedProperty* named = NamedPropertyOf(dispid);
    if (named == nullptr) return Unnamed(dispid);
    for (const NamedValue& entry : named->values) {
        if (static_cast<DWORD>(entry.value) == cookie) {
            *value = ValueVariant(*named, entry.value);
            return S_OK;
        }
    }
    return E_INVALIDARG;
}

}  // namespace ocx
