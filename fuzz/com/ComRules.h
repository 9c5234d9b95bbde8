// What COM allows IDispatch::Invoke to answer: the standard HRESULTs of the dispatch layer; an
// exception with its error, source and description filled; the index of the argument that a
// type mismatch blames, among those passed; a result that is Empty when the call failed, and an
// automation type when it did not; and E_INVALIDARG (or an unknown member) for a call whose
// DISPPARAMS cannot be read as counted.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/WindowsApi.h"

#include <ole2.h>

namespace cp::fuzz {

struct InvokeAnswer {
    HRESULT hr;
    const DISPPARAMS* params;  // nullptr: none were passed
    bool malformed;            // the DISPPARAMS counted more than they held
    const VARIANT* result;     // each nullptr when the caller passed none
    EXCEPINFO* exception;
    const UINT* argError;
};

// The rules that the answer breaks, one text each; none for a sound answer. Fills in an
// exception that was deferred.
std::vector<std::string> BrokenRules(const InvokeAnswer& answer);

std::string Hex(HRESULT hr);

}  // namespace cp::fuzz
