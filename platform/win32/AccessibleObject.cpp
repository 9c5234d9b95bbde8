#include "platform/win32/AccessibleObject.h"

#include "platform/win32/ControlHost.h"
#include "platform/win32/Wide.h"

namespace cp::win32 {

AccessibleObject::AccessibleObject(ControlHost& host) : host_(&host), frames_(&host.Frames()) {}

HRESULT AccessibleObject::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (riid == __uuidof(::IUnknown) || riid == __uuidof(::IDispatch) ||
        riid == __uuidof(::IAccessible)) {
        *object = static_cast<::IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleObject::AddRef() {
    return ++references_;
}

ULONG AccessibleObject::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT AccessibleObject::GetTypeInfo(UINT, LCID, ::ITypeInfo** info) {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT AccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, ::DISPPARAMS*, ::VARIANT*,
                                 ::EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

HRESULT AccessibleObject::get_accDescription(::VARIANT child, BSTR* text) {
    if (text == nullptr) return E_POINTER;
    *text = nullptr;
    return Answer(child, [](AccessibleControl&, long) { return S_FALSE; });
}

HRESULT AccessibleObject::get_accHelp(::VARIANT child, BSTR* text) {
    return get_accDescription(child, text);
}

HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, ::VARIANT child, long* topic) {
    if (file == nullptr || topic == nullptr) return E_POINTER;
    *file = nullptr;
    *topic = -1;
    return Answer(child, [](AccessibleControl&, long) { return S_FALSE; });
}

HRESULT AccessibleObject::get_accKeyboardShortcut(::VARIANT child, BSTR* text) {
    return get_accDescription(child, text);
}

HRESULT AccessibleObject::put_accName(::VARIANT, BSTR) {
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleObject::put_accValue(::VARIANT, BSTR) {
    return DISP_E_MEMBERNOTFOUND;
}

AccessibleControl* AccessibleObject::Reader() {
    return host_ == nullptr ? nullptr : host_->Accessibility();
}

std::optional<long> AccessibleObject::ChildOf(const ::VARIANT& child) {
    if (child.vt != VT_I4) return std::nullopt;
    const long id = child.lVal;
    if (id == CHILDID_SELF) return id;
    AccessibleControl* reader = Reader();
    if (reader == nullptr || id < 1 || id > ChildCount(*reader)) return std::nullopt;
    return id;
}

HRESULT AccessibleObject::ControlAsParent(::IDispatch** parent) {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    ::VARIANT self;
    SetChildVariant(&self, CHILDID_SELF);
    return Answer(self, [&](AccessibleControl&, long) {
        return host_->Readers().ControlObject()->QueryInterface(__uuidof(::IDispatch),
                                                                reinterpret_cast<void**>(parent));
    });
}

HRESULT AccessibleObject::CountChildren(long* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    ::VARIANT self;
    SetChildVariant(&self, CHILDID_SELF);
    return Answer(self, [&](AccessibleControl& reader, long) {
        *count = ChildCount(reader);
        return S_OK;
    });
}

HRESULT AccessibleObject::SimpleChild(const ::VARIANT& child, ::IDispatch** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    return Answer(child, [](AccessibleControl&, long id) {
        return id == CHILDID_SELF ? E_INVALIDARG : S_FALSE;
    });
}

namespace {

// The child that `direction` leads to from the one before it along `axis`: one on, one back, or
// none (0).
long StepOf(long direction, AccessibleObject::ChildAxis axis) {
    const bool vertical = axis == AccessibleObject::ChildAxis::Vertical;
    switch (direction) {
        case NAVDIR_NEXT:
            return 1;
        case NAVDIR_PREVIOUS:
            return -1;
        case NAVDIR_DOWN:
            return vertical ? 1 : 0;
        case NAVDIR_UP:
            return vertical ? -1 : 0;
        case NAVDIR_RIGHT:
            return vertical ? 0 : 1;
        case NAVDIR_LEFT:
            return vertical ? 0 : -1;
        default:
            return 0;
    }
}

}  // namespace

HRESULT AccessibleObject::NavigateChildren(long direction, const ::VARIANT& start, ::VARIANT* end,
                                           ChildAxis axis) {
    if (end == nullptr) return E_POINTER;
    ::VariantInit(end);
    return Answer(start, [&](AccessibleControl& reader, long id) {
        const long count = ChildCount(reader);
        long to = 0;
        if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
            if (id != CHILDID_SELF) return E_INVALIDARG;
            to = direction == NAVDIR_FIRSTCHILD ? 1 : count;
        } else {
            const long step = StepOf(direction, axis);
            if (step == 0 || id == CHILDID_SELF) return S_FALSE;
            to = id + step;
        }
        if (to < 1 || to > count) return S_FALSE;
        SetChildVariant(end, to);
        return S_OK;
    });
}

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT ReturnText(const std::string& utf8, BSTR* out) {
    return ReturnText(Widen(utf8), out);
}

void SetChildVariant(::VARIANT* out, long child) {
    ::VariantInit(out);
    out->vt = VT_I4;
    out->lVal = child;
}

void SetObjectVariant(::VARIANT* out, ::IDispatch* object) {
    ::VariantInit(out);
    out->vt = VT_DISPATCH;
    out->pdispVal = object;
    object->AddRef();
}

}  // namespace cp::win32
