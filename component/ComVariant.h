// Values across the COM edge: an automation VARIANT and the runtime's Variant, both ways.
#pragma once

#include <memory>

#include "component/Com.h"
#include "runtime/Variant.h"

namespace ocx {

// An automation object that a host handed over (a recordset or a database object, say),
// kept by its IDispatch for late-bound calls.
class AutomationObject final : public Object {
public:
    explicit AutomationObject(IDispatch* dispatch);
    ~AutomationObject() override;
    AutomationObject(const AutomationObject&) = delete;
    AutomationObject& operator=(const AutomationObject&) = delete;

    IDispatch* Dispatch() const { return dispatch_; }

private:
    IDispatch* dispatch_;  // one reference held
};

// The runtime value of a VARIANT (by-reference values are read through). A type that the
// runtime has no value for is run-time error 13.
Variant FromVariant(const VARIANT& value);

// A VARIANT that oleaut32 only reads, for its functions that ask for a writable one.
inline VARIANT* Source(const VARIANT& value) {
    return const_cast<VARIANT*>(&value);
}

// A new VARIANT holding `value`; the caller owns it (VariantClear).
void ToVariant(const Variant& value, VARIANT* out);

}  // namespace ocx
