// The open list as assistive technology sees it: role list, one simple child per row of the
// item table (child n is row n - 1), each read from the control when it is asked for.
#pragma once

#include "platform/win32/AccessibleObject.h"

namespace cp::win32 {

class ListAccessible final : public AccessibleObject {
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
    long ChildCount(AccessibleControl& reader) override { return reader.RowCount(); }
    HWND List();
    // The current row as a child, when the open list has one.
    HRESULT CurrentChild(::VARIANT* child);
};

}  // namespace cp::win32
