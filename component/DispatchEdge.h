// Late binding by the interface table: names to dispatch identifiers, and Invoke with the
// standard dispatch errors for wrong argument counts and types, run-time errors as
// DISP_E_EXCEPTION, and by-reference arguments read through whatever reference the caller
// passed (scripting hosts pass VT_BYREF | VT_VARIANT for their variables).
#pragma once

#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "component/Com.h"
#include "control/PublicInterface.h"

namespace ocx {

// Calls one member with arguments already of the member's types.
using MemberCall =
    std::function<Variant(std::int32_t dispid, iface::Kind kind, std::vector<Variant>& args)>;

// The members that an object publishes, and the program identifier that its errors name as
// their source.
struct DispatchTable {
    std::span<const iface::Member> members;
    std::string_view source;
};

// The control's own table.
DispatchTable ControlTable();

// Names compare without regard to case; a second name is looked for among the member's
// arguments.
HRESULT IdsOfNames(const DispatchTable& table, LPOLESTR* names, UINT count, DISPID* ids);

// A property's value, or a method's result when the table gives the method a type.
HRESULT InvokeByTable(const DispatchTable& table, const MemberCall& call, DISPID dispid, WORD flags,
                      DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argError);

}  // namespace ocx
