// The Font property: a standard font object, read and set through the dual interface and late
// binding alike. A put takes a copy of the host's font, a put by reference the object itself,
// so that a later change of it (`picker.Font.Bold = True`) shows. Anything else is refused
// with "Invalid property value" (380) and the font stays.
#include "component/ColumnPickObject.h"
#include "component/ComError.h"

namespace ocx {
namespace {

constexpr const char* kNotAFont = "Invalid property value";

// The object that a put hands over, through whatever reference the caller passed; a reference
// to nothing hands over nothing.
IUnknown* GivenObject(const VARIANT& given) {
    const VARIANT* v = &given;
    if (V_VT(v) == (VT_BYREF | VT_VARIANT)) v = V_VARIANTREF(v);
    if (v == nullptr) return nullptr;
    switch (V_VT(v)) {
        case VT_DISPATCH:
        case VT_UNKNOWN:
            return V_UNKNOWN(v);
        case VT_BYREF | VT_DISPATCH:
        case VT_BYREF | VT_UNKNOWN:
            return V_UNKNOWNREF(v) != nullptr ? *V_UNKNOWNREF(v) : nullptr;
        default:
            return nullptr;
    }
}

// The checks the dispatch table makes of every other member's call, for the Font's: counts the
// arrays cannot hold are no call at all (E_INVALIDARG); a get takes nothing, a put one value
// named DISPID_PROPERTYPUT.
HRESULT FontCallShape(bool put, const DISPPARAMS& p) {
    const UINT named = p.cNamedArgs;
    if (named > p.cArgs || (p.cArgs > 0 && p.rgvarg == nullptr) ||
        (named > 0 && p.rgdispidNamedArgs == nullptr)) {
        return E_INVALIDARG;
    }
    if (!put) return p.cArgs == 0 ? S_OK : DISP_E_BADPARAMCOUNT;
    if (named > 1 || (named == 1 && p.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)) {
        return DISP_E_NONAMEDARGS;
    }
    if (named == 0) return DISP_E_PARAMNOTOPTIONAL;
    return p.cArgs == 1 ? S_OK : DISP_E_BADPARAMCOUNT;
}

}  // namespace

IDispatch* ColumnPickObject::Ambients() {
    IDispatch* ambients = nullptr;
    if (site_ != nullptr &&
        SUCCEEDED(site_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambients)))) {
        return ambients;
    }
    if (quickAmbients_ == nullptr) return nullptr;
    quickAmbients_->AddRef();
    return quickAmbients_;
}

void ColumnPickObject::FontChanged() {
    if (started_) host_->SetFont(font_.Handle());
    // The container's font is not stored: following it changes nothing to save.
    if (!font_.FollowsContainer()) dirty_ = true;
    notify_.Changed(DISPID_FONT);
}

void ColumnPickObject::InFontCall(const std::function<void()>& body) {
    Entered(IID_IPropertyNotifySink, [&] {
        body();
        return S_OK;
    });
}

HRESULT ColumnPickObject::get_Font(IFontDisp** value) {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    return Entered(IID__ColumnPick, [&] {
        Control();
        *value = font_.Get();
        return S_OK;
    });
}

HRESULT ColumnPickObject::put_Font(IFontDisp* value) {
    return PutFont(value, FontProperty::Taking::Copy);
}

HRESULT ColumnPickObject::putref_Font(IFontDisp* value) {
    return PutFont(value, FontProperty::Taking::Reference);
}

HRESULT ColumnPickObject::PutFont(IFontDisp* value, FontProperty::Taking taking) {
    return Entered(IID__ColumnPick, [&] {
        Control();
        const HRESULT hr = font_.Put(value, taking);
        if (FAILED(hr)) Raise(vberr::InvalidPropertyValue, kNotAFont);
        return hr;
    });
}

bool ColumnPickObject::InvokeFont(DISPID dispid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                  UINT* argError, HRESULT* hr) {
    if (dispid != DISPID_FONT) return false;
    // The result is Empty unless the call gives one, failed calls included.
    if (result != nullptr) ::VariantInit(result);
    const bool get = (flags & DISPATCH_PROPERTYGET) != 0;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (!get && !put) {
        *hr = DISP_E_MEMBERNOTFOUND;
        return true;
    }
    static const DISPPARAMS none{};
    const DISPPARAMS& p = params != nullptr ? *params : none;
    // A call that could be either is a get when it brings no value.
    const bool asGet = get && (!put || p.cArgs == 0);
    *hr = FontCallShape(!asGet, p);
    if (FAILED(*hr)) return true;
    if (asGet) {
        IFontDisp* font = nullptr;
        *hr = get_Font(&font);
        if (SUCCEEDED(*hr) && result != nullptr) {
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = font;
        } else if (font != nullptr) {
            font->Release();
        }
        return true;
    }
    IUnknown* given = GivenObject(p.rgvarg[0]);
    IFontDisp* font = nullptr;
    if (given == nullptr ||
        FAILED(given->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(&font)))) {
        if (argError != nullptr) *argError = 0;
        *hr = DISP_E_TYPEMISMATCH;
        return true;
    }
    *hr = (flags & DISPATCH_PROPERTYPUTREF) != 0 ? putref_Font(font) : put_Font(font);
    font->Release();
    return true;
}

}  // namespace ocx
