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

class ScriptedDispatch final : public StackDispatch {
public:
    // Fills `result` from the arguments (first argument first) or returns a failure.
    using Handler = std::function<HRESULT(const std::vector<VARIANT>& args, VARIANT* result,
                                          EXCEPINFO* exception)>;

    // An empty handler takes the member away.
    void Answer(std::wstring name, Handler handler);

    std::vector<std::string> log;  // the calls, in order

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override;

private:
    std::vector<std::pair<std::wstring, Handler>> members_;  // DISPID = index + 1
};

// Handlers for the usual answers: a value made afresh for each call, a copy of one value, a
// failed HRESULT, and DISP_E_EXCEPTION with the error number in wCode where it fits in 16 bits
// and in scode otherwise.
ScriptedDispatch::Handler Returns(std::function<void(VARIANT*)> fill);
ScriptedDispatch::Handler Returns(const VARIANT& value);
ScriptedDispatch::Handler Fails(HRESULT hr);
ScriptedDispatch::Handler Raises(long number, const wchar_t* description);

}  // namespace cp::test
