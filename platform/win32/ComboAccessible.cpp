#include "platform/win32/ComboAccessible.h"

#include "platform/win32/ControlHost.h"

namespace cp::win32 {
namespace {

const wchar_t* const kOpenAction = L"Open";
const wchar_t* const kCloseAction = L"Close";

::VARIANT Self() {
    ::VARIANT self;
    SetChildVariant(&self, CHILDID_SELF);
    return self;
}

bool HoldsFocus(HWND window) {
    const HWND focus = ::GetFocus();
    return focus != nullptr && (focus == window || ::IsChild(window, focus));
}

}  // namespace

long ComboAccessible::ChildCount(AccessibleControl& reader) {
    return reader.ColumnHeadings().empty() ? kListChild : kHeaderChild;
}

// The header is drawn in the list's window, above its rows.
HWND ComboAccessible::WindowOf(long id) {
    switch (id) {
        case kEditChild:
            return Host()->TextBox().hWnd();
        case kListChild:
        case kHeaderChild:
            return Host()->ListBox().hWnd();
        default:
            return Host()->UserControl().hWnd();
    }
}

HRESULT ComboAccessible::get_accParent(::IDispatch** parent) {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    return Answer(Self(), [&](AccessibleControl&, long) {
        return ::AccessibleObjectFromWindow(WindowOf(CHILDID_SELF), OBJID_WINDOW,
                                            __uuidof(::IDispatch),
                                            reinterpret_cast<void**>(parent));
    });
}

HRESULT ComboAccessible::get_accChildCount(long* count) {
    return CountChildren(count);
}

HRESULT ComboAccessible::get_accChild(::VARIANT child, ::IDispatch** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    return Answer(child, [&](AccessibleControl&, long id) {
        if (id == CHILDID_SELF) return E_INVALIDARG;
        if (id == kListChild || id == kHeaderChild) {
            ::IAccessible* own = id == kListChild ? Host()->Readers().ListObject()
                                                  : Host()->Readers().HeaderObject();
            return own->QueryInterface(__uuidof(::IDispatch), reinterpret_cast<void**>(object));
        }
        return ::AccessibleObjectFromWindow(WindowOf(id), OBJID_WINDOW, __uuidof(::IDispatch),
                                            reinterpret_cast<void**>(object));
    });
}

HRESULT ComboAccessible::get_accName(::VARIANT child, BSTR* name) {
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    return Answer(child, [&](AccessibleControl&, long) {
        return ReturnText(Host()->Readers().ControlName(), name);
    });
}

HRESULT ComboAccessible::get_accValue(::VARIANT child, BSTR* value) {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    return Answer(child, [&](AccessibleControl& reader, long id) {
        if (id == kListChild || id == kHeaderChild) return DISP_E_MEMBERNOTFOUND;
        return ReturnText(reader.ControlValue(), value);
    });
}

HRESULT ComboAccessible::get_accRole(::VARIANT child, ::VARIANT* role) {
    if (role == nullptr) return E_POINTER;
    ::VariantInit(role);
    return Answer(child, [&](AccessibleControl&, long id) {
        const long roles[] = {ROLE_SYSTEM_COMBOBOX, ROLE_SYSTEM_TEXT, ROLE_SYSTEM_LIST,
                              ROLE_SYSTEM_LIST};
        SetChildVariant(role, roles[id]);
        return S_OK;
    });
}

HRESULT ComboAccessible::get_accState(::VARIANT child, ::VARIANT* state) {
    if (state == nullptr) return E_POINTER;
    ::VariantInit(state);
    return Answer(child, [&](AccessibleControl& reader, long id) {
        const HWND window = WindowOf(id);
        long bits = 0;
        if (id == kHeaderChild) {
            bits = STATE_SYSTEM_READONLY | (reader.ListOpen() ? 0 : STATE_SYSTEM_INVISIBLE);
        } else if (id == kListChild) {
            bits = reader.ListOpen() ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_INVISIBLE;
        } else {
            bits = STATE_SYSTEM_FOCUSABLE;
            if (HoldsFocus(window)) bits |= STATE_SYSTEM_FOCUSED;
            if (id == CHILDID_SELF)
                bits |= reader.ListOpen() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
        }
        if (!::IsWindowEnabled(window)) bits |= STATE_SYSTEM_UNAVAILABLE;
        SetChildVariant(state, bits);
        return S_OK;
    });
}

HRESULT ComboAccessible::get_accFocus(::VARIANT* child) {
    if (child == nullptr) return E_POINTER;
    ::VariantInit(child);
    return Answer(Self(), [&](AccessibleControl&, long) {
        if (!HoldsFocus(WindowOf(CHILDID_SELF))) return S_FALSE;
        SetChildVariant(child, kEditChild);
        return S_OK;
    });
}

HRESULT ComboAccessible::get_accSelection(::VARIANT* children) {
    if (children == nullptr) return E_POINTER;
    ::VariantInit(children);
    return Answer(Self(), [](AccessibleControl&, long) { return S_FALSE; });
}

HRESULT ComboAccessible::get_accDefaultAction(::VARIANT child, BSTR* action) {
    if (action == nullptr) return E_POINTER;
    *action = nullptr;
    return Answer(child, [&](AccessibleControl& reader, long id) {
        if (id != CHILDID_SELF) return S_FALSE;
        return ReturnText(std::wstring(reader.ListOpen() ? kCloseAction : kOpenAction), action);
    });
}

HRESULT ComboAccessible::accSelect(long flags, ::VARIANT child) {
    return Answer(child, [&](AccessibleControl&, long id) {
        if (id == kListChild || id == kHeaderChild || flags != SELFLAG_TAKEFOCUS)
            return E_INVALIDARG;
        ::SetFocus(WindowOf(kEditChild));
        return S_OK;
    });
}

HRESULT ComboAccessible::accLocation(long* left, long* top, long* width, long* height,
                                     ::VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    return Answer(child, [&](AccessibleControl&, long id) {
        // The header's band is part of the list's window: it answers for its own place.
        if (id == kHeaderChild)
            return Host()->Readers().HeaderObject()->accLocation(left, top, width, height, Self());
        ::RECT r{};
        ::GetWindowRect(WindowOf(id), &r);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    });
}

HRESULT ComboAccessible::accNavigate(long direction, ::VARIANT start, ::VARIANT* end) {
    if (end == nullptr) return E_POINTER;
    ::VariantInit(end);
    return Answer(start, [&](AccessibleControl& reader, long id) {
        const long last = ChildCount(reader);
        long to = 0;
        if (id == CHILDID_SELF && direction == NAVDIR_FIRSTCHILD) to = kEditChild;
        if (id == CHILDID_SELF && direction == NAVDIR_LASTCHILD) to = last;
        if (id != CHILDID_SELF && direction == NAVDIR_NEXT && id < last) to = id + 1;
        if (id != CHILDID_SELF && direction == NAVDIR_PREVIOUS && id > kEditChild) to = id - 1;
        if (to == 0) return S_FALSE;
        SetChildVariant(end, to);
        return S_OK;
    });
}

HRESULT ComboAccessible::accHitTest(long x, long y, ::VARIANT* child) {
    if (child == nullptr) return E_POINTER;
    ::VariantInit(child);
    return Answer(Self(), [&](AccessibleControl& reader, long) {
        const ::POINT at{x, y};
        ::VARIANT header;
        if (reader.ListOpen() && ChildCount(reader) == kHeaderChild &&
            Host()->Readers().HeaderObject()->accHitTest(x, y, &header) == S_OK) {
            SetChildVariant(child, kHeaderChild);
            return S_OK;
        }
        for (const long id : {kEditChild, kListChild}) {
            ::RECT r{};
            ::GetWindowRect(WindowOf(id), &r);
            if ((id == kEditChild || reader.ListOpen()) && ::PtInRect(&r, at)) {
                SetChildVariant(child, id);
                return S_OK;
            }
        }
        ::RECT own{};
        ::GetWindowRect(WindowOf(CHILDID_SELF), &own);
        if (!::PtInRect(&own, at)) return S_FALSE;
        SetChildVariant(child, CHILDID_SELF);
        return S_OK;
    });
}

HRESULT ComboAccessible::accDoDefaultAction(::VARIANT child) {
    return Answer(child, [&](AccessibleControl& reader, long id) {
        if (id != CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
        reader.ToggleList();
        return S_OK;
    });
}

}  // namespace cp::win32
