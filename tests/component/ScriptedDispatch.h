// A host's automation object made up by a test: an IDispatch that answers the members it was
// given by name, calls a handler for each, and records every call with its arguments
// ("GetRows(3)"). Handlers answer as real objects do: a result, an exception with its
// EXCEPINFO, or a failed HRESULT.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/component/ComponentFixture.h"

namespace cp::test {

class ScriptedDispatch final : public IDispatch {
public:
    // Fills `result` from the arguments (first argument first) or returns a failure.
    using Handler = std::function<HRESULT(const std::vector<VARIANT>& args, VARIANT* result,
                                          EXCEPINFO* exception)>;

    void Answer(std::wstring name, Handler handler);
    void Forget(const std::wstring& name);

    std::vector<std::string> log;  // the calls, in order

    // The references that others hold now.
    ULONG OthersReferences() const { return refs_ - 1; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override;

private:
    std::vector<std::pair<std::wstring, Handler>> members_;  // DISPID = index + 1
    ULONG refs_ = 1;                                         // it lives on the test's stack
};

// Handlers for the usual answers.
ScriptedDispatch::Handler Returns(std::function<void(VARIANT*)> fill);
ScriptedDispatch::Handler ReturnsLong(long value);
ScriptedDispatch::Handler ReturnsBoolean(bool value);
ScriptedDispatch::Handler ReturnsObject(IDispatch* object);
ScriptedDispatch::Handler Succeeds();
// DISP_E_EXCEPTION with the error code in wCode, or in scode when it needs 32 bits.
ScriptedDispatch::Handler Raises(long number, const wchar_t* description);
ScriptedDispatch::Handler RaisesCode(HRESULT scode, const wchar_t* description);
ScriptedDispatch::Handler Fails(HRESULT hr);

}  // namespace cp::test
