// The control as a whole, as assistive technology sees it: a combo box whose value is the edit
// field's text and whose children are the edit field (child 1, the system's own object of that
// window), the list (child 2) and, while the list has a header, the header (child 3); its
// default action opens or closes the list.
#pragma once

#include "platform/win32/AccessibleObject.h"

namespace cp::win32 {

class ComboAccessible final : public AccessibleObject {
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
    static constexpr long kEditChild = 1;
    static constexpr long kListChild = 2;
    static constexpr long kHeaderChild = 3;

    long ChildCount(AccessibleControl& reader) override;
    // The window of a child, or the control's own for CHILDID_SELF.
    HWND WindowOf(long id);
};

}  // namespace cp::win32
