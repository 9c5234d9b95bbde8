#include "platform/win32/HeaderAccessible.h"

#include <vector>

#include "platform/win32/ControlHost.h"

namespace cp::win32 {
namespace {

::VARIANT Self() {
    ::VARIANT self;
    SetChildVariant(&self, CHILDID_SELF);
    return self;
}

}  // namespace

long HeaderAccessible::ChildCount(AccessibleControl& reader) {
    return static_cast<long>(reader.ColumnHeadings().size());
}

::RECT HeaderAccessible::ScreenRect(AccessibleControl& reader, long id) {
    const std::vector<ColumnHeading> headings = reader.ColumnHeadings();
    ::RECT r{};
    if (id != CHILDID_SELF) {
        const RECT& cell = headings[static_cast<std::size_t>(id - 1)].rect;
        r = ::RECT{cell.left, cell.top, cell.right, cell.bottom};
    } else if (!headings.empty()) {
        // The band over every column, from the first caption's left to the last one's right.
        r = ::RECT{headings.front().rect.left, headings.front().rect.top,
                   headings.back().rect.right, headings.front().rect.bottom};
    }
    ::MapWindowPoints(Host()->ListBox().hWnd(), nullptr, reinterpret_cast<::POINT*>(&r), 2);
    return r;
}

HRESULT HeaderAccessible::get_accParent(::IDispatch** parent) {
    return ControlAsParent(parent);
}

HRESULT HeaderAccessible::get_accChildCount(long* count) {
    return CountChildren(count);
}

HRESULT HeaderAccessible::get_accChild(::VARIANT child, ::IDispatch** object) {
    // The children are simple ones: the object itself answers for them.
    return SimpleChild(child, object);
}

HRESULT HeaderAccessible::get_accName(::VARIANT child, BSTR* name) {
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    return Answer(child, [&](AccessibleControl& reader, long id) {
        if (id == CHILDID_SELF) return S_FALSE;
        return ReturnText(reader.ColumnHeadings()[static_cast<std::size_t>(id - 1)].caption, name);
    });
}

HRESULT HeaderAccessible::get_accValue(::VARIANT child, BSTR* value) {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    return Answer(child, [](AccessibleControl&, long) { return DISP_E_MEMBERNOTFOUND; });
}

HRESULT HeaderAccessible::get_accRole(::VARIANT child, ::VARIANT* role) {
    if (role == nullptr) return E_POINTER;
    ::VariantInit(role);
    return Answer(child, [&](AccessibleControl&, long id) {
        SetChildVariant(role, id == CHILDID_SELF ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_COLUMNHEADER);
        return S_OK;
    });
}

HRESULT HeaderAccessible::get_accState(::VARIANT child, ::VARIANT* state) {
    if (state == nullptr) return E_POINTER;
    ::VariantInit(state);
    return Answer(child, [&](AccessibleControl& reader, long) {
        SetChildVariant(state,
                        STATE_SYSTEM_READONLY | (reader.ListOpen() ? 0 : STATE_SYSTEM_INVISIBLE));
        return S_OK;
    });
}

HRESULT HeaderAccessible::get_accFocus(::VARIANT* child) {
    if (child == nullptr) return E_POINTER;
    ::VariantInit(child);
    return Answer(Self(), [](AccessibleControl&, long) { return S_FALSE; });
}

HRESULT HeaderAccessible::get_accSelection(::VARIANT* children) {
    if (children == nullptr) return E_POINTER;
    ::VariantInit(children);
    return Answer(Self(), [](AccessibleControl&, long) { return S_FALSE; });
}

HRESULT HeaderAccessible::get_accDefaultAction(::VARIANT child, BSTR* action) {
    if (action == nullptr) return E_POINTER;
    *action = nullptr;
    return Answer(child, [](AccessibleControl&, long) { return S_FALSE; });
}

HRESULT HeaderAccessible::accSelect(long, ::VARIANT child) {
    return Answer(child, [](AccessibleControl&, long) { return DISP_E_MEMBERNOTFOUND; });
}

HRESULT HeaderAccessible::accLocation(long* left, long* top, long* width, long* height,
                                      ::VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    return Answer(child, [&](AccessibleControl& reader, long id) {
        const ::RECT r = ScreenRect(reader, id);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    });
}

HRESULT HeaderAccessible::accNavigate(long direction, ::VARIANT start, ::VARIANT* end) {
    return NavigateChildren(direction, start, end, ChildAxis::Horizontal);
}

HRESULT HeaderAccessible::accHitTest(long x, long y, ::VARIANT* child) {
    if (child == nullptr) return E_POINTER;
    ::VariantInit(child);
    return Answer(Self(), [&](AccessibleControl& reader, long) {
        const ::POINT at{x, y};
        const ::RECT band = ScreenRect(reader, CHILDID_SELF);
        if (!reader.ListOpen() || !::PtInRect(&band, at)) return S_FALSE;
        const long count = ChildCount(reader);
        long hit = CHILDID_SELF;
        for (long id = 1; id <= count; ++id) {
            const ::RECT cell = ScreenRect(reader, id);
            if (::PtInRect(&cell, at)) hit = id;
        }
        SetChildVariant(child, hit);
        return S_OK;
    });
}

HRESULT HeaderAccessible::accDoDefaultAction(::VARIANT child) {
    return Answer(child, [](AccessibleControl&, long) { return DISP_E_MEMBERNOTFOUND; });
}

}  // namespace cp::win32
