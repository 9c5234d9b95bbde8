// Run-time errors at the COM edge: the HRESULT that carries an error number, the EXCEPINFO
// and IErrorInfo that carry its description and source, and the boundary that keeps every C++
// exception inside the component.
#pragma once

#include <exception>
#include <new>
#include <string_view>

#include "component/Com.h"
#include "runtime/RuntimeError.h"

namespace ocx {

// The HRESULT of a run-time error: the number under the control facility (0x800A0000 +
// number), as hosts read Err.Number from it.
HRESULT ErrorResult(const RuntimeError& error);

// Fills an EXCEPINFO with the error's number, description and a program identifier as its
// source (the control's unless another is given).
void FillException(EXCEPINFO* info, const RuntimeError& error, std::string_view source = {});

// The run-time error that a failed call into another object stands for, as a late-bound host
// reads it: the number that the object's exception or HRESULT carries (an error code of the
// control facility as its code, a standard dispatch failure as the runtime's error, any other
// HRESULT as itself) and the object's description (from the exception, or from the thread's
// error object when `object` says that it sets one), or else a standard one. Frees the
// exception's texts.
RuntimeError ErrorOfCall(HRESULT hr, EXCEPINFO& exception, IUnknown* object);

// Hands the error to the caller of an interface method: the thread's error object gets its
// description and source; returns its HRESULT.
HRESULT ReturnError(const RuntimeError& error, REFIID iid);

// Runs body, which returns an HRESULT; whatever it throws becomes one (a run-time error
// through ReturnError), so that no exception leaves an interface method.
template <class Body>
HRESULT Boundary(REFIID iid, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        try {
            return ReturnError(CurrentError(), iid);
        } catch (...) {
            return E_UNEXPECTED;
        }
    }
}

}  // namespace ocx
