// The open list's header as assistive technology sees it, as the system's own header controls
// are seen: role list, one simple child per visible column (child n is the nth column shown,
// role column header), read-only, never selected or focused, with no action: the header names
// the columns and takes no part in choosing a row. It is the control's third child, beside the
// list, so that the list's own children stay its rows.
#pragma once

#include "platform/win32/AccessibleObject.h"

namespace cp::win32 {

class HeaderAccessible final : public AccessibleObject {
public:
    using AccessibleObject::AccessibleObject;

    HRESULT STDMETHODCALLTYPE get_accParent(::IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(::VARIANT child, ::IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(::VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(::VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accRole(::VARIANT child, ::VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(::VARIANT child, ::VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(::VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(::VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(::VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, ::VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          ::VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, ::VARIANT start, ::VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, ::VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(::VARIANT child) override;

private:
    long ChildCount(AccessibleControl& reader) override;
    // The place of the header (CHILDID_SELF) or of one column's caption, on the screen.
    ::RECT ScreenRect(AccessibleControl& reader, long id);
};

}  // namespace cp::win32
