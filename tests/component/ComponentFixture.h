// The component as its hosts meet it: ColumnPick.ocx loaded from the build, registered for
// the test program's run and unregistered at its end, in a single-threaded apartment; and
// short ways to reach a control's members by name through IDispatch.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

// The interface table comes before the OLE headers, whose macros would rewrite its own
// DISPID_VALUE and DISPID_ABOUTBOX.
#include "control/PublicInterface.h"
#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"

#include <ole2.h>
#include <olectl.h>
#include <wrl/client.h>

#undef DISPID_VALUE
#undef DISPID_ABOUTBOX

namespace cp::test {

using Microsoft::WRL::ComPtr;

// Texts in order: a sink's log, the values of several members, the boxes shown.
using Texts = std::vector<std::string>;

// The component's file, as built.
std::wstring ComponentPath();
// One of the component's entry points, from its module as loaded for the run.
HRESULT CallEntryPoint(const char* name);
CLSID ControlClass();

// A VARIANT that clears itself.
class Var {
public:
    Var() = default;
    explicit Var(const wchar_t* text) : Var(Typed{VT_BSTR}) { V_BSTR(&v) = ::SysAllocString(text); }
    explicit Var(long value) : Var(Typed{VT_I4}) { V_I4(&v) = value; }
    explicit Var(short value) : Var(Typed{VT_I2}) { V_I2(&v) = value; }
    explicit Var(bool value) : Var(Typed{VT_BOOL}) {
        V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    // Holds a reference to the object.
    explicit Var(IDispatch* object) : Var(Typed{VT_DISPATCH}) {
        V_DISPATCH(&v) = object;
        object->AddRef();
    }
    ~Var() { ::VariantClear(&v); }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
    // The value as text (VariantChangeType to BSTR), "<type n>" when it has none.
    std::string Text() const;
    // A copy of the value into `out`, as an object hands back a result.
    void CopyTo(VARIANT* out) const { ::VariantCopy(out, const_cast<VARIANT*>(&v)); }
    VARIANT v{};  // VT_EMPTY

private:
    struct Typed {
        VARTYPE type;
    };
    explicit Var(Typed typed) { V_VT(&v) = typed.type; }
};

// An object of a test's making that lives on the test's stack: it answers for IUnknown (as its
// first interface) and for `Interfaces`, and counts the references others hold without owning
// itself.
template <class... Interfaces>
class StackObject : public Interfaces... {
public:
    virtual ~StackObject() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;
        void* found = iid == IID_IUnknown ? static_cast<First*>(this) : nullptr;
        ((found = found != nullptr || iid != __uuidof(Interfaces) ? found
                                                                  : static_cast<Interfaces*>(this)),
         ...);
        *out = found;
        if (found == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
    // The references that others hold now.
    ULONG OthersReferences() const { return refs_ - 1; }

private:
    ULONG refs_ = 1;
};

// An IDispatch of a test's making on the test's stack, with no type information.
class StackDispatch : public StackObject<IDispatch> {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
};

// The object's interface `Interface`, or none.
template <class Interface>
ComPtr<Interface> As(IUnknown* object, REFIID iid = __uuidof(Interface)) {
    ComPtr<Interface> result;
    object->QueryInterface(iid, reinterpret_cast<void**>(result.GetAddressOf()));
    return result;
}

// A container's client site that offers nothing of its own: no moniker, no container; `More`
// are the further interfaces of a site that does more.
template <class... More>
class ClientSite : public StackObject<IOleClientSite, More...> {
public:
    HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetMoniker(::DWORD, ::DWORD, IMoniker** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
};

// A site for quick activation: no ambients of its own.
using BareSite = ClientSite<>;

// A quick-activating container's structure: user mode, the system's colours, and the site and
// the sinks it hands over.
QACONTAINER QuickContainer(IOleClientSite* site, IPropertyNotifySink* notify = nullptr,
                           IUnknown* events = nullptr);

// A new control, created by its program identifier as scripts create it; given a site, the
// control's client site from the start.
ComPtr<IDispatch> CreateControl(IOleClientSite* site = nullptr);
// Fills the control as the tests' hosts do: the column widths, as many columns as they name,
// and the rows of "a;b;c".
void Fill(IDispatch* control, const wchar_t* widths, const wchar_t* rows);
DISPID IdOf(IDispatch* control, const wchar_t* name);
// What IDispatch::Invoke answered: its result, the argument it blamed and the error it raised
// (its code, source and description).
struct Answer {
    HRESULT hr = S_OK;
    UINT argError = ~0u;
    SCODE scode = S_OK;
    std::string source;
    std::string description;
};
// Invokes a member by its identifier with the arguments first to last; a property put names
// its value as such.
Answer InvokeId(IDispatch* control, DISPID id, WORD flags, std::vector<VARIANT> args = {},
                VARIANT* result = nullptr);
// Property get by name; a failure is returned.
HRESULT Get(IDispatch* control, const wchar_t* name, Var& result, std::vector<VARIANT> args = {});
// Property get, property put and method call by name, expecting success; the test fails
// otherwise.
std::string GetText(IDispatch* control, const wchar_t* name);
void PutOk(IDispatch* control, const wchar_t* name, const VARIANT& value);
void CallOk(IDispatch* control, const wchar_t* name, std::vector<VARIANT> args = {});

// The text of the BSTR that `call` hands back (freed here); `none` when it hands back none.
template <class Call>
std::string BstrText(Call&& call, const char* none = "") {
    BSTR text = nullptr;
    call(&text);
    std::string result = text ? win32::Narrow(text) : none;
    ::SysFreeString(text);
    return result;
}

// A font as "Name points[ bold]", "no font" for none; the control's Font so described; and the
// font of a control that has no container's, the system's.
std::string DescribeFont(IUnknown* font);
std::string FontOf(IDispatch* control);
std::string SystemFont();

// Processes the messages waiting now.
void Pump();

}  // namespace cp::test
