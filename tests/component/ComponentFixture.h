// The component as its hosts meet it: ColumnPick.ocx loaded from the build, registered for
// the test program's run and unregistered at its end, in a single-threaded apartment; and
// short ways to reach a control's members by name through IDispatch.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The interface table comes before the OLE headers, whose macros would rewrite its own
// DISPID_VALUE and DISPID_ABOUTBOX.
#include "control/PublicInterface.h"
#include "platform/win32/WindowsApi.h"

#include <ole2.h>
#include <olectl.h>
#include <wrl/client.h>

#undef DISPID_VALUE
#undef DISPID_ABOUTBOX

namespace cp::test {

using Microsoft::WRL::ComPtr;

// The component's file, as built.
std::wstring ComponentPath();
// One of the component's entry points, from its module as loaded for the run.
HRESULT CallEntryPoint(const char* name);
CLSID ControlClass();

// A VARIANT that clears itself.
class Var {
public:
    Var() { ::VariantInit(&v); }
    explicit Var(const wchar_t* text);
    explicit Var(long value);
    explicit Var(short value);
    explicit Var(bool value);
    // Holds a reference to the object.
    explicit Var(IDispatch* object);
    ~Var() { ::VariantClear(&v); }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
    // The value as text (VariantChangeType to BSTR), "<type n>" when it has none.
    std::string Text() const;
    VARIANT v;
};

// An IDispatch of a test's making that lives on the test's stack and has no type information.
class StackDispatch : public IDispatch {
public:
    virtual ~StackDispatch() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    // The references that others hold now.
    ULONG OthersReferences() const { return refs_ - 1; }

private:
    ULONG refs_ = 1;
};

// A new control, created by its program identifier as scripts create it.
ComPtr<IDispatch> CreateControl();
DISPID IdOf(IDispatch* control, const wchar_t* name);
// What IDispatch::Invoke answered: its result, the argument it blamed and its exception.
struct Answer {
    HRESULT hr = S_OK;
    UINT argError = ~0u;
    SCODE scode = 0;
    std::string description;
    std::string source;
};
// Invokes a member by its identifier with the arguments first to last; a property put names
// its value as such.
Answer InvokeId(IDispatch* control, DISPID id, WORD flags, std::vector<VARIANT> args = {},
                VARIANT* result = nullptr);
// Property get, property put and method call by name; failures are returned, with the
// exception filled.
HRESULT Get(IDispatch* control, const wchar_t* name, Var& result, std::vector<VARIANT> args = {});
HRESULT Put(IDispatch* control, const wchar_t* name, const VARIANT& value);
HRESULT Call(IDispatch* control, const wchar_t* name, std::vector<VARIANT> args = {});
// The same, expecting success; the test fails otherwise.
std::string GetText(IDispatch* control, const wchar_t* name);
void PutOk(IDispatch* control, const wchar_t* name, const VARIANT& value);
void CallOk(IDispatch* control, const wchar_t* name, std::vector<VARIANT> args = {});

// Processes the messages waiting now.
void Pump();

}  // namespace cp::test
