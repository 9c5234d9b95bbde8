// The Font property: a standard font object, read and set through the dual interface and late
// binding alike. A put takes a copy of the host's font, a put by reference the object itself,
// so that a later change of it (`picker.Font.Bold = True`) shows. Anything else is refused
// with "Invalid property value" (380) and the font stays.
#include "component/ColumnPickObject.h"
#include "component/ComError.h"

namespace ocx {
namespace {

constexpr const char* kNotAFont = "Invalid property value";

// The object that a put hands over, through whatever reference the caller passed.
IUnknown* GivenObject(const VARIANT& given) {
    const VARIANT* v = &given;
    if (V_VT(v) == (VT_BYREF | VT_VARIANT)) v = V_VARIANTREF(v);
    switch (V_VT(v)) {
        case VT_DISPATCH:
        case VT_UNKNOWN:
            return V_UNKNOWN(v);
        case VT_BYREF | VT_DISPATCH:
        case VT_BYREF | VT_UNKNOWN:
            return *V_UNKNOWNREF(v);
        default:
            return nullptr;
    }
}

}  // namespace

IDispatch* ColumnPickObject::Ambients() {
    IDispatch* ambients = nullptr;
    if (site_ == nullptr ||
        FAILED(site_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambients)))) {
        return nullptr;
    }
    return ambients;
}

void ColumnPickObject::FontChanged() {
    if (started_) host_->SetFont(font_.Handle());
    dirty_ = true;
    notify_.Changed(DISPID_FONT);
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
                                  HRESULT* hr) {
    if (dispid != DISPID_FONT) return false;
    if ((flags & DISPATCH_PROPERTYGET) != 0 && (params == nullptr || params->cArgs == 0)) {
        IFontDisp* font = nullptr;
        *hr = get_Font(&font);
        if (SUCCEEDED(*hr) && result != nullptr) {
            ::VariantInit(result);
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = font;
        } else if (font != nullptr) {
            font->Release();
        }
        return true;
    }
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) == 0) {
        *hr = DISP_E_MEMBERNOTFOUND;
        return true;
    }
    if (params == nullptr || params->cArgs != 1) {
        *hr = DISP_E_BADPARAMCOUNT;
        return true;
    }
    IUnknown* given = GivenObject(params->rgvarg[0]);
    IFontDisp* font = nullptr;
    if (given == nullptr ||
        FAILED(given->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(&font)))) {
        *hr = DISP_E_TYPEMISMATCH;
        return true;
    }
    *hr = (flags & DISPATCH_PROPERTYPUTREF) != 0 ? putref_Font(font) : put_Font(font);
    font->Release();
    return true;
}

}  // namespace ocx
