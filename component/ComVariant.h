// Values across the COM edge: an automation VARIANT and the runtime's Variant, both ways.
#pragma once

#include <memory>

#include "component/AutomationObject.h"
#include "component/Com.h"
#include "runtime/Variant.h"

namespace ocx {

// The runtime value of a VARIANT (by-reference values are read through). A type that the
// runtime has no value for is run-time error 13.
Variant FromVariant(const VARIANT& value);

// A VARIANT that oleaut32 only reads, for its functions that ask for a writable one.
inline VARIANT* Source(const VARIANT& value) {
    return const_cast<VARIANT*>(&value);
}

// A new VARIANT holding `value`; the caller owns it (VariantClear).
void ToVariant(const Variant& value, VARIANT* out);

// A VARIANT that clears itself, however the scope is left.
struct OwnedVariant {
    OwnedVariant() { ::VariantInit(&v); }
    ~OwnedVariant() { ::VariantClear(&v); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    VARIANT v;
};

}  // namespace ocx
