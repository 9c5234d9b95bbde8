// An object that the host hands over without a type the control knows: every member is reached
// by its name when the call is made, as a late-bound host reaches an Object variable's members.
#pragma once

#include <string_view>
#include <vector>

#include "runtime/Variant.h"

namespace cp {

// How a member is called: as a method (a statement or a function whose result is used), as a
// property read, or as a property put (its one argument the value).
enum class CallType { Method, Get, Let };

class LateBound : public Object {
public:
    // Calls the member `name` with `args` (first argument first) and returns its result, Empty
    // for a member that gives none. A member the object lacks is error 438; whatever the object
    // raises comes out as a RuntimeError with the object's own number and description.
    virtual Variant CallByName(std::string_view name, CallType type, std::vector<Variant> args) = 0;
};

}  // namespace cp
