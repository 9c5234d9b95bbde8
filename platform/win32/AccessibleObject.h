// The common ground of the control's accessible objects: reference counting, IDispatch
// (readers call IAccessible through its vtable; late binding is not offered), the members that
// neither object answers, and the link to the control, which is cut when the control ends: from
// then on every member answers RPC_E_DISCONNECTED, however long a reader holds the object.
#pragma once

#include <optional>
#include <string>

#include "platform/AccessibleControl.h"
#include "platform/CallFrames.h"
#include "platform/win32/ModuleInstance.h"
#include "platform/win32/WindowsApi.h"

#include <oleacc.h>

namespace cp::win32 {

class ControlHost;

class AccessibleObject : public ::IAccessible {
public:
    explicit AccessibleObject(ControlHost& host);
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    // The arrows that lead from one simple child to the next: a list's rows go down, a
    // header's columns to the right.
    enum class ChildAxis { Vertical, Horizontal };

    // The control has ended: the object answers nothing more of it.
    void Disconnect() {
        host_ = nullptr;
        frames_ = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ::ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, ::DISPPARAMS*, ::VARIANT*,
                                     ::EXCEPINFO*, UINT*) override;

    // The members that neither object has an answer for.
    HRESULT STDMETHODCALLTYPE get_accDescription(::VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(::VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, ::VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(::VARIANT child, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE put_accName(::VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(::VARIANT child, BSTR value) override;

protected:
    virtual ~AccessibleObject() = default;

    // The control's answers; nullptr once the control has ended.
    AccessibleControl* Reader();
    ControlHost* Host() { return host_; }
    // The number of children, for the shared check of a child identifier.
    virtual long ChildCount(AccessibleControl& reader) = 0;
    // CHILDID_SELF (0) or a child from 1; none for anything else.
    std::optional<long> ChildOf(const ::VARIANT& child);

    // The answers of an object inside the control's (the list, its header) whose children are
    // simple ones, answered for by the object itself.
    HRESULT ControlAsParent(::IDispatch** parent);
    HRESULT CountChildren(long* count);
    HRESULT SimpleChild(const ::VARIANT& child, ::IDispatch** object);
    // accNavigate among simple children: the first and the last from the object itself, the
    // next and the previous along `axis` from a child; S_FALSE where there is none.
    HRESULT NavigateChildren(long direction, const ::VARIANT& start, ::VARIANT* end,
                             ChildAxis axis);

    // Runs a member against the control: RPC_E_DISCONNECTED once it has ended, E_INVALIDARG
    // for a child that does not exist, E_FAIL for a failure inside; nothing escapes.
    template <class Body>
    HRESULT Answer(const ::VARIANT& child, Body&& body) {
        try {
            AccessibleControl* reader = Reader();
            if (reader == nullptr) return RPC_E_DISCONNECTED;
            // What a reader does (open or close the list, move the focus) may make a handler
            // of the host let go of the control: it ends once the answer is given.
            const CallFrames::Frame frame(*frames_);
            const std::optional<long> id = ChildOf(child);
            if (!id) return E_INVALIDARG;
            return body(*reader, *id);
        } catch (...) {
            return E_FAIL;
        }
    }

private:
    ControlHost* host_;   // the control's host; nullptr once the control has ended
    CallFrames* frames_;  // its calls under way; likewise
    ULONG references_ = 1;
    ModuleObject life_;  // keeps the module's code loaded for a reader that holds the object
};

// Returns text as a new BSTR in *out (S_OK); E_OUTOFMEMORY when it cannot be made.
HRESULT ReturnText(const std::wstring& text, BSTR* out);
HRESULT ReturnText(const std::string& utf8, BSTR* out);
// A VARIANT holding a child identifier, and one holding an object (the reference is added).
void SetChildVariant(::VARIANT* out, long child);
void SetObjectVariant(::VARIANT* out, ::IDispatch* object);

}  // namespace cp::win32
