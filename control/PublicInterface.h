// The control's published surface as data: the members of `_ColumnPick` in their published
// order with their dispatch identifiers, kinds, argument passing and help strings, the events
// of `__ColumnPick`, the enumerations and the identities. The component's type library and
// dispatch layer are generated from these tables; Invoke reaches a member by its identifier.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"

namespace cp {

class ColumnPick;

namespace iface {

enum class Kind { Method, PropertyGet, PropertyLet };
enum class Passing { ByValue, ByRef };

struct Param {
    std::string_view name;
    std::string_view type;
    Passing passing;
};

// One operation of the interface: a method, or one half of a property.
struct Member {
    std::string_view name;
    Kind kind;
    std::int32_t dispid;
    std::string_view type;  // the property's type or the method's result ("" for none)
    std::span<const Param> params;
    std::string_view help;  // "" when the member has none
};

struct Event {
    std::string_view name;
    std::int32_t dispid;
    std::span<const Param> params;
};

struct EnumMember {
    std::string_view name;
    std::int32_t value;
};

struct Enumeration {
    std::string_view name;
    std::string_view guid;
    std::span<const EnumMember> members;
};

struct Identity {
    std::string_view typeLibrary;
    std::string_view typeLibraryHelp;
    std::string_view coclass;
    std::string_view defaultInterface;
    std::string_view eventInterface;
};

inline constexpr std::int32_t DISPID_VALUE = 0;
inline constexpr std::int32_t DISPID_ABOUTBOX = -552;

std::span<const Member> Members();
std::span<const Event> Events();
std::span<const Enumeration> Enumerations();
const Identity& Ids();
// The default member (Value) and the default event (AfterUpdate).
std::string_view DefaultMember();
std::string_view DefaultEvent();

// Calls a member of the control by its dispatch identifier, as a late-bound host does.
// Arguments convert as the runtime converts them; by-reference arguments are passed on by
// reference. An identifier or kind the interface lacks is error 438; reading a write-only
// property is error 394.
Variant Invoke(ColumnPick& control, std::int32_t dispid, Kind kind, std::vector<Variant>& args);

}  // namespace iface
}  // namespace cp
