#include "component/QuickAmbients.h"

#include <new>

namespace ocx {
namespace {

// The ambients that are flags of the structure.
struct FlagAmbient {
    DISPID dispid;
    DWORD flag;
};
constexpr FlagAmbient kFlags[] = {
    {DISPID_AMBIENT_USERMODE, QACONTAINER_USERMODE},
    {DISPID_AMBIENT_UIDEAD, QACONTAINER_UIDEAD},
    {DISPID_AMBIENT_SHOWGRABHANDLES, QACONTAINER_SHOWGRABHANDLES},
    {DISPID_AMBIENT_SHOWHATCHING, QACONTAINER_SHOWHATCHING},
    {DISPID_AMBIENT_AUTOCLIP, QACONTAINER_AUTOCLIP},
    {DISPID_AMBIENT_MESSAGEREFLECT, QACONTAINER_MESSAGEREFLECT},
    {DISPID_AMBIENT_SUPPORTSMNEMONICS, QACONTAINER_SUPPORTSMNEMONICS},
};

void Number(VARIANT* result, DWORD value) {
    V_VT(result) = VT_I4;
    V_I4(result) = static_cast<LONG>(value);
}

}  // namespace

QuickAmbients* QuickAmbients::Create(const QACONTAINER& container) {
    return new (std::nothrow) QuickAmbients(container);
}

QuickAmbients::QuickAmbients(const QACONTAINER& container)
    : flags_(container.dwAmbientFlags),
      fore_(container.colorFore),
      back_(container.colorBack),
      locale_(container.lcid),
      font_(container.pFont) {
    if (font_ != nullptr) font_->AddRef();
}

QuickAmbients::~QuickAmbients() {
    if (font_ != nullptr) font_->Release();
}

HRESULT QuickAmbients::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG QuickAmbients::AddRef() {
    return ++refs_;
}

ULONG QuickAmbients::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT QuickAmbients::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT QuickAmbients::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
    if (out != nullptr) *out = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT QuickAmbients::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}

HRESULT QuickAmbients::Invoke(DISPID dispid, REFIID iid, LCID, WORD flags, DISPPARAMS*,
                              VARIANT* result, EXCEPINFO*, UINT*) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if ((flags & DISPATCH_PROPERTYGET) == 0) return DISP_E_MEMBERNOTFOUND;
    if (result == nullptr) return E_POINTER;
    ::VariantInit(result);
    for (const FlagAmbient& ambient : kFlags) {
        if (ambient.dispid != dispid) continue;
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = (flags_ & ambient.flag) != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    switch (dispid) {
        case DISPID_AMBIENT_BACKCOLOR:
            Number(result, back_);
            return S_OK;
        case DISPID_AMBIENT_FORECOLOR:
            Number(result, fore_);
            return S_OK;
        case DISPID_AMBIENT_LOCALEID:
            Number(result, locale_);
            return S_OK;
        case DISPID_AMBIENT_FONT:
            return Font(result);
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT QuickAmbients::Font(VARIANT* result) const {
    IDispatch* font = nullptr;
    if (font_ == nullptr ||
        FAILED(font_->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(&font)))) {
        return DISP_E_MEMBERNOTFOUND;
    }
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = font;
    return S_OK;
}

}  // namespace ocx
