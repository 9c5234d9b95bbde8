// Late binding by the interface table: names to dispatch identifiers, and Invoke with the
// standard dispatch errors for wrong argument counts and types, run-time errors as
// DISP_E_EXCEPTION, and by-reference arguments read through whatever reference the caller
// passed (scripting hosts pass VT_BYREF | VT_VARIANT for their variables).
#pragma once

#include <functional>
#include <vector>

#include "component/Com.h"
#include "control/PublicInterface.h"

namespace ocx {

// Calls one member of the control with arguments already of the member's types.
using MemberCall =
    std::function<Variant(std::int32_t dispid, iface::Kind kind, std::vector<Variant>& args)>;

// Names compare without regard to case; a second name is looked for among the member's
// arguments.
HRESULT IdsOfNames(LPOLESTR* names, UINT count, DISPID* ids);

HRESULT InvokeByTable(const MemberCall& call, DISPID dispid, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* argError);

}  // namespace ocx
