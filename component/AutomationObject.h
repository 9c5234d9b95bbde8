// An automation object that a host handed over (a recordset or a database object, say), kept by
// its IDispatch and called late-bound: each member is looked up by its name (GetIDsOfNames) and
// called through Invoke when the call is made, as a late-bound host calls an Object's members.
#pragma once

#include <string>

#include "component/Com.h"
#include "runtime/LateBound.h"

namespace ocx {

class AutomationObject final : public cp::LateBound {
public:
    explicit AutomationObject(IDispatch* dispatch);
    ~AutomationObject() override;
    AutomationObject(const AutomationObject&) = delete;
    AutomationObject& operator=(const AutomationObject&) = delete;

    IDispatch* Dispatch() const { return dispatch_; }

    // A member the object does not know by name is error 438; a failure of the call is the
    // run-time error that its exception or HRESULT carries (ErrorOfCall).
    Variant CallByName(std::string_view name, cp::CallType type,
                       std::vector<Variant> args) override;

private:
    DISPID IdOf(std::string_view name);
    HRESULT DynamicIdOf(std::wstring& name, DISPID& id);

    IDispatch* dispatch_;  // one reference held
};

}  // namespace ocx
