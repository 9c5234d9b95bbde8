// The names under which property browsers and the control's own page offer the values of the
// control's enumerated properties: Appearance (typAppearance) and MatchMode.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "component/Com.h"

namespace ocx {

struct NamedValue {
    std::int32_t value;
    const wchar_t* name;
};

struct NamedProperty {
    DISPID dispid;
    VARTYPE type;  // the type the property's put takes
    std::span<const NamedValue> values;
};

// The property's names, or nullptr for a property without them.
const NamedProperty* NamedPropertyOf(DISPID dispid);
// The value's name; a value that has none (Appearance = 7 is allowed) shows as its number.
std::wstring NameOfValue(const NamedProperty& property, std::int32_t value);
// The value as a VARIANT of the property's own type.
VARIANT ValueVariant(const NamedProperty& property, std::int32_t value);

}  // namespace ocx
