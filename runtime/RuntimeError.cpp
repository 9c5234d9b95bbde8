#include "runtime/RuntimeError.h"

#include <new>
#include <utility>

namespace cp {

RuntimeError::RuntimeError(std::int32_t number)
    : number_(number), description_(StandardDescription(number)) {}

RuntimeError::RuntimeError(std::int32_t number, std::string description)
    : number_(number), description_(std::move(description)) {}

std::string StandardDescription(std::int32_t number) {
    switch (number) {
        case 5:
            return "Invalid procedure call or argument";
        case 6:
            return "Overflow";
        case 7:
            return "Out of memory";
        case 9:
            return "Subscript out of range";
        case 11:
            return "Division by zero";
        case 13:
            return "Type mismatch";
        case 91:
            return "Object variable or With block variable not set";
        case 94:
            return "Invalid use of Null";
        case 380:
            return "Invalid property value";
        case 394:
            return "Get not supported (write-only property)";
        case 424:
            return "Object required";
        case 438:
            return "Object doesn't support this property or method";
        case 440:
            return "Automation error";
        case 446:
            return "Object doesn't support named arguments";
        case 449:
            return "Argument not optional";
        case 450:
            return "Wrong number of arguments or invalid property assignment";
        default:
            return "Application-defined or object-defined error";
    }
}

void Raise(std::int32_t number) {
    throw RuntimeError(number);
}

void Raise(std::int32_t number, std::string description) {
    throw RuntimeError(number, std::move(description));
}

RuntimeError CurrentError() {
    try {
        throw;
    } catch (const RuntimeError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return RuntimeError(vberr::OutOfMemory);
    } catch (const std::exception& e) {
        return RuntimeError(vberr::InvalidProcedureCall, e.what());
    } catch (...) {
        return RuntimeError(vberr::InvalidProcedureCall);
    }
}

}  // namespace cp
