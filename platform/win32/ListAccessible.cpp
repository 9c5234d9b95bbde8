#include "platform/win32/ListAccessible.h"

#include "platform/win32/ControlHost.h"

namespace cp::win32 {
namespace {

const wchar_t* const kRowAction = L"Click";

::VARIANT Self() {
    ::VARIANT self;
    SetChildVariant(&self, CHILDID_SELF);
    return self;
}

long RowStateBits(const RowReading& r) {
    long bits = 0;
    if (r.selectable) bits |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (r.selected) bits |= STATE_SYSTEM_SELECTED;
    if (r.focused) bits |= STATE_SYSTEM_FOCUSED;
    if (r.offscreen) bits |= STATE_SYSTEM_OFFSCREEN;
    if (r.invisible) bits |= STATE_SYSTEM_INVISIBLE;
    return bits;
}

void ReturnLocation(const ::RECT& r, long* left, long* top, long* width, long* height) {
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
}

}  // namespace

HWND ListAccessible::List() {
    return Host()->ListBox().hWnd();
}

HRESULT ListAccessible::get_accParent(::IDispatch** parent) {
    return ControlAsParent(parent);
}

HRESULT ListAccessible::get_accChildCount(long* count) {
    return CountChildren(count);
}

HRESULT ListAccessible::get_accChild(::VARIANT child, ::IDispatch** object) {
    // The children are simple ones: the object itself answers for them.
    return SimpleChild(child, object);
}

HRESULT ListAccessible::get_accName(::VARIANT child, BSTR* name) {
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    return Answer(child, [&](AccessibleControl& reader, long id) {
        if (id == CHILDID_SELF) return ReturnText(Host()->Readers().ControlName(), name);
        const std::optional<std::string> text = reader.RowName(id - 1);
        return text ? ReturnText(*text, name) : E_INVALIDARG;
    });
}

HRESULT ListAccessible::get_accValue(::VARIANT child, BSTR* value) {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    return Answer(child, [](AccessibleControl&, long) { return DISP_E_MEMBERNOTFOUND; });
}

HRESULT ListAccessible::get_accRole(::VARIANT child, ::VARIANT* role) {
    if (role == nullptr) return E_POINTER;
    ::VariantInit(role);
    return Answer(child, [&](AccessibleControl&, long id) {
        SetChildVariant(role, id == CHILDID_SELF ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM);
        return S_OK;
    });
}

HRESULT ListAccessible::get_accState(::VARIANT child, ::VARIANT* state) {
    if (state == nullptr) return E_POINTER;
    ::VariantInit(state);
    return Answer(child, [&](AccessibleControl& reader, long id) {
        if (id == CHILDID_SELF) {
            SetChildVariant(state,
                            reader.ListOpen() ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_INVISIBLE);
            return S_OK;
        }
        const std::optional<RowReading> row = reader.RowStates(id - 1);
        if (!row) return E_INVALIDARG;
        SetChildVariant(state, RowStateBits(*row));
        return S_OK;
    });
}

HRESULT ListAccessible::CurrentChild(::VARIANT* child) {
    ::VariantInit(child);
    return Answer(Self(), [&](AccessibleControl& reader, long) {
        const std::int32_t row = reader.CurrentRow();
        if (!reader.ListOpen() || row < 0) return S_FALSE;
        SetChildVariant(child, row + 1);
        return S_OK;
    });
}

HRESULT ListAccessible::get_accFocus(::VARIANT* child) {
    if (child == nullptr) return E_POINTER;
    return CurrentChild(child);
}

HRESULT ListAccessible::get_accSelection(::VARIANT* children) {
    if (children == nullptr) return E_POINTER;
    return CurrentChild(children);
}

HRESULT ListAccessible::get_accDefaultAction(::VARIANT child, BSTR* action) {
    if (action == nullptr) return E_POINTER;
    *action = nullptr;
    return Answer(child, [&](AccessibleControl&, long id) {
        return id == CHILDID_SELF ? S_FALSE : ReturnText(std::wstring(kRowAction), action);
    });
}

HRESULT ListAccessible::accSelect(long flags, ::VARIANT child) {
    // One row at a time: a reader can move the current row, not add to a selection.
    constexpr long kMoves = SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION;
    return Answer(child, [&](AccessibleControl& reader, long id) {
        if (id == CHILDID_SELF || (flags & ~kMoves) != 0 || (flags & kMoves) == 0)
            return E_INVALIDARG;
        return reader.SelectRow(id - 1) ? S_OK : E_INVALIDARG;
    });
}

HRESULT ListAccessible::accLocation(long* left, long* top, long* width, long* height,
                                    ::VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    return Answer(child, [&](AccessibleControl& reader, long id) {
        ::RECT r{};
        if (id == CHILDID_SELF) {
            ::GetWindowRect(List(), &r);
        } else {
            const std::optional<RECT> band = reader.RowRect(id - 1);
            if (!band) return E_INVALIDARG;
            r = ::RECT{band->left, band->top, band->right, band->bottom};
            ::MapWindowPoints(List(), nullptr, reinterpret_cast<::POINT*>(&r), 2);
        }
        ReturnLocation(r, left, top, width, height);
        return S_OK;
    });
}

HRESULT ListAccessible::accNavigate(long direction, ::VARIANT start, ::VARIANT* end) {
    return NavigateChildren(direction, start, end, ChildAxis::Vertical);
}

HRESULT ListAccessible::accHitTest(long x, long y, ::VARIANT* child) {
    if (child == nullptr) return E_POINTER;
    ::VariantInit(child);
    return Answer(Self(), [&](AccessibleControl& reader, long) {
        ::RECT window{};
        ::GetWindowRect(List(), &window);
        ::POINT at{x, y};
        if (!reader.ListOpen() || !::PtInRect(&window, at)) return S_FALSE;
        ::ScreenToClient(List(), &at);
        const std::optional<std::int32_t> row = reader.RowAt(POINT{at.x, at.y});
        SetChildVariant(child, row ? *row + 1 : CHILDID_SELF);
        return S_OK;
    });
}

HRESULT ListAccessible::accDoDefaultAction(::VARIANT child) {
    return Answer(child, [&](AccessibleControl& reader, long id) {
        if (id == CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
        return reader.PickRow(id - 1) ? S_OK : E_INVALIDARG;
    });
}

}  // namespace cp::win32
